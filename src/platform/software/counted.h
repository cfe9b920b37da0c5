// Where the headless backend counts what the software drawing does. The
// software layer is compiled twice: for the shipped X11 libraries, where
// these marks compile to nothing, and for the headless backend the tests
// link (TARVEL_COUNTED_SOFTWARE), where the backend counts every platform
// call under the operating system's name for it and every drawing object
// made and freed.
#pragma once

#if defined(TARVEL_COUNTED_SOFTWARE)
namespace software {
// Defined by the headless backend.
void countCall(const char* name);
void countObjects(int change);
} // namespace software
#define TARVEL_COUNTED_CALL(name) ::software::countCall(name)
#define TARVEL_COUNTED_OBJECTS(change) ::software::countObjects(change)
#else
#define TARVEL_COUNTED_CALL(name) static_cast<void>(0)
#define TARVEL_COUNTED_OBJECTS(change) static_cast<void>(0)
#endif
