// Counting of platform calls by name.
#pragma once

namespace headless {
void countCall(const char* name);
}
