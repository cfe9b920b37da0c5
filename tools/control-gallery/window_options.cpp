#include "window_options.h"

#include <cstdlib>
#include <cstring>

WindowOptions readWindowOptions(int argc, char** argv) {
    WindowOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            options.seconds = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            options.screenshot = argv[++i];
        else if (std::strcmp(argv[i], "--menu-screenshot") == 0 && i + 1 < argc)
            options.menuScreenshot = argv[++i];
        else if (std::strcmp(argv[i], "--check") == 0)
            options.check = true;
    }
    if (options.seconds < 0 && (options.screenshot || options.menuScreenshot || options.check))
        options.seconds = 0;
    return options;
}
