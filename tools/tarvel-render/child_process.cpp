#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

ChildProcess::~ChildProcess() {
    finish();
}

bool ChildProcess::start(const std::vector<std::string>& argv, std::string& error) {
    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    // Close-on-exec everywhere: the child gets only the two ends dup'ed onto
    // its standard streams, not our ends (or it would never see end of file).
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
        error = std::string("cannot make pipes: ") + std::strerror(errno);
        for (int fd : {input[0], input[1], output[0], output[1]}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);

    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    ::close(output[1]);
    if (spawned != 0) {
        pid = -1;
        ::close(input[1]);
        ::close(output[0]);
        error = "cannot start " + argv[0] + ": " + std::strerror(spawned);
        return false;
    }
    toChild_ = fdopen(input[1], "wb");
    fromChild_ = fdopen(output[0], "rb");
    if (toChild_ == nullptr || fromChild_ == nullptr) {
        if (toChild_ == nullptr) {
            ::close(input[1]);
        }
        if (fromChild_ == nullptr) {
            ::close(output[0]);
        }
        error = "cannot open the pipes to " + argv[0];
        terminate();
        return false;
    }
    return true;
}

void ChildProcess::closeToChild() {
    if (toChild_ != nullptr) {
        std::fclose(toChild_);
        toChild_ = nullptr;
    }
}

int ChildProcess::finish() {
    closeToChild();
    if (fromChild_ != nullptr) {
        std::fclose(fromChild_);
        fromChild_ = nullptr;
    }
    if (pid < 0) {
        return -1;
    }
    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    pid = -1;
    if (waited < 0 || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

void ChildProcess::terminate() {
    if (pid > 0) {
        kill(pid, SIGTERM);
    }
    finish();
}
