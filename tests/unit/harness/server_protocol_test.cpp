// The plug-in server's messages: every request and reply survives encoding
// exactly, and broken payloads are refused rather than half read.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "harness/byte_stream.h"
#include "harness/server_protocol.h"

namespace {

using namespace server_protocol;

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Values whose bits a careless encoding would change.
const std::vector<float> kAwkwardFloats = {-0.0f,
                                           1.0e-40f /* subnormal */,
                                           std::numeric_limits<float>::quiet_NaN(),
                                           -std::numeric_limits<float>::infinity(),
                                           0.1f,
                                           1.0f / 3.0f};

void expectSameBits(const std::vector<float>& a, const std::vector<float>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(bitsOf(a[i]), bitsOf(b[i])) << "sample " << i;
    }
}

Request processRequest() {
    Request request;
    request.kind = RequestKind::process;
    request.replacing = false;
    request.events = {{0, 0xB0, 1, 127}, {5, 0x90, 60, 100}};
    request.inLeft = kAwkwardFloats;
    request.inRight = {1, 2, 3, 4, 5, 6};
    request.outLeft = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    request.outRight = kAwkwardFloats;
    return request;
}

Reply replyWithCalls() {
    Reply reply;
    reply.result = -5;
    reply.text = "Tarvel";
    reply.outLeft = kAwkwardFloats;
    reply.outRight = {7, 8, 9, 10, 11, 12};
    HostCall version;
    version.opcode = 1;
    version.fromNullEffect = true;
    HostCall relay;
    relay.opcode = 8;
    relay.value = -1234567890123ll;
    relay.opt = -0.0f;
    relay.hadPointer = true;
    relay.text = "canDo text";
    VstMidiEvent midi{};
    midi.type = kVstMidiType;
    midi.byteSize = 32;
    midi.deltaFrames = 600;
    midi.midiData[0] = static_cast<char>(0xB3);
    midi.midiData[2] = 127;
    midi.reserved1 = 99;
    VstEvent event;
    std::memcpy(&event, &midi, sizeof event);
    relay.events = {event, event};
    reply.calls = {version, relay};
    return reply;
}

TEST(ServerRequests, EveryKindRoundTrips) {
    Request dispatch;
    dispatch.kind = RequestKind::dispatch;
    dispatch.opcode = 51;
    dispatch.index = -3;
    dispatch.value = std::numeric_limits<std::int64_t>::min();
    dispatch.opt = -0.0f;
    dispatch.textMode = TextMode::in;
    dispatch.text = "receiveVstTimeInfo";

    Request decoded;
    ASSERT_TRUE(decodeRequest(2, encodeRequest(dispatch), decoded));
    EXPECT_EQ(decoded.kind, RequestKind::dispatch);
    EXPECT_EQ(decoded.opcode, 51);
    EXPECT_EQ(decoded.index, -3);
    EXPECT_EQ(decoded.value, dispatch.value);
    EXPECT_EQ(bitsOf(decoded.opt), bitsOf(-0.0f));
    EXPECT_EQ(decoded.textMode, TextMode::in);
    EXPECT_EQ(decoded.text, "receiveVstTimeInfo");

    Request load;
    load.kind = RequestKind::load;
    load.text = "Z:\\build\\TARVEL.dll";
    ASSERT_TRUE(decodeRequest(1, encodeRequest(load), decoded));
    EXPECT_EQ(decoded.text, load.text);

    Request set;
    set.kind = RequestKind::setParameter;
    set.index = 1;
    set.opt = 0.25f;
    ASSERT_TRUE(decodeRequest(3, encodeRequest(set), decoded));
    EXPECT_EQ(decoded.index, 1);
    EXPECT_EQ(decoded.opt, 0.25f);

    for (RequestKind empty : {RequestKind::close, RequestKind::quit}) {
        Request request;
        request.kind = empty;
        EXPECT_TRUE(encodeRequest(request).empty());
        EXPECT_TRUE(decodeRequest(static_cast<std::uint32_t>(empty), {}, decoded));
    }
}

TEST(ServerRequests, ProcessKeepsEventsAndExactSamples) {
    const Request request = processRequest();
    Request decoded;
    ASSERT_TRUE(decodeRequest(5, encodeRequest(request), decoded));
    EXPECT_FALSE(decoded.replacing);
    ASSERT_EQ(decoded.events.size(), 2u);
    EXPECT_EQ(decoded.events[0], request.events[0]);
    EXPECT_EQ(decoded.events[1], request.events[1]);
    expectSameBits(decoded.inLeft, request.inLeft);
    expectSameBits(decoded.inRight, request.inRight);
    expectSameBits(decoded.outLeft, request.outLeft);
    expectSameBits(decoded.outRight, request.outRight);
}

TEST(ServerRequests, RefusesTruncatedOverlongAndUnknownPayloads) {
    const std::vector<std::uint8_t> full = encodeRequest(processRequest());
    Request decoded;
    for (std::size_t length = 0; length < full.size(); ++length) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + length);
        EXPECT_FALSE(decodeRequest(5, cut, decoded)) << "length " << length;
    }
    std::vector<std::uint8_t> longer = full;
    longer.push_back(0);
    EXPECT_FALSE(decodeRequest(5, longer, decoded));
    EXPECT_FALSE(decodeRequest(0, {}, decoded));
    EXPECT_FALSE(decodeRequest(8, {}, decoded));

    // An event count no payload could hold is refused before anything is
    // allocated for it.
    ByteWriter huge;
    huge.u8(1);
    huge.u32(0);
    huge.u32(0xFFFFFFFFu);
    EXPECT_FALSE(decodeRequest(5, huge.bytes(), decoded));

    Request dispatch;
    dispatch.kind = RequestKind::dispatch;
    std::vector<std::uint8_t> badMode = encodeRequest(dispatch);
    badMode[20] = 3; // the text mode byte
    EXPECT_FALSE(decodeRequest(2, badMode, decoded));
}

TEST(ServerReplies, ProcessReplyKeepsSamplesAndCalls) {
    const Reply reply = replyWithCalls();
    Reply decoded;
    ASSERT_TRUE(
        decodeReply(RequestKind::process, 0, encodeReply(RequestKind::process, reply), decoded));
    EXPECT_EQ(decoded.kind, ReplyKind::done);
    EXPECT_EQ(decoded.result, -5);
    expectSameBits(decoded.outLeft, reply.outLeft);
    expectSameBits(decoded.outRight, reply.outRight);

    ASSERT_EQ(decoded.calls.size(), 2u);
    EXPECT_TRUE(decoded.calls[0].fromNullEffect);
    EXPECT_FALSE(decoded.calls[0].hadPointer);
    const HostCall& relay = decoded.calls[1];
    EXPECT_EQ(relay.opcode, 8);
    EXPECT_EQ(relay.value, -1234567890123ll);
    EXPECT_EQ(bitsOf(relay.opt), bitsOf(-0.0f));
    EXPECT_TRUE(relay.hadPointer);
    EXPECT_FALSE(relay.fromNullEffect);
    EXPECT_EQ(relay.text, "canDo text");
    ASSERT_EQ(relay.events.size(), 2u);
    EXPECT_EQ(std::memcmp(&relay.events[1], &reply.calls[1].events[1], sizeof(VstEvent)), 0);
}

TEST(ServerReplies, EachKindCarriesItsOwnFields) {
    Reply reply = replyWithCalls();
    reply.record.magic = kEffectMagic;
    reply.record.uniqueID = fourCharCode('T', 'v', 'r', 'l');
    reply.record.flags = 25;
    reply.value = 0.125f;
    Reply decoded;

    ASSERT_TRUE(decodeReply(RequestKind::load, 0, encodeReply(RequestKind::load, reply), decoded));
    EXPECT_EQ(decoded.record.magic, kEffectMagic);
    EXPECT_EQ(decoded.record.uniqueID, reply.record.uniqueID);
    EXPECT_EQ(decoded.record.flags, 25);
    EXPECT_EQ(decoded.calls.size(), 2u);

    ASSERT_TRUE(
        decodeReply(RequestKind::dispatch, 0, encodeReply(RequestKind::dispatch, reply), decoded));
    EXPECT_EQ(decoded.result, -5);
    EXPECT_EQ(decoded.text, "Tarvel");

    ASSERT_TRUE(decodeReply(RequestKind::getParameter, 0,
                            encodeReply(RequestKind::getParameter, reply), decoded));
    EXPECT_EQ(decoded.value, 0.125f);

    Reply failedReply;
    failedReply.kind = ReplyKind::failed;
    failedReply.text = "no plug-in is loaded";
    ASSERT_TRUE(decodeReply(RequestKind::process, 1, encodeReply(RequestKind::process, failedReply),
                            decoded));
    EXPECT_EQ(decoded.kind, ReplyKind::failed);
    EXPECT_EQ(decoded.text, "no plug-in is loaded");
}

TEST(ServerReplies, RefusesTruncatedReplies) {
    const std::vector<std::uint8_t> full = encodeReply(RequestKind::process, replyWithCalls());
    Reply decoded;
    for (std::size_t length = 0; length < full.size(); ++length) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + length);
        EXPECT_FALSE(decodeReply(RequestKind::process, 0, cut, decoded)) << "length " << length;
    }
    EXPECT_FALSE(decodeReply(RequestKind::process, 2, full, decoded));
}

TEST(ServerFraming, MessagesFollowEachOtherOnAStream) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    const std::vector<std::uint8_t> first = {1, 2, 3, 0x0A, 0x0D, 0x1A};
    ASSERT_TRUE(writeMessage(stream, 5, first));
    ASSERT_TRUE(writeMessage(stream, 7, {}));
    std::rewind(stream);

    std::uint32_t kind = 0;
    std::vector<std::uint8_t> payload;
    ASSERT_TRUE(readMessage(stream, kind, payload));
    EXPECT_EQ(kind, 5u);
    EXPECT_EQ(payload, first);
    ASSERT_TRUE(readMessage(stream, kind, payload));
    EXPECT_EQ(kind, 7u);
    EXPECT_TRUE(payload.empty());
    EXPECT_FALSE(readMessage(stream, kind, payload)); // end of stream
    std::fclose(stream);
}

TEST(ServerFraming, RefusesLengthsBeyondTheLimitAndCutFrames) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    ByteWriter header;
    header.u32(5);
    header.u32(kMaxPayload + 1);
    std::fwrite(header.bytes().data(), 1, header.bytes().size(), stream);
    std::rewind(stream);
    std::uint32_t kind = 0;
    std::vector<std::uint8_t> payload;
    EXPECT_FALSE(readMessage(stream, kind, payload));
    std::fclose(stream);

    stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    ByteWriter cut;
    cut.u32(5);
    cut.u32(10);
    cut.u8(1); // 1 of 10 promised bytes
    std::fwrite(cut.bytes().data(), 1, cut.bytes().size(), stream);
    std::rewind(stream);
    EXPECT_FALSE(readMessage(stream, kind, payload));
    std::fclose(stream);
}

} // namespace
