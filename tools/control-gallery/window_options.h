// The command line of the gallery programs that open a real window (Windows
// and X11):
//   [--seconds N] [--screenshot FILE] [--menu-screenshot FILE] [--check]
// Without --seconds the window stays until the program is ended, unless a
// screenshot or the check is asked for: then it closes once they are done.
#pragma once

struct WindowOptions {
    int seconds = -1; // -1: until ended
    const char* screenshot = nullptr;
    const char* menuScreenshot = nullptr;
    bool check = false;
};

WindowOptions readWindowOptions(int argc, char** argv);
