// The plug-in server's request handling, run here against the linked-in
// plug-in: what plugin-server.exe does with TARVEL.dll under Wine.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "harness/plugin_server.h"
#include "harness/server_protocol.h"
#include "host/vst_opcodes.h"

namespace {

using namespace server_protocol;

Request dispatchRequest(int32 opcode, TextMode mode = TextMode::none,
                        const std::string& text = "") {
    Request request;
    request.kind = RequestKind::dispatch;
    request.opcode = opcode;
    request.textMode = mode;
    request.text = text;
    return request;
}

Request loadRequest() {
    Request request;
    request.kind = RequestKind::load;
    return request; // natively the path is empty: the linked-in plug-in
}

// A rising ramp from below zero: one upward crossing at `crossing`.
Request rampBlock(int32 frames, int32 crossing) {
    Request request;
    request.kind = RequestKind::process;
    for (int32 i = 0; i < frames; ++i) {
        request.inLeft.push_back(static_cast<float>(i - crossing) / 64.0f);
    }
    request.inRight = request.inLeft;
    request.outLeft.assign(static_cast<std::size_t>(frames), 0.0f);
    request.outRight = request.outLeft;
    return request;
}

TEST(PluginServerRequests, RefusesWorkBeforeALoad) {
    PluginServer server;
    const Reply reply = server.handle(dispatchRequest(effOpen));
    EXPECT_EQ(reply.kind, ReplyKind::failed);
    EXPECT_FALSE(reply.text.empty());
}

TEST(PluginServerRequests, LoadReportsTheRecordAndTheVersionQuery) {
    PluginServer server;
    const Reply reply = server.handle(loadRequest());
    ASSERT_EQ(reply.kind, ReplyKind::done) << reply.text;
    EXPECT_EQ(reply.record.magic, kEffectMagic);
    EXPECT_EQ(reply.record.numParams, 2);
    EXPECT_EQ(reply.record.numInputs, 2);
    EXPECT_EQ(reply.record.numOutputs, 2);
    EXPECT_EQ(reply.record.uniqueID, fourCharCode('T', 'v', 'r', 'l'));
    ASSERT_FALSE(reply.calls.empty());
    EXPECT_EQ(reply.calls[0].opcode, audioMasterVersion);
    EXPECT_TRUE(reply.calls[0].fromNullEffect);

    EXPECT_EQ(server.handle(loadRequest()).kind, ReplyKind::failed); // one plug-in per server
}

TEST(PluginServerRequests, DispatchCarriesTextsBothWays) {
    PluginServer server;
    ASSERT_EQ(server.handle(loadRequest()).kind, ReplyKind::done);
    EXPECT_EQ(server.handle(dispatchRequest(effGetEffectName, TextMode::out)).text, "Tarvel");
    EXPECT_EQ(server.handle(dispatchRequest(effGetVendorString, TextMode::out)).text, "Ostrand");
    EXPECT_EQ(server.handle(dispatchRequest(effCanDo, TextMode::in, "receiveVstTimeInfo")).result,
              1);
    EXPECT_EQ(server.handle(dispatchRequest(effCanDo, TextMode::in, "2in2out")).result, -1);
    EXPECT_EQ(server.handle(dispatchRequest(effGetVendorVersion)).result, 101);

    const Reply resumed = server.handle([] {
        Request request = dispatchRequest(effMainsChanged);
        request.value = 1;
        return request;
    }());
    EXPECT_EQ(countCalls(resumed.calls, audioMasterWantMidi), 1);
}

TEST(PluginServerRequests, ParametersGoThroughTheEntries) {
    PluginServer server;
    ASSERT_EQ(server.handle(loadRequest()).kind, ReplyKind::done);
    Request set;
    set.kind = RequestKind::setParameter;
    set.index = 1;
    set.opt = 0.375f;
    EXPECT_EQ(server.handle(set).kind, ReplyKind::done);
    Request get;
    get.kind = RequestKind::getParameter;
    get.index = 1;
    EXPECT_EQ(server.handle(get).value, 0.375f);
}

TEST(PluginServerRequests, ProcessMatchesTheInProcessHostAndRelaysMidi) {
    PluginServer server;
    ASSERT_EQ(server.handle(loadRequest()).kind, ReplyKind::done);
    PluginHost direct;
    std::string error;
    const auto module = openPluginModule("", error);
    ASSERT_TRUE(direct.load(module->entry()));

    for (int block = 0; block < 3; ++block) {
        Request request = rampBlock(256, 40 + block * 50);
        request.events = {controller1(10, 32), {100, 0x90, 64, 90}};
        const Reply reply = server.handle(request);
        ASSERT_EQ(reply.kind, ReplyKind::done);
        EXPECT_EQ(reply.result, 1); // the plug-in took the event list

        StereoBuffer input(256);
        std::copy(request.inLeft.begin(), request.inLeft.end(), input.left());
        std::copy(request.inRight.begin(), request.inRight.end(), input.right());
        StereoBuffer output(256);
        direct.processBlock(request.events, input, output, ProcessMode::replacing);
        EXPECT_EQ(reply.outLeft, std::vector<float>(output.left(), output.left() + 256));
        EXPECT_EQ(reply.outRight, std::vector<float>(output.right(), output.right() + 256));

        const std::vector<VstMidiEvent> relayed = relayedMidi(reply.calls);
        ASSERT_EQ(relayed.size(), 2u);
        EXPECT_EQ(relayed[0].deltaFrames, 10);
        EXPECT_EQ(static_cast<std::uint8_t>(relayed[1].midiData[0]), 0x90);
    }
}

TEST(PluginServerRequests, CloseEndsTheInstance) {
    PluginServer server;
    ASSERT_EQ(server.handle(loadRequest()).kind, ReplyKind::done);
    Request close;
    close.kind = RequestKind::close;
    EXPECT_EQ(server.handle(close).result, 1);
    EXPECT_EQ(server.handle(dispatchRequest(effOpen)).kind, ReplyKind::failed);
}

// The whole loop over streams: replies in request order, a malformed
// request answered as failed without losing step, quit ends the loop.
TEST(PluginServerStreams, ServesUntilQuitAndSurvivesAMalformedRequest) {
    std::FILE* requests = std::tmpfile();
    std::FILE* replies = std::tmpfile();
    ASSERT_NE(requests, nullptr);
    ASSERT_NE(replies, nullptr);
    writeMessage(requests, 1, encodeRequest(loadRequest()));
    writeMessage(requests, 2, {1, 2, 3}); // a dispatch cut short
    writeMessage(requests, 2, encodeRequest(dispatchRequest(effGetProductString, TextMode::out)));
    writeMessage(requests, 7, {});
    writeMessage(requests, 2, encodeRequest(dispatchRequest(effOpen))); // after quit: unread
    std::rewind(requests);

    PluginServer server;
    EXPECT_TRUE(server.serve(requests, replies));
    std::rewind(replies);

    std::uint32_t kind = 0;
    std::vector<std::uint8_t> payload;
    Reply reply;
    ASSERT_TRUE(readMessage(replies, kind, payload));
    ASSERT_TRUE(decodeReply(RequestKind::load, kind, payload, reply));
    EXPECT_EQ(reply.kind, ReplyKind::done);
    ASSERT_TRUE(readMessage(replies, kind, payload));
    ASSERT_TRUE(decodeReply(RequestKind::dispatch, kind, payload, reply));
    EXPECT_EQ(reply.kind, ReplyKind::failed);
    ASSERT_TRUE(readMessage(replies, kind, payload));
    ASSERT_TRUE(decodeReply(RequestKind::dispatch, kind, payload, reply));
    EXPECT_EQ(reply.text, "Ostrand Tarvel");
    ASSERT_TRUE(readMessage(replies, kind, payload));
    EXPECT_TRUE(decodeReply(RequestKind::quit, kind, payload, reply));
    EXPECT_FALSE(readMessage(replies, kind, payload));
    std::fclose(requests);
    std::fclose(replies);
}

} // namespace
