// TARVEL.dll in plugin-server.exe under Wine, driven over the server's pipes.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <utility>

#include "child_process.h"
#include "harness/server_protocol.h"
#include "plugin_connection.h"
#include "windows_library.h"

using server_protocol::Reply;
using server_protocol::ReplyKind;
using server_protocol::Request;
using server_protocol::RequestKind;
using server_protocol::TextMode;

namespace {

// Wine shows the whole file system as drive Z:.
bool toWindowsPath(const std::string& path, std::string& windowsPath, std::string& error) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) {
        error = "cannot find " + path;
        return false;
    }
    windowsPath = "Z:";
    for (const char* c = resolved; *c != '\0'; ++c) {
        windowsPath += *c == '/' ? '\\' : *c;
    }
    return true;
}

// The project's probe beside its wine-run script: empty when 32-bit programs
// run here (or when Wine is started some other way and the probe is not
// there), else the reason they cannot.
std::string why32BitProgramsCannotRun(const std::string& winePath) {
    const std::string::size_type slash = winePath.rfind('/');
    if (slash == std::string::npos) {
        return "";
    }
    const std::string probe = winePath.substr(0, slash + 1) + "can-run-32bit";
    if (access(probe.c_str(), X_OK) != 0) {
        return "";
    }
    ChildProcess child;
    std::string error;
    if (!child.start({probe}, error)) {
        return error;
    }
    std::string reason;
    for (int c = std::fgetc(child.fromChild()); c != EOF && c != '\n';
         c = std::fgetc(child.fromChild())) {
        reason += static_cast<char>(c);
    }
    if (child.finish() == 0) {
        return "";
    }
    return reason.empty() ? "the probe failed" : reason;
}

class ServerConnection final : public PluginConnection {
public:
    ServerConnection(std::string dllPath, std::string serverPath, std::string winePath)
        : dllPath_(std::move(dllPath)), serverPath_(std::move(serverPath)),
          winePath_(std::move(winePath)) {}

    ~ServerConnection() override {
        if (!started) {
            return;
        }
        // A server still in step is asked to quit; one that broke off is ended.
        if (!broken) {
            std::uint32_t kind = 0;
            std::vector<std::uint8_t> payload;
            Request quit;
            quit.kind = RequestKind::quit;
            if (server_protocol::writeMessage(server.toChild(),
                                              static_cast<std::uint32_t>(quit.kind),
                                              server_protocol::encodeRequest(quit)) &&
                server_protocol::readMessage(server.fromChild(), kind, payload)) {
                server.finish();
                return;
            }
        }
        server.terminate();
    }

    bool load() override {
        // A server that dies must not take this program with it.
        signal(SIGPIPE, SIG_IGN);
        std::string windowsPath;
        std::string serverWindowsPath;
        if (serverPath_.empty()) {
            error_ = "no plugin-server.exe known; name one with --server";
            return false;
        }
        if (!toWindowsPath(dllPath_, windowsPath, error_)) {
            return false;
        }
        if (!canStartServer()) {
            return false;
        }
        if (!server.start({winePath_, serverPath_}, error_)) {
            return false;
        }
        started = true;
        Request load;
        load.kind = RequestKind::load;
        load.text = windowsPath;
        if (request(load).kind == ReplyKind::done) {
            return true;
        }
        if (broken) {
            // The server never answered: Wine did not start it.
            const int status = server.finish();
            error_ = "Wine could not start " + serverPath_ + " (" + winePath_ +
                     " ended with status " + std::to_string(status) +
                     "): run scripts/setup.sh to install Wine and make its prefixes, or name a "
                     "working loader with --wine";
        }
        return false;
    }

    VstWord dispatch(int32 opcode, int32 index, VstWord value, float opt) override {
        Request dispatch;
        dispatch.kind = RequestKind::dispatch;
        dispatch.opcode = opcode;
        dispatch.index = index;
        dispatch.value = value;
        dispatch.opt = opt;
        return static_cast<VstWord>(request(dispatch).result);
    }

    std::string dispatchText(int32 opcode, int32 index) override {
        Request dispatch;
        dispatch.kind = RequestKind::dispatch;
        dispatch.opcode = opcode;
        dispatch.index = index;
        dispatch.textMode = TextMode::out;
        return request(dispatch).text;
    }

    void setParameter(int32 index, float value) override {
        Request set;
        set.kind = RequestKind::setParameter;
        set.index = index;
        set.opt = value;
        request(set);
    }

    void processBlock(const std::vector<MidiMessage>& midi, StereoBuffer& input,
                      StereoBuffer& output, ProcessMode mode) override {
        Request process;
        process.kind = RequestKind::process;
        process.replacing = mode == ProcessMode::replacing;
        process.events = midi;
        const auto frames = static_cast<std::size_t>(input.frames());
        process.inLeft.assign(input.left(), input.left() + frames);
        process.inRight.assign(input.right(), input.right() + frames);
        process.outLeft.assign(output.left(), output.left() + frames);
        process.outRight.assign(output.right(), output.right() + frames);
        const Reply reply = request(process);
        if (reply.kind == ReplyKind::done && reply.outLeft.size() == frames) {
            std::copy(reply.outLeft.begin(), reply.outLeft.end(), output.left());
            std::copy(reply.outRight.begin(), reply.outRight.end(), output.right());
        } else if (error_.empty()) {
            error_ = "the plug-in server returned a block of the wrong length";
        }
    }

    void close() override {
        Request close;
        close.kind = RequestKind::close;
        request(close);
    }

    std::vector<HostCall> takeCalls() override {
        std::vector<HostCall> taken;
        taken.swap(calls);
        return taken;
    }

    std::string description() const override { return dllPath_ + " under Wine"; }
    bool failed() const override { return !error_.empty(); }
    std::string error() const override { return error_; }

private:
    // A 32-bit server needs a machine that executes 32-bit programs, which
    // some kernels refuse; ask before starting Wine, so the user learns why
    // and what to do instead of meeting a server that never answers.
    bool canStartServer() {
        std::string error;
        if (windowsLibraryWidth(serverPath_, error) != 32) {
            return true;
        }
        const std::string reason = why32BitProgramsCannotRun(winePath_);
        if (reason.empty()) {
            return true;
        }
        error_ = "this machine cannot run 32-bit programs (" + reason + "), so Wine cannot run " +
                 dllPath_ + "; render with the 64-bit TARVEL.dll (build/win64/src/TARVEL.dll)";
        return false;
    }

    // One round trip. A failed reply or a broken pipe fails the connection.
    Reply request(const Request& request) {
        Reply reply;
        if (!error_.empty()) {
            reply.kind = ReplyKind::failed;
            return reply;
        }
        std::uint32_t kind = 0;
        std::vector<std::uint8_t> payload;
        if (!server_protocol::writeMessage(server.toChild(),
                                           static_cast<std::uint32_t>(request.kind),
                                           server_protocol::encodeRequest(request)) ||
            !server_protocol::readMessage(server.fromChild(), kind, payload)) {
            error_ = "the plug-in server stopped answering";
            broken = true;
            reply.kind = ReplyKind::failed;
            return reply;
        }
        if (!server_protocol::decodeReply(request.kind, kind, payload, reply)) {
            error_ = "the plug-in server sent a reply that cannot be read";
            broken = true;
            reply.kind = ReplyKind::failed;
            return reply;
        }
        if (reply.kind == ReplyKind::failed) {
            error_ = "plug-in server: " + reply.text;
            return reply;
        }
        calls.insert(calls.end(), reply.calls.begin(), reply.calls.end());
        return reply;
    }

    std::string dllPath_;
    std::string serverPath_;
    std::string winePath_;
    ChildProcess server;
    bool started = false;
    bool broken = false; // the stream is out of step or closed
    std::string error_;
    std::vector<HostCall> calls;
};

} // namespace

std::unique_ptr<PluginConnection> connectPluginServer(const std::string& dllPath,
                                                      const std::string& serverPath,
                                                      const std::string& winePath) {
    return std::make_unique<ServerConnection>(dllPath, serverPath, winePath);
}
