#include "real_input.h"

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

namespace {
constexpr long kPumpNanoseconds = 2 * 1000 * 1000;
// Pumping goes on this long after the input ends, for its last events.
constexpr int kSettlePumps = 100;
// Time for the server to turn xdotool's last requests into events.
constexpr long kServerNanoseconds = 50 * 1000 * 1000;

void pumpOnce(const std::function<void()>& pump) {
    pump();
    const timespec pause{0, kPumpNanoseconds};
    nanosleep(&pause, nullptr);
}

// Starts xdotool with the steps; 0 when it could not be run.
pid_t startXdotool(const std::vector<std::string>& steps) {
    std::vector<std::string> words{"xdotool"};
    words.insert(words.end(), steps.begin(), steps.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, "xdotool", nullptr, nullptr, argv.data(), environ) != 0)
        return 0;
    return child;
}

bool settle(int status, const std::function<void()>& pump) {
    for (int i = 0; i < kSettlePumps; ++i)
        pumpOnce(pump);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
} // namespace

bool playInput(const std::vector<std::string>& steps, const std::function<void()>& pump) {
    const pid_t child = startXdotool(steps);
    if (child == 0)
        return false;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0)
        pumpOnce(pump);
    return settle(status, pump);
}

bool playInputBeforeHandling(const std::vector<std::string>& steps,
                             const std::function<void()>& pump,
                             const std::vector<std::string>& then) {
    const pid_t child = startXdotool(steps);
    if (child == 0)
        return false;
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return false;
    const timespec pause{0, kServerNanoseconds};
    nanosleep(&pause, nullptr);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    return then.empty() ? settle(status, pump) : playInput(then, pump);
}
