// A host that delivers events carelessly: every event type with nonsense
// sizes and frame positions, lists that are empty, missing, too long or have
// holes, status and data bytes out of range, and a host that calls back into
// the effect while it is being sent an event.
#include <algorithm>
#include <vector>

#include "hostile/hostile_support.h"

using namespace hostile;

namespace {

constexpr int32 kBlock = 64;

VstMidiEvent eventOf(int32 type, int32 byteSize, int32 deltaFrames, int status) {
    VstMidiEvent event = midiEvent(deltaFrames, status, 1, 100);
    event.type = type;
    event.byteSize = byteSize;
    return event;
}

} // namespace

// Only MIDI events are queued, whatever their size field says; each is
// relayed within the first block processed after it arrived, at its frame,
// and with its frame position when that is one (0 when it is negative).
TEST(HostileEvents, EveryTypeWithNonsenseSizesAndPositions) {
    Plugin plugin;
    const int32 types[] = {kVstMidiType,
                           kVstAudioType,
                           kVstVideoType,
                           kVstParameterType,
                           kVstTriggerType,
                           kVstSysExType,
                           0,
                           -1,
                           99,
                           kIntMax};
    const int32 sizes[] = {32, 0, -1, 8, 24, kIntMax, kIntMin};
    const int32 positions[] = {0, 63, 64, 65, -1, -99, -64, kIntMin, kIntMax, 1 << 20};
    long long sent = 0;
    for (int32 type : types) {
        std::vector<VstMidiEvent> events;
        for (int32 size : sizes) {
            for (int32 position : positions) {
                events.push_back(eventOf(type, size, position, 0x90));
            }
        }
        plugin.host.clearCalls();
        EventList list(events);
        ASSERT_EQ(plugin.dispatch(effProcessEvents, 0, 0, list.list()), 1);
        render(plugin.record, sine(kBlock, 20.0), kBlock);
        sent += static_cast<long long>(events.size());

        const std::vector<VstMidiEvent> relayed = relayedEvents(plugin.host);
        EXPECT_EQ(relayed.size(), type == kVstMidiType ? events.size() : 0u) << "type " << type;
        EXPECT_EQ(plugin.effect().queuedEvents(), 0);
        for (const VstMidiEvent& event : relayed) {
            EXPECT_EQ(event.type, kVstMidiType);
            EXPECT_GE(event.deltaFrames, 0);
        }
    }
    RecordProperty("events", static_cast<int>(sent));
    expectStillWorks(plugin);
}

TEST(HostileEvents, MissingEmptyAndHoledLists) {
    Plugin plugin;
    EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, nullptr), 0) << "no list, nothing admitted";

    std::vector<VstMidiEvent> none;
    EventList empty(none);
    EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, empty.list()), 1);
    empty.list()->numEvents = -5;
    EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, empty.list()), 1);
    EXPECT_EQ(plugin.effect().queuedEvents(), 0);

    std::vector<VstMidiEvent> events{midiEvent(1, 0x90, 60, 1), midiEvent(2, 0x90, 61, 1),
                                     midiEvent(3, 0x90, 62, 1)};
    EventList holed(events);
    holed.list()->events[1] = nullptr;
    EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, holed.list()), 1);
    render(plugin.record, sine(kBlock, 20.0), kBlock);
    const std::vector<VstMidiEvent> relayed = relayedEvents(plugin.host);
    ASSERT_EQ(relayed.size(), 2u) << "a missing entry is skipped, the rest are relayed";
    EXPECT_EQ(relayed[0].midiData[1], 60);
    EXPECT_EQ(relayed[1].midiData[1], 62);
    expectStillWorks(plugin);
}

// 600 events in one list and 300 more before the block: the 249 slots fill,
// the rest are dropped, and everything queued is relayed in the block.
TEST(HostileEvents, MoreEventsThanSlots) {
    Plugin plugin;
    std::vector<VstMidiEvent> flood;
    for (int i = 0; i < 600; ++i) {
        flood.push_back(midiEvent(i % kBlock, 0x90, i % 128, 1 + i % 127));
    }
    EventList list(flood);
    EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, list.list()), 1);
    EXPECT_EQ(plugin.dispatch(effProcessEvents, 0, 0, list.list()), 1);
    EXPECT_EQ(plugin.effect().queuedEvents(), 249);
    render(plugin.record, sine(kBlock, 20.0), kBlock);
    const std::vector<VstMidiEvent> relayed = relayedEvents(plugin.host);
    EXPECT_EQ(relayed.size(), 249u);
    EXPECT_TRUE(std::is_sorted(
        relayed.begin(), relayed.end(),
        [](const VstMidiEvent& a, const VstMidiEvent& b) { return a.deltaFrames < b.deltaFrames; }))
        << "relayed in frame order";
    expectStillWorks(plugin);
}

// Every status byte with data bytes that have their top bit set: only
// channel messages are relayed, with data masked to seven bits; controller 1
// with a data byte of 0xFF counts as 127.
TEST(HostileEvents, EveryStatusByteWithOutOfRangeData) {
    Plugin plugin;
    long long channelMessages = 0;
    for (int status = 0; status < 256; ++status) {
        std::vector<VstMidiEvent> event{midiEvent(5, status, 0xFF, 0xFF)};
        if ((status & 0xF0) == 0xB0) {
            event[0].midiData[1] = 1;
        }
        EventList list(event);
        plugin.dispatch(effProcessEvents, 0, 0, list.list());
        render(plugin.record, sine(kBlock, 20.0), kBlock);
        channelMessages += status >= 0x80 && status < 0xF0 ? 1 : 0;
    }
    const std::vector<VstMidiEvent> relayed = relayedEvents(plugin.host);
    EXPECT_EQ(static_cast<long long>(relayed.size()), channelMessages);
    for (const VstMidiEvent& event : relayed) {
        EXPECT_EQ(event.midiData[1] & 0x80, 0);
        EXPECT_EQ(event.midiData[2] & 0x80, 0);
    }
    EXPECT_EQ(plugin.record->getParameter(plugin.record, TarvelEffect::kNcvolume), 1.0f);
    plugin.record->setParameter(plugin.record, TarvelEffect::kNcvolume, 1.0f);
    expectStillWorks(plugin);
}

// A host that, while being sent a relayed event, delivers more events and
// changes parameters and the program from inside the callback: the new
// events are relayed in this block or at the start of the next, and the
// parameter changes stick.
TEST(HostileEvents, HostCallingBackIntoTheEffectDuringARelay) {
    Plugin plugin;
    std::vector<VstMidiEvent> nested{midiEvent(5, 0x91, 70, 1), midiEvent(40, 0x91, 71, 1)};
    EventList nestedList(nested);
    int relays = 0;
    plugin.host.observeCalls([&](const HostCall& call) {
        if (call.opcode != audioMasterProcessEvents || ++relays > 3) {
            return;
        }
        plugin.dispatch(effProcessEvents, 0, 0, nestedList.list());
        plugin.record->setParameter(plugin.record, TarvelEffect::kIpvolume, 0.5f);
        plugin.dispatch(effSetProgram, 0, 0);
    });
    std::vector<VstMidiEvent> first{midiEvent(20, 0x90, 60, 1)};
    EventList list(first);
    plugin.dispatch(effProcessEvents, 0, 0, list.list());
    render(plugin.record, sine(kBlock, 20.0), kBlock);
    render(plugin.record, sine(kBlock, 20.0), kBlock);
    plugin.host.observeCalls(nullptr);
    EXPECT_EQ(plugin.effect().queuedEvents(), 0);
    EXPECT_EQ(relayedEvents(plugin.host).size(), 1u + 3u * 2u);
    EXPECT_EQ(plugin.record->getParameter(plugin.record, TarvelEffect::kIpvolume), 0.5f);
    plugin.record->setParameter(plugin.record, TarvelEffect::kIpvolume, 1.0f);
    expectStillWorks(plugin);
}
