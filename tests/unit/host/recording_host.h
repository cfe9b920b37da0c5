// A host callback that records every call an effect makes of it and answers
// with a value the test chooses. The callback is a plain function pointer, so
// the record is one shared object; each test resets it before use.
#pragma once

#include <vector>

#include "host/vst_types.h"

struct HostCall {
    AEffect* effect;
    int32 opcode;
    int32 index;
    VstWord value;
    void* ptr;
    float opt;
};

struct RecordingHost {
    std::vector<HostCall> calls;
    VstWord answer = 0;

    void reset(VstWord newAnswer = 0) {
        calls.clear();
        answer = newAnswer;
    }
};

inline RecordingHost& recordingHost() {
    static RecordingHost host;
    return host;
}

inline VstWord VSTCALL recordingHostCallback(AEffect* effect, int32 opcode, int32 index,
                                             VstWord value, void* ptr, float opt) {
    RecordingHost& host = recordingHost();
    host.calls.push_back(HostCall{effect, opcode, index, value, ptr, opt});
    return host.answer;
}
