// Counting of platform calls by name, the headless backend's own and those
// of the software drawing compiled for it.
#pragma once

namespace software {
void countCall(const char* name);
void countObjects(int change);
} // namespace software

namespace headless {
using software::countCall;
}
