#include "real_input.h"

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

namespace {
constexpr long kPumpNanoseconds = 2 * 1000 * 1000;
// Pumping goes on this long after the input ends, for its last events.
constexpr int kSettlePumps = 100;

void pumpOnce(const std::function<void()>& pump) {
    pump();
    const timespec pause{0, kPumpNanoseconds};
    nanosleep(&pause, nullptr);
}
} // namespace

bool playInput(const std::vector<std::string>& steps, const std::function<void()>& pump) {
    std::vector<std::string> words{"xdotool"};
    words.insert(words.end(), steps.begin(), steps.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, "xdotool", nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0)
        pumpOnce(pump);
    for (int i = 0; i < kSettlePumps; ++i)
        pumpOnce(pump);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
