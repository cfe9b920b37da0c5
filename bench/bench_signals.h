// The inputs the benchmarks feed the effect, each a loop of kSignalLength
// samples that consecutive blocks walk through.
#pragma once

#include <vector>

#include "host/vst_types.h"

// A multiple of every block size measured, so blocks never straddle the loop.
constexpr int32 kSignalLength = 65536;

enum class Signal { silence, sine, noise, longPositive, denormal };
constexpr Signal kSignals[] = {Signal::silence, Signal::sine, Signal::noise, Signal::longPositive,
                               Signal::denormal};

const char* signalName(Signal signal);
std::vector<float> makeSignal(Signal signal);
