// What the harness records of each host call and how it answers. The
// harness renders offline and opens no windows: it grants MIDI in both
// directions and answers the queries about itself, and declines the rest.
#include <cstring>
#include <string>

#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"

namespace {

// The texts a host hands out for audioMasterGetVendorString and
// audioMasterGetProductString go into the plug-in's 64-byte buffers.
constexpr std::size_t kHostTextSize = 64;

void copyHostText(void* ptr, const char* text) {
    char* out = static_cast<char*>(ptr);
    std::strncpy(out, text, kHostTextSize - 1);
    out[kHostTextSize - 1] = '\0';
}

// 1 for what the harness does; 0 ("don't know") for the rest, because a
// plug-in that folds the host's three answers into a yes/no would read a
// definite -1 as yes.
VstWord hostCanDo(const char* capability, const HostSettings& settings) {
    static const char* const kGranted[] = {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents",
                                           "receiveVstMidiEvent"};
    for (const char* granted : kGranted) {
        if (std::strcmp(capability, granted) == 0) {
            return 1;
        }
    }
    return settings.sizesWindows && std::strcmp(capability, "sizeWindow") == 0 ? 1 : 0;
}

void copyEvents(const VstEvents* list, std::vector<VstEvent>& events) {
    if (list == nullptr || list->numEvents <= 0) {
        return;
    }
    // Read through a plain pointer: the list is longer than its declared array.
    VstEvent* const* slots = list->events;
    for (int32 i = 0; i < list->numEvents; ++i) {
        if (slots[i] != nullptr) {
            events.push_back(*slots[i]);
        }
    }
}

void copyListHead(const VstEvents* list, std::vector<unsigned char>& head) {
    if (list == nullptr || list->numEvents <= 0) {
        return;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(list);
    head.assign(bytes, bytes + offsetof(VstEvents, events) + sizeof(VstEvent*));
}

} // namespace

VstWord PluginHost::answerInFull(AEffect* effect, int32 opcode, int32 index, VstWord value,
                                 void* ptr, float opt) {
    if (opcode >= 0 && opcode < kCountedOpcodes) {
        ++answered_[opcode];
    }
    if (!settings_.recordCalls) {
        return reply(opcode, ptr);
    }
    HostCall call;
    call.opcode = opcode;
    call.index = index;
    call.value = static_cast<std::int64_t>(value);
    call.opt = opt;
    call.hadPointer = ptr != nullptr;
    call.ptr = ptr;
    call.fromNullEffect = effect == nullptr;
    if (opcode == audioMasterProcessEvents) {
        copyEvents(static_cast<const VstEvents*>(ptr), call.events);
        copyListHead(static_cast<const VstEvents*>(ptr), call.listHead);
    }
    if (opcode == audioMasterCanDo && ptr != nullptr) {
        call.text = static_cast<const char*>(ptr);
    }
    calls_.push_back(call);
    if (callObserver) {
        callObserver(call);
    }
    return reply(opcode, ptr);
}

VstWord PluginHost::reply(int32 opcode, void* ptr) {
    for (const auto& scripted : scriptedAnswers) {
        if (scripted.first == opcode) {
            return scripted.second;
        }
    }
    switch (opcode) {
    case audioMasterVersion:
        return settings_.version;
    case audioMasterWantMidi:
        return 1;
    case audioMasterProcessEvents:
        return settings_.processEventsAnswer;
    case audioMasterGetSampleRate:
        // A rate no host runs at (set by a test of careless hosts: not a
        // number, infinite, huge) reads as "don't know" rather than as
        // whatever its conversion gives.
        return settings_.sampleRate > 0.0f && settings_.sampleRate < 1e9f
                   ? static_cast<VstWord>(settings_.sampleRate)
                   : 0;
    case audioMasterGetBlockSize:
        return settings_.blockSize;
    case audioMasterWillReplaceOrAccumulate:
        return lastMode == ProcessMode::replacing ? 1 : 2;
    case audioMasterGetVendorString:
        if (ptr == nullptr) {
            return 0;
        }
        copyHostText(ptr, "Ostrand");
        return 1;
    case audioMasterGetProductString:
        if (ptr == nullptr) {
            return 0;
        }
        copyHostText(ptr, "Tarvel Harness");
        return 1;
    case audioMasterGetVendorVersion:
        return 1;
    case audioMasterCanDo:
        return ptr != nullptr ? hostCanDo(static_cast<const char*>(ptr), settings_) : 0;
    case audioMasterSizeWindow:
        return settings_.sizesWindows ? 1 : 0;
    case audioMasterGetLanguage:
        return 1; // English
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
    case audioMasterUpdateDisplay:
        return 1;
    default:
        // Automation, idle and everything else: taken, nothing to say.
        return 0;
    }
}
