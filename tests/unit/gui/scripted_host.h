// A host callback that records every call, answers per opcode and can run
// a test's action inside a call (as a host doing work in its idle would).
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "host/recording_host.h"
#include "host/test_effect.h"

struct ScriptedHost {
    std::vector<HostCall> calls;
    std::map<int32, VstWord> answers;
    std::function<void(int32 opcode)> during;

    void reset() { *this = ScriptedHost{}; }
    int count(int32 opcode) const {
        int n = 0;
        for (const HostCall& c : calls)
            n += c.opcode == opcode;
        return n;
    }
};

inline ScriptedHost& scriptedHost() {
    static ScriptedHost host;
    return host;
}

inline VstWord VSTCALL scriptedHostCallback(AEffect* effect, int32 opcode, int32 index,
                                            VstWord value, void* ptr, float opt) {
    ScriptedHost& host = scriptedHost();
    host.calls.push_back(HostCall{effect, opcode, index, value, ptr, opt});
    if (host.during)
        host.during(opcode);
    const auto answer = host.answers.find(opcode);
    return answer == host.answers.end() ? 0 : answer->second;
}
