// The plug-in server's protocol: how a native program drives a plug-in that
// runs in another process (the Windows library under Wine).
//
// The client writes a request to the server's standard input and reads the
// reply from its standard output; both streams are binary. Every message is
//
//     u32 kind, u32 length, then `length` bytes of payload
//
// with all integers little-endian, floats as their IEEE-754 bit patterns
// (u32), and strings as u32 length followed by that many bytes. One reply
// follows each request, in order.
//
// Requests (kind, payload):
//   1 load          string library path (as the server's system names it)
//   2 dispatch      i32 opcode, i32 index, i64 value, f32 opt,
//                   u8 text mode (0 no pointer, 1 text out, 2 text in), string text in
//   3 setParameter  i32 index, f32 value
//   4 getParameter  i32 index
//   5 process       u8 mode (1 processReplacing, 0 process), u32 frames,
//                   u32 event count, per event: i32 frame, u8 status, data1, data2,
//                   then f32 × frames for: left in, right in, left out, right out
//                   (the outputs as they stand before the block: process adds to them)
//   6 close         (empty) effClose
//   7 quit          (empty) the server replies and exits
//
// Replies: kind 0 (done) with the payload below, or kind 1 (failed) with a
// string saying why. Every done reply except quit's ends with the host
// calls the plug-in made since the previous reply (see Calls below).
//   load          i32 × 9: magic, numPrograms, numParams, numInputs, numOutputs,
//                 flags, initialDelay, uniqueID, version; calls
//   dispatch      i64 result, string text out; calls
//   setParameter  calls
//   getParameter  f32 value; calls
//   process       i64 answer to effProcessEvents (0 when the block had no events),
//                 u32 frames, f32 × frames left out, f32 × frames right out; calls
//   close         i64 result; calls
//   quit          (empty)
//
// Calls: u32 count, then per call: i32 opcode, i32 index, i64 value, f32 opt,
// u8 flags (1: a pointer was passed, 2: the record pointer was null),
// string text argument, u32 event count, per event its 32 bytes: i32 type,
// i32 byteSize, i32 deltaFrames, i32 flags, 16 bytes of event data.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "harness/host_call.h"
#include "harness/midi_event_list.h"

namespace server_protocol {

enum class RequestKind : std::uint32_t {
    load = 1,
    dispatch = 2,
    setParameter = 3,
    getParameter = 4,
    process = 5,
    close = 6,
    quit = 7,
};

enum class ReplyKind : std::uint32_t { done = 0, failed = 1 };

enum class TextMode : std::uint8_t { none = 0, out = 1, in = 2 };

// No message is larger: a longer length means a broken stream.
constexpr std::uint32_t kMaxPayload = 256u * 1024u * 1024u;

// One request; the fields its kind does not use stay at their defaults.
struct Request {
    RequestKind kind = RequestKind::quit;
    std::string text; // load: library path; dispatch: text in
    int32 opcode = 0;
    int32 index = 0;
    std::int64_t value = 0;
    float opt = 0.0f; // dispatch: opt; setParameter: the value
    TextMode textMode = TextMode::none;
    bool replacing = true;
    std::vector<MidiMessage> events;
    std::vector<float> inLeft, inRight, outLeft, outRight;
};

// The record's fields a client cares about.
struct RecordSummary {
    int32 magic = 0;
    int32 numPrograms = 0;
    int32 numParams = 0;
    int32 numInputs = 0;
    int32 numOutputs = 0;
    int32 flags = 0;
    int32 initialDelay = 0;
    int32 uniqueID = 0;
    int32 version = 0;
};

RecordSummary summarise(const AEffect& effect);

// One reply; `kind` says whether it is `failed` (then only `text` counts).
struct Reply {
    ReplyKind kind = ReplyKind::done;
    std::string text; // dispatch: text out; failed: the reason
    std::int64_t result = 0;
    float value = 0.0f;
    RecordSummary record;
    std::vector<float> outLeft, outRight;
    std::vector<HostCall> calls;
};

std::vector<std::uint8_t> encodeRequest(const Request& request);
// False for a payload that does not match `kind` exactly.
bool decodeRequest(std::uint32_t kind, const std::vector<std::uint8_t>& payload, Request& request);

// A reply's payload depends on the request it answers.
std::vector<std::uint8_t> encodeReply(RequestKind answered, const Reply& reply);
bool decodeReply(RequestKind answered, std::uint32_t kind, const std::vector<std::uint8_t>& payload,
                 Reply& reply);

// Framing on a binary stream. readMessage returns false at the end of the
// stream or on a broken frame.
bool writeMessage(std::FILE* stream, std::uint32_t kind, const std::vector<std::uint8_t>& payload);
bool readMessage(std::FILE* stream, std::uint32_t& kind, std::vector<std::uint8_t>& payload);

} // namespace server_protocol
