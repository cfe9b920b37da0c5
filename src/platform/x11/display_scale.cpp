// The display's scale as X11 desktops set it: the `Xft.dpi` resource the
// desktop loads on the server (as xrdb does), over the usual 96 dots per inch.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>

#include "connection.h"
#include "platform/window.h"

namespace {

constexpr double kUsualDotsPerInch = 96.0;
// Settings beyond these are taken for mistakes.
constexpr double kFewestDotsPerInch = 24.0;
constexpr double kMostDotsPerInch = 960.0;
// The resources xrdb loads are a few kilobytes; far more is not read.
constexpr long kLongestResources = 1 << 20;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The number at `text`, "192" or "144.5", read the same in every locale;
// false when the value is anything else.
bool readDotsPerInch(const char* text, const char* end, double& dots) {
    while (text < end && isBlank(*text))
        ++text;
    double whole = 0;
    double fraction = 0;
    double place = 1;
    int digits = 0;
    bool point = false;
    for (; text < end && !isBlank(*text) && *text != '\r'; ++text) {
        const char c = *text;
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9' && digits < 9) {
            ++digits;
            if (point) {
                place /= 10;
                fraction += (c - '0') * place;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return false;
        }
    }
    while (text < end && (isBlank(*text) || *text == '\r'))
        ++text;
    if (digits == 0 || text != end)
        return false;
    dots = whole + fraction;
    return true;
}

// The value of the resource line "Xft.dpi: <number>" among the loaded
// resources (one resource a line); the last one counts, as in xrdb's files.
bool xftDotsPerInch(const char* resources, std::size_t length, double& dots) {
    static const char kName[] = "Xft.dpi";
    const char* const end = resources + length;
    bool found = false;
    for (const char* line = resources; line < end;) {
        const char* next = static_cast<const char*>(std::memchr(line, '\n', end - line));
        const char* lineEnd = next ? next : end;
        const char* p = line;
        while (p < lineEnd && isBlank(*p))
            ++p;
        const std::size_t nameLength = sizeof kName - 1;
        if (static_cast<std::size_t>(lineEnd - p) > nameLength &&
            std::memcmp(p, kName, nameLength) == 0) {
            p += nameLength;
            while (p < lineEnd && isBlank(*p))
                ++p;
            double value = 0;
            if (p < lineEnd && *p == ':' && readDotsPerInch(p + 1, lineEnd, value)) {
                dots = value;
                found = true;
            }
        }
        line = next ? next + 1 : end;
    }
    return found;
}

// The resources as the server holds them now (the root window's
// RESOURCE_MANAGER property), not as they were when the connection was
// made: a user who changes the setting sees it in the next editor opened.
double scaleFromServer(Display* d) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    x11::ErrorTrap trap(d);
    const int status =
        XGetWindowProperty(d, DefaultRootWindow(d), XA_RESOURCE_MANAGER, 0, kLongestResources / 4,
                           False, XA_STRING, &type, &format, &count, &remaining, &data);
    double dots = 0;
    const bool found = status == Success && trap.ok() && data && format == 8 &&
                       xftDotsPerInch(reinterpret_cast<const char*>(data), count, dots);
    if (data)
        XFree(data);
    if (!found || dots < kFewestDotsPerInch || dots > kMostDotsPerInch)
        return 1.0;
    return dots / kUsualDotsPerInch;
}

} // namespace

namespace platform {

// The setting is the server's, the same for every window on it.
double displayScale(Window) {
    if (Display* d = x11::openDisplay())
        return scaleFromServer(d);
    // Asked before any window of ours lives: on a connection of its own,
    // so no connection stays open for it.
    Display* asked = x11::connectToServer();
    if (!asked)
        return 1.0;
    const double found = scaleFromServer(asked);
    x11::disconnect(asked);
    return found;
}

} // namespace platform
