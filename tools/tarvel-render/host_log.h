// A text record of every call the plug-in made to the host during a render,
// one line per call; the same render gives the same log wherever the
// plug-in runs, so two logs can be compared as files.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "harness/host_call.h"

void writeHostCalls(std::ostream& out, const std::string& phase,
                    const std::vector<HostCall>& calls);
