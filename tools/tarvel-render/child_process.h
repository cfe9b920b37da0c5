// A program started with pipes on its standard input and output; its
// standard error stays ours.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <vector>

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess(); // closes the pipes and waits for the child
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // argv[0] is looked up on PATH when it has no slash.
    bool start(const std::vector<std::string>& argv, std::string& error);
    std::FILE* toChild() { return toChild_; }
    std::FILE* fromChild() { return fromChild_; }
    // Closes the pipe to the child: it reads end of file.
    void closeToChild();
    // Closes both pipes and waits; the child's exit status, or -1.
    int finish();
    // Ends the child started here (SIGTERM), then waits for it.
    void terminate();

private:
    pid_t pid = -1;
    std::FILE* toChild_ = nullptr;
    std::FILE* fromChild_ = nullptr;
};
