#include "harness/plugin_server.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "host/vst_opcodes.h"

using server_protocol::Reply;
using server_protocol::ReplyKind;
using server_protocol::Request;
using server_protocol::RequestKind;
using server_protocol::TextMode;

namespace {

constexpr std::size_t kTextBufferSize = 256;

Reply failed(const std::string& reason) {
    Reply reply;
    reply.kind = ReplyKind::failed;
    reply.text = reason;
    return reply;
}

// Copies up to `frames` samples; a shorter channel leaves the rest silent.
void copyChannel(const std::vector<float>& from, float* to, int32 frames) {
    const std::size_t count = std::min(from.size(), static_cast<std::size_t>(frames));
    std::copy(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(count), to);
}

} // namespace

PluginServer::~PluginServer() {
    host_.reset();
    module_.reset();
}

Reply PluginServer::handle(const Request& request) {
    if (request.kind == RequestKind::quit) {
        return Reply{};
    }
    if (request.kind == RequestKind::load) {
        return load(request.text);
    }
    if (host_ == nullptr || !host_->isLoaded()) {
        return failed("no plug-in is loaded");
    }
    Reply reply;
    switch (request.kind) {
    case RequestKind::dispatch:
        return dispatch(request);
    case RequestKind::setParameter:
        host_->setParameter(request.index, request.opt);
        break;
    case RequestKind::getParameter:
        reply.value = host_->getParameter(request.index);
        break;
    case RequestKind::process:
        return process(request);
    case RequestKind::close:
        reply.result = host_->dispatch(effClose);
        break;
    case RequestKind::load:
    case RequestKind::quit:
        break;
    }
    reply.calls = host_->takeCalls();
    return reply;
}

Reply PluginServer::load(const std::string& path) {
    if (host_ != nullptr && host_->isLoaded()) {
        return failed("a plug-in is loaded already");
    }
    std::string error;
    std::unique_ptr<PluginModule> module = openPluginModule(path, error);
    if (module == nullptr) {
        return failed(error);
    }
    auto host = std::make_unique<PluginHost>();
    if (!host->load(module->entry())) {
        return failed("the plug-in refused to load (main returned null)");
    }
    host_ = std::move(host);
    module_ = std::move(module);
    Reply reply;
    reply.record = server_protocol::summarise(*host_->effect());
    reply.calls = host_->takeCalls();
    return reply;
}

Reply PluginServer::dispatch(const Request& request) {
    Reply reply;
    std::array<char, kTextBufferSize> text{};
    void* ptr = nullptr;
    if (request.textMode == TextMode::in) {
        std::strncpy(text.data(), request.text.c_str(), text.size() - 1);
        ptr = text.data();
    } else if (request.textMode == TextMode::out) {
        ptr = text.data();
    }
    reply.result = host_->dispatch(request.opcode, request.index,
                                   static_cast<VstWord>(request.value), ptr, request.opt);
    if (request.textMode == TextMode::out) {
        text.back() = '\0';
        reply.text = text.data();
    }
    reply.calls = host_->takeCalls();
    return reply;
}

Reply PluginServer::process(const Request& request) {
    const auto frames = static_cast<int32>(request.inLeft.size());
    StereoBuffer input(frames);
    StereoBuffer output(frames);
    copyChannel(request.inLeft, input.left(), frames);
    copyChannel(request.inRight, input.right(), frames);
    copyChannel(request.outLeft, output.left(), frames);
    copyChannel(request.outRight, output.right(), frames);
    Reply reply;
    reply.result =
        host_->processBlock(request.events, input, output,
                            request.replacing ? ProcessMode::replacing : ProcessMode::accumulating);
    reply.outLeft.assign(output.left(), output.left() + frames);
    reply.outRight.assign(output.right(), output.right() + frames);
    reply.calls = host_->takeCalls();
    return reply;
}

bool PluginServer::serve(std::FILE* in, std::FILE* out) {
    std::uint32_t kind = 0;
    std::vector<std::uint8_t> payload;
    while (server_protocol::readMessage(in, kind, payload)) {
        Request request;
        Reply reply;
        if (!server_protocol::decodeRequest(kind, payload, request)) {
            // A request the server cannot read: say so and keep serving, the
            // stream itself is still in step.
            reply = failed("malformed request of kind " + std::to_string(kind));
        } else {
            reply = handle(request);
        }
        const auto answered = static_cast<RequestKind>(kind);
        const auto replyKind = static_cast<std::uint32_t>(reply.kind);
        if (!server_protocol::writeMessage(out, replyKind,
                                           server_protocol::encodeReply(answered, reply))) {
            return false;
        }
        if (reply.kind == ReplyKind::done && request.kind == RequestKind::quit) {
            return true;
        }
    }
    return std::feof(in) != 0;
}
