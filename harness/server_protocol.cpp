#include "harness/server_protocol.h"

#include <cstring>

#include "harness/byte_stream.h"

namespace server_protocol {

namespace {

constexpr std::uint8_t kCallHadPointer = 1;
constexpr std::uint8_t kCallFromNullEffect = 2;
// Each encoded event takes 32 bytes, each call at least 29: counts beyond
// what the payload can hold are refused before anything is allocated.
constexpr std::size_t kEventBytes = 32;
constexpr std::size_t kMinCallBytes = 29;
constexpr std::size_t kMessageEventBytes = 7;

void encodeCalls(ByteWriter& out, const std::vector<HostCall>& calls) {
    out.u32(static_cast<std::uint32_t>(calls.size()));
    for (const HostCall& call : calls) {
        out.i32(call.opcode);
        out.i32(call.index);
        out.i64(call.value);
        out.f32(call.opt);
        out.u8(static_cast<std::uint8_t>((call.hadPointer ? kCallHadPointer : 0) |
                                         (call.fromNullEffect ? kCallFromNullEffect : 0)));
        out.string(call.text);
        out.u32(static_cast<std::uint32_t>(call.events.size()));
        for (const VstEvent& event : call.events) {
            out.i32(event.type);
            out.i32(event.byteSize);
            out.i32(event.deltaFrames);
            out.i32(event.flags);
            for (char byte : event.data) {
                out.u8(static_cast<std::uint8_t>(byte));
            }
        }
    }
}

bool decodeCalls(ByteReader& in, std::vector<HostCall>& calls) {
    std::uint32_t count = 0;
    if (!in.u32(count) || count > in.remaining() / kMinCallBytes) {
        return false;
    }
    calls.assign(count, HostCall{});
    for (HostCall& call : calls) {
        std::uint8_t flags = 0;
        std::uint32_t eventCount = 0;
        if (!in.i32(call.opcode) || !in.i32(call.index) || !in.i64(call.value) ||
            !in.f32(call.opt) || !in.u8(flags) || !in.string(call.text) || !in.u32(eventCount) ||
            eventCount > in.remaining() / kEventBytes) {
            return false;
        }
        call.hadPointer = (flags & kCallHadPointer) != 0;
        call.fromNullEffect = (flags & kCallFromNullEffect) != 0;
        call.events.assign(eventCount, VstEvent{});
        for (VstEvent& event : call.events) {
            in.i32(event.type);
            in.i32(event.byteSize);
            in.i32(event.deltaFrames);
            in.i32(event.flags);
            for (char& byte : event.data) {
                std::uint8_t value = 0;
                in.u8(value);
                byte = static_cast<char>(value);
            }
        }
    }
    return in.ok();
}

void encodeRecord(ByteWriter& out, const RecordSummary& record) {
    for (int32 field :
         {record.magic, record.numPrograms, record.numParams, record.numInputs, record.numOutputs,
          record.flags, record.initialDelay, record.uniqueID, record.version}) {
        out.i32(field);
    }
}

bool decodeRecord(ByteReader& in, RecordSummary& record) {
    return in.i32(record.magic) && in.i32(record.numPrograms) && in.i32(record.numParams) &&
           in.i32(record.numInputs) && in.i32(record.numOutputs) && in.i32(record.flags) &&
           in.i32(record.initialDelay) && in.i32(record.uniqueID) && in.i32(record.version);
}

bool knownRequest(std::uint32_t kind) {
    return kind >= static_cast<std::uint32_t>(RequestKind::load) &&
           kind <= static_cast<std::uint32_t>(RequestKind::quit);
}

} // namespace

RecordSummary summarise(const AEffect& effect) {
    RecordSummary record;
    record.magic = effect.magic;
    record.numPrograms = effect.numPrograms;
    record.numParams = effect.numParams;
    record.numInputs = effect.numInputs;
    record.numOutputs = effect.numOutputs;
    record.flags = effect.flags;
    record.initialDelay = effect.initialDelay;
    record.uniqueID = effect.uniqueID;
    record.version = effect.version;
    return record;
}

std::vector<std::uint8_t> encodeRequest(const Request& request) {
    ByteWriter out;
    switch (request.kind) {
    case RequestKind::load:
        out.string(request.text);
        break;
    case RequestKind::dispatch:
        out.i32(request.opcode);
        out.i32(request.index);
        out.i64(request.value);
        out.f32(request.opt);
        out.u8(static_cast<std::uint8_t>(request.textMode));
        out.string(request.text);
        break;
    case RequestKind::setParameter:
        out.i32(request.index);
        out.f32(request.opt);
        break;
    case RequestKind::getParameter:
        out.i32(request.index);
        break;
    case RequestKind::process: {
        const std::size_t frames = request.inLeft.size();
        out.u8(request.replacing ? 1 : 0);
        out.u32(static_cast<std::uint32_t>(frames));
        out.u32(static_cast<std::uint32_t>(request.events.size()));
        for (const MidiMessage& message : request.events) {
            out.i32(message.frame);
            out.u8(message.status);
            out.u8(message.data1);
            out.u8(message.data2);
        }
        // All four channels are `frames` long; shorter ones are padded with silence.
        for (const std::vector<float>* channel :
             {&request.inLeft, &request.inRight, &request.outLeft, &request.outRight}) {
            std::vector<float> padded(*channel);
            padded.resize(frames, 0.0f);
            out.floats(padded.data(), frames);
        }
        break;
    }
    case RequestKind::close:
    case RequestKind::quit:
        break;
    }
    return out.take();
}

bool decodeRequest(std::uint32_t kind, const std::vector<std::uint8_t>& payload, Request& request) {
    if (!knownRequest(kind)) {
        return false;
    }
    request = Request{};
    request.kind = static_cast<RequestKind>(kind);
    ByteReader in(payload);
    switch (request.kind) {
    case RequestKind::load:
        in.string(request.text);
        break;
    case RequestKind::dispatch: {
        std::uint8_t mode = 0;
        in.i32(request.opcode);
        in.i32(request.index);
        in.i64(request.value);
        in.f32(request.opt);
        in.u8(mode);
        in.string(request.text);
        if (mode > static_cast<std::uint8_t>(TextMode::in)) {
            return false;
        }
        request.textMode = static_cast<TextMode>(mode);
        break;
    }
    case RequestKind::setParameter:
        in.i32(request.index);
        in.f32(request.opt);
        break;
    case RequestKind::getParameter:
        in.i32(request.index);
        break;
    case RequestKind::process: {
        std::uint8_t replacing = 0;
        std::uint32_t frames = 0;
        std::uint32_t eventCount = 0;
        if (!in.u8(replacing) || !in.u32(frames) || !in.u32(eventCount) ||
            eventCount > in.remaining() / kMessageEventBytes) {
            return false;
        }
        request.replacing = replacing != 0;
        request.events.resize(eventCount);
        for (MidiMessage& message : request.events) {
            in.i32(message.frame);
            in.u8(message.status);
            in.u8(message.data1);
            in.u8(message.data2);
        }
        in.floats(request.inLeft, frames);
        in.floats(request.inRight, frames);
        in.floats(request.outLeft, frames);
        in.floats(request.outRight, frames);
        break;
    }
    case RequestKind::close:
    case RequestKind::quit:
        break;
    }
    return in.atEnd();
}

std::vector<std::uint8_t> encodeReply(RequestKind answered, const Reply& reply) {
    ByteWriter out;
    if (reply.kind == ReplyKind::failed) {
        out.string(reply.text);
        return out.take();
    }
    switch (answered) {
    case RequestKind::load:
        encodeRecord(out, reply.record);
        break;
    case RequestKind::dispatch:
        out.i64(reply.result);
        out.string(reply.text);
        break;
    case RequestKind::setParameter:
        break;
    case RequestKind::getParameter:
        out.f32(reply.value);
        break;
    case RequestKind::process: {
        const std::size_t frames = reply.outLeft.size();
        std::vector<float> right(reply.outRight);
        right.resize(frames, 0.0f);
        out.i64(reply.result);
        out.u32(static_cast<std::uint32_t>(frames));
        out.floats(reply.outLeft.data(), frames);
        out.floats(right.data(), frames);
        break;
    }
    case RequestKind::close:
        out.i64(reply.result);
        break;
    case RequestKind::quit:
        return out.take();
    }
    encodeCalls(out, reply.calls);
    return out.take();
}

bool decodeReply(RequestKind answered, std::uint32_t kind, const std::vector<std::uint8_t>& payload,
                 Reply& reply) {
    reply = Reply{};
    ByteReader in(payload);
    if (kind == static_cast<std::uint32_t>(ReplyKind::failed)) {
        reply.kind = ReplyKind::failed;
        in.string(reply.text);
        return in.atEnd();
    }
    if (kind != static_cast<std::uint32_t>(ReplyKind::done)) {
        return false;
    }
    switch (answered) {
    case RequestKind::load:
        decodeRecord(in, reply.record);
        break;
    case RequestKind::dispatch:
        in.i64(reply.result);
        in.string(reply.text);
        break;
    case RequestKind::setParameter:
        break;
    case RequestKind::getParameter:
        in.f32(reply.value);
        break;
    case RequestKind::process: {
        std::uint32_t frames = 0;
        in.i64(reply.result);
        in.u32(frames);
        in.floats(reply.outLeft, frames);
        in.floats(reply.outRight, frames);
        break;
    }
    case RequestKind::close:
        in.i64(reply.result);
        break;
    case RequestKind::quit:
        return in.atEnd();
    }
    if (!in.ok() || !decodeCalls(in, reply.calls)) {
        return false;
    }
    return in.atEnd();
}

bool writeMessage(std::FILE* stream, std::uint32_t kind, const std::vector<std::uint8_t>& payload) {
    ByteWriter header;
    header.u32(kind);
    header.u32(static_cast<std::uint32_t>(payload.size()));
    const auto& head = header.bytes();
    if (std::fwrite(head.data(), 1, head.size(), stream) != head.size()) {
        return false;
    }
    if (!payload.empty() &&
        std::fwrite(payload.data(), 1, payload.size(), stream) != payload.size()) {
        return false;
    }
    return std::fflush(stream) == 0;
}

bool readMessage(std::FILE* stream, std::uint32_t& kind, std::vector<std::uint8_t>& payload) {
    std::uint8_t head[8];
    if (std::fread(head, 1, sizeof head, stream) != sizeof head) {
        return false;
    }
    ByteReader in(head, sizeof head);
    std::uint32_t length = 0;
    in.u32(kind);
    in.u32(length);
    if (length > kMaxPayload) {
        return false;
    }
    payload.resize(length);
    return length == 0 || std::fread(payload.data(), 1, length, stream) == length;
}

} // namespace server_protocol
