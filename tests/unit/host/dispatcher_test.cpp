// Both dispatchers: which operation every opcode reaches, with which of the
// host's arguments, how each answer becomes the host's result, and what the
// effect answers when it overrides nothing.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "host/aeff_editor.h"
#include "host/vst_opcodes.h"
#include "test_effect.h"

namespace {

// Every dispatch hands over these two buffers: ptrTarget as ptr, and
// valueTarget's address as value where an opcode carries an address there.
// The log names them, so a test sees which argument an operation was given.
char ptrTarget[64];
char valueTarget[64];
int pointerAnswerTarget;

constexpr int32 kIntAnswer = -4242;

VstWord valueAddress() {
    return reinterpret_cast<VstWord>(static_cast<void*>(valueTarget));
}

VstWord pointerAnswer() {
    return reinterpret_cast<VstWord>(static_cast<void*>(&pointerAnswerTarget));
}

template <typename T> std::string describe(T arg) {
    if constexpr (std::is_same_v<T, bool>) {
        return arg ? "true" : "false";
    } else if constexpr (std::is_floating_point_v<T>) {
        std::ostringstream text;
        text << arg;
        return text.str();
    } else if constexpr (std::is_pointer_v<T>) {
        const void* address = static_cast<const void*>(arg);
        if (address == nullptr) {
            return "null";
        }
        if (address == ptrTarget) {
            return "ptr";
        }
        if (address == valueTarget) {
            return "value";
        }
        return "unknown";
    } else {
        return std::to_string(arg);
    }
}

template <typename... Args> std::string callText(const char* name, Args... args) {
    const std::vector<std::string> parts{describe(args)...};
    std::string text = std::string(name) + "(";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += (i == 0 ? "" : ", ") + parts[i];
    }
    return text + ")";
}

using CallLog = std::vector<std::string>;

// Records every editor operation the dispatchers reach.
class SpyEditor : public AEffEditor {
public:
    SpyEditor(AudioEffect* owner, CallLog& log) : AEffEditor(owner), log_(log) {}

    int32 getRect(ERect** rect) override { return note(callText("editor.getRect", rect)); }
    int32 open(void* parent) override { return note(callText("editor.open", parent)); }
    void close() override { note(callText("editor.close")); }
    void idle() override { note(callText("editor.idle")); }
    int32 onKeyDown(VstKeyCode& key) override {
        return note(callText("editor.onKeyDown", key.character, int{key.virt}, int{key.modifier}));
    }
    int32 onKeyUp(VstKeyCode& key) override {
        return note(callText("editor.onKeyUp", key.character, int{key.virt}, int{key.modifier}));
    }
    int32 setKnobMode(int32 mode) override { return note(callText("editor.setKnobMode", mode)); }

private:
    int32 note(std::string call) {
        log_.push_back(std::move(call));
        return kIntAnswer;
    }
    CallLog& log_;
};

// Records every effect operation the dispatchers reach and answers with
// values a test can recognise: boolAnswer, kIntAnswer, pointerAnswer().
class SpyEffect : public AudioEffectX {
public:
    explicit SpyEffect(int32 programs = 10) : AudioEffectX(nullptr, programs, 4) {}

    void attachEditor() { setEditor(new SpyEditor(this, log)); }

    CallLog log;
    bool boolAnswer = true;
    float vuAnswer = 0.5f;

    void process(float** /*inputs*/, float** /*outputs*/, int32 /*sampleFrames*/) override {}

    // AudioEffect
    void open() override { note("open"); }
    void close() override { note("close"); }
    int32 getProgram() override { return noteInt("getProgram"); }
    void setProgram(int32 program) override { note("setProgram", program); }
    void setProgramName(char* name) override { note("setProgramName", name); }
    void getProgramName(char* name) override { note("getProgramName", name); }
    void getParameterLabel(int32 index, char* label) override {
        note("getParameterLabel", index, label);
    }
    void getParameterDisplay(int32 index, char* text) override {
        note("getParameterDisplay", index, text);
    }
    void getParameterName(int32 index, char* text) override {
        note("getParameterName", index, text);
    }
    float getVu() override {
        note("getVu");
        return vuAnswer;
    }
    int32 getChunk(void** data, bool isPreset) override {
        return noteInt("getChunk", data, isPreset);
    }
    int32 setChunk(void* data, int32 byteSize, bool isPreset) override {
        return noteInt("setChunk", data, byteSize, isPreset);
    }
    void setSampleRate(float rate) override { note("setSampleRate", rate); }
    void setBlockSize(int32 size) override { note("setBlockSize", size); }
    void suspend() override { note("suspend"); }
    void resume() override { note("resume"); }

    // AudioEffectX
    int32 processEvents(VstEvents* events) override { return noteInt("processEvents", events); }
    bool canParameterBeAutomated(int32 index) override {
        return noteBool("canParameterBeAutomated", index);
    }
    bool string2parameter(int32 index, char* text) override {
        return noteBool("string2parameter", index, text);
    }
    int32 getNumCategories() override { return noteInt("getNumCategories"); }
    bool getProgramNameIndexed(int32 category, int32 index, char* text) override {
        return noteBool("getProgramNameIndexed", category, index, text);
    }
    bool copyProgram(int32 destination) override { return noteBool("copyProgram", destination); }
    void inputConnected(int32 index, bool state) override { note("inputConnected", index, state); }
    void outputConnected(int32 index, bool state) override {
        note("outputConnected", index, state);
    }
    bool getInputProperties(int32 index, VstPinProperties* properties) override {
        return noteBool("getInputProperties", index, properties);
    }
    bool getOutputProperties(int32 index, VstPinProperties* properties) override {
        return noteBool("getOutputProperties", index, properties);
    }
    int32 getPlugCategory() override { return noteInt("getPlugCategory"); }
    int32 reportCurrentPosition() override { return noteInt("reportCurrentPosition"); }
    float* reportDestinationBuffer() override {
        note("reportDestinationBuffer");
        return reinterpret_cast<float*>(pointerAnswer());
    }
    bool offlineNotify(VstAudioFile* audioFiles, int32 numAudioFiles, bool start) override {
        return noteBool("offlineNotify", audioFiles, numAudioFiles, start);
    }
    bool offlinePrepare(VstOfflineTask* offline, int32 count) override {
        return noteBool("offlinePrepare", offline, count);
    }
    bool offlineRun(VstOfflineTask* offline, int32 count) override {
        return noteBool("offlineRun", offline, count);
    }
    bool processVariableIo(VstVariableIo* varIo) override {
        return noteBool("processVariableIo", varIo);
    }
    bool setSpeakerArrangement(VstSpeakerArrangement* pluginInput,
                               VstSpeakerArrangement* pluginOutput) override {
        return noteBool("setSpeakerArrangement", pluginInput, pluginOutput);
    }
    void setBlockSizeAndSampleRate(int32 size, float rate) override {
        note("setBlockSizeAndSampleRate", size, rate);
    }
    bool setBypass(bool onOff) override { return noteBool("setBypass", onOff); }
    bool getEffectName(char* name) override { return noteBool("getEffectName", name); }
    bool getErrorText(char* text) override { return noteBool("getErrorText", text); }
    bool getVendorString(char* text) override { return noteBool("getVendorString", text); }
    bool getProductString(char* text) override { return noteBool("getProductString", text); }
    int32 getVendorVersion() override { return noteInt("getVendorVersion"); }
    int32 vendorSpecific(int32 arg1, VstWord arg2, void* ptrArg, float floatArg) override {
        return noteInt("vendorSpecific", arg1, arg2, ptrArg, floatArg);
    }
    int32 canDo(char* text) override { return noteInt("canDo", text); }
    int32 getGetTailSize() override { return noteInt("getGetTailSize"); }
    int32 fxIdle() override { return noteInt("fxIdle"); }
    void* getIcon() override {
        note("getIcon");
        return reinterpret_cast<void*>(pointerAnswer());
    }
    bool setViewPosition(int32 x, int32 y) override { return noteBool("setViewPosition", x, y); }
    bool getParameterProperties(int32 index, VstParameterProperties* properties) override {
        return noteBool("getParameterProperties", index, properties);
    }
    bool keysRequired() override { return noteBool("keysRequired"); }
    int32 getVstVersion() override { return noteInt("getVstVersion"); }
    int32 getMidiProgramName(int32 channel, MidiProgramName* name) override {
        return noteInt("getMidiProgramName", channel, name);
    }
    int32 getCurrentMidiProgram(int32 channel, MidiProgramName* current) override {
        return noteInt("getCurrentMidiProgram", channel, current);
    }
    int32 getMidiProgramCategory(int32 channel, MidiProgramCategory* category) override {
        return noteInt("getMidiProgramCategory", channel, category);
    }
    bool hasMidiProgramsChanged(int32 channel) override {
        return noteBool("hasMidiProgramsChanged", channel);
    }
    bool getMidiKeyName(int32 channel, MidiKeyName* keyName) override {
        return noteBool("getMidiKeyName", channel, keyName);
    }
    bool beginSetProgram() override { return noteBool("beginSetProgram"); }
    bool endSetProgram() override { return noteBool("endSetProgram"); }
    bool getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                               VstSpeakerArrangement** pluginOutput) override {
        return noteBool("getSpeakerArrangement", pluginInput, pluginOutput);
    }
    int32 getNextShellPlugin(char* name) override { return noteInt("getNextShellPlugin", name); }
    int32 startProcess() override { return noteInt("startProcess"); }
    int32 stopProcess() override { return noteInt("stopProcess"); }
    int32 setTotalSampleToProcess(int32 value) override {
        return noteInt("setTotalSampleToProcess", value);
    }
    bool setPanLaw(int32 type, float gain) override { return noteBool("setPanLaw", type, gain); }
    int32 beginLoadBank(VstPatchChunkInfo* info) override { return noteInt("beginLoadBank", info); }
    int32 beginLoadProgram(VstPatchChunkInfo* info) override {
        return noteInt("beginLoadProgram", info);
    }

private:
    template <typename... Args> void note(const char* name, Args... args) {
        log.push_back(callText(name, args...));
    }
    template <typename... Args> int32 noteInt(const char* name, Args... args) {
        note(name, args...);
        return kIntAnswer;
    }
    template <typename... Args> bool noteBool(const char* name, Args... args) {
        note(name, args...);
        return boolAnswer;
    }
};

// What the dispatcher must answer, given what the operation answered.
enum class Result { Zero, One, Bool, InvertedBool, Int, Pointer, Fixed };

struct Route {
    int32 opcode;
    int32 index;
    VstWord value;
    float opt;
    std::string call; // empty: no operation may run
    Result result;
    VstWord fixed = 0;
};

VstWord expectedResult(const Route& route, bool boolAnswer) {
    switch (route.result) {
    case Result::Zero:
        return 0;
    case Result::One:
        return 1;
    case Result::Bool:
        return boolAnswer ? 1 : 0;
    case Result::InvertedBool:
        return boolAnswer ? 0 : 1;
    case Result::Int:
        return kIntAnswer;
    case Result::Pointer:
        return pointerAnswer();
    case Result::Fixed:
        return route.fixed;
    }
    return -1;
}

// Unless a route says otherwise the host sends index 3, value 7 and opt 0.75,
// so an operation given the wrong argument shows it in the log.
std::vector<Route> routes() {
    const auto plain = [](int32 opcode, std::string call, Result result, VstWord fixed = 0) {
        return Route{opcode, 3, 7, 0.75f, std::move(call), result, fixed};
    };
    const VstWord address = valueAddress();
    return {
        plain(effOpen, "open()", Result::Zero),
        plain(effClose, "close()", Result::Zero),
        plain(effSetProgram, "setProgram(7)", Result::Zero),
        {effSetProgram, 3, 9, 0.0f, "setProgram(9)", Result::Zero},
        {effSetProgram, 3, 10, 0.0f, "", Result::Zero}, // not below numPrograms
        {effSetProgram, 3, -1, 0.0f, "setProgram(-1)", Result::Zero},
        plain(effGetProgram, "getProgram()", Result::Int),
        plain(effSetProgramName, "setProgramName(ptr)", Result::Zero),
        plain(effGetProgramName, "getProgramName(ptr)", Result::Zero),
        plain(effGetParamLabel, "getParameterLabel(3, ptr)", Result::Zero),
        plain(effGetParamDisplay, "getParameterDisplay(3, ptr)", Result::Zero),
        plain(effGetParamName, "getParameterName(3, ptr)", Result::Zero),
        plain(effGetVu, "getVu()", Result::Fixed, 16383), // 0.5 x 32767, truncated
        plain(effSetSampleRate, "setSampleRate(0.75)", Result::Zero),
        plain(effSetBlockSize, "setBlockSize(7)", Result::Zero),
        {effMainsChanged, 0, 0, 0.0f, "suspend()", Result::Zero},
        {effMainsChanged, 0, 1, 0.0f, "resume()", Result::Zero},
        {effMainsChanged, 0, 2, 0.0f, "resume()", Result::Zero},
        {effMainsChanged, 0, -1, 0.0f, "resume()", Result::Zero},
        plain(effEditGetRect, "editor.getRect(ptr)", Result::Int),
        plain(effEditOpen, "editor.open(ptr)", Result::Int),
        plain(effEditClose, "editor.close()", Result::Zero),
        plain(effEditDraw, "", Result::Zero),
        plain(effEditMouse, "", Result::Zero),
        plain(effEditKey, "", Result::Zero),
        plain(effEditIdle, "editor.idle()", Result::Zero),
        plain(effEditTop, "", Result::Zero),
        plain(effEditSleep, "", Result::Zero),
        plain(effIdentify, "", Result::Fixed, 0x4E764566),
        {effGetChunk, 5, 0, 0.0f, "getChunk(ptr, true)", Result::Int},
        {effGetChunk, 0, 0, 0.0f, "getChunk(ptr, false)", Result::Int},
        {effSetChunk, 1, 300, 0.0f, "setChunk(ptr, 300, true)", Result::Int},
        {effSetChunk, 0, 300, 0.0f, "setChunk(ptr, 300, false)", Result::Int},
        plain(effProcessEvents, "processEvents(ptr)", Result::Int),
        plain(effCanBeAutomated, "canParameterBeAutomated(3)", Result::Bool),
        plain(effString2Parameter, "string2parameter(3, ptr)", Result::Bool),
        plain(effGetNumProgramCategories, "getNumCategories()", Result::Int),
        {effGetProgramNameIndexed, 3, 1, 0.0f, "getProgramNameIndexed(1, 3, ptr)", Result::Bool},
        plain(effCopyProgram, "copyProgram(3)", Result::Bool),
        plain(effConnectInput, "inputConnected(3, true)", Result::One),
        {effConnectInput, 2, 0, 0.0f, "inputConnected(2, false)", Result::One},
        plain(effConnectOutput, "outputConnected(3, true)", Result::One),
        {effConnectOutput, 2, 0, 0.0f, "outputConnected(2, false)", Result::One},
        plain(effGetInputProperties, "getInputProperties(3, ptr)", Result::Bool),
        plain(effGetOutputProperties, "getOutputProperties(3, ptr)", Result::Bool),
        plain(effGetPlugCategory, "getPlugCategory()", Result::Int),
        plain(effGetCurrentPosition, "reportCurrentPosition()", Result::Int),
        plain(effGetDestinationBuffer, "reportDestinationBuffer()", Result::Pointer),
        plain(effOfflineNotify, "offlineNotify(ptr, 7, true)", Result::Bool),
        {effOfflineNotify, 0, 7, 0.0f, "offlineNotify(ptr, 7, false)", Result::Bool},
        plain(effOfflinePrepare, "offlinePrepare(ptr, 7)", Result::Bool),
        plain(effOfflineRun, "offlineRun(ptr, 7)", Result::Bool),
        plain(effProcessVarIo, "processVariableIo(ptr)", Result::Bool),
        {effSetSpeakerArrangement, 3, address, 0.0f, "setSpeakerArrangement(value, ptr)",
         Result::Bool},
        {effSetBlockSizeAndSampleRate, 0, 512, 48000.0f, "setBlockSizeAndSampleRate(512, 48000)",
         Result::One},
        plain(effSetBypass, "setBypass(true)", Result::Bool),
        {effSetBypass, 0, 0, 0.0f, "setBypass(false)", Result::Bool},
        plain(effGetEffectName, "getEffectName(ptr)", Result::Bool),
        plain(effGetErrorText, "getErrorText(ptr)", Result::Bool),
        plain(effGetVendorString, "getVendorString(ptr)", Result::Bool),
        plain(effGetProductString, "getProductString(ptr)", Result::Bool),
        plain(effGetVendorVersion, "getVendorVersion()", Result::Int),
        plain(effVendorSpecific, "vendorSpecific(3, 7, ptr, 0.75)", Result::Int),
        plain(effCanDo, "canDo(ptr)", Result::Int),
        plain(effGetTailSize, "getGetTailSize()", Result::Int),
        plain(effIdle, "fxIdle()", Result::Int),
        plain(effGetIcon, "getIcon()", Result::Pointer),
        plain(effSetViewPosition, "setViewPosition(3, 7)", Result::Bool),
        plain(effGetParameterProperties, "getParameterProperties(3, ptr)", Result::Bool),
        plain(effKeysRequired, "keysRequired()", Result::InvertedBool),
        plain(effGetVstVersion, "getVstVersion()", Result::Int),
        {effEditKeyDown, 65, 0x10B, 1.9f, "editor.onKeyDown(65, 11, 1)", Result::Int},
        {effEditKeyUp, 65, 0x10B, 1.9f, "editor.onKeyUp(65, 11, 1)", Result::Int},
        // Truncation toward zero, then the low byte: -1.9 is modifier 0xFF.
        {effEditKeyDown, 0, 0x41, -1.9f, "editor.onKeyDown(0, 65, 255)", Result::Int},
        {effEditKeyUp, 0, 0x41, 258.5f, "editor.onKeyUp(0, 65, 2)", Result::Int},
        // A modifier no integer can hold counts as none.
        {effEditKeyDown, 0, 0x41, std::numeric_limits<float>::quiet_NaN(),
         "editor.onKeyDown(0, 65, 0)", Result::Int},
        {effEditKeyDown, 0, 0x41, 1.0e20f, "editor.onKeyDown(0, 65, 0)", Result::Int},
        plain(effSetEditKnobMode, "editor.setKnobMode(7)", Result::Int),
        plain(effGetMidiProgramName, "getMidiProgramName(3, ptr)", Result::Int),
        plain(effGetCurrentMidiProgram, "getCurrentMidiProgram(3, ptr)", Result::Int),
        plain(effGetMidiProgramCategory, "getMidiProgramCategory(3, ptr)", Result::Int),
        plain(effHasMidiProgramsChanged, "hasMidiProgramsChanged(3)", Result::Bool),
        plain(effGetMidiKeyName, "getMidiKeyName(3, ptr)", Result::Bool),
        plain(effBeginSetProgram, "beginSetProgram()", Result::Bool),
        plain(effEndSetProgram, "endSetProgram()", Result::Bool),
        {effGetSpeakerArrangement, 3, address, 0.0f, "getSpeakerArrangement(value, ptr)",
         Result::Bool},
        plain(effShellGetNextPlugin, "getNextShellPlugin(ptr)", Result::Int),
        plain(effStartProcess, "startProcess()", Result::Int),
        plain(effStopProcess, "stopProcess()", Result::Int),
        plain(effSetTotalSampleToProcess, "setTotalSampleToProcess(7)", Result::Int),
        {effSetPanLaw, 3, 2, 0.5f, "setPanLaw(2, 0.5)", Result::Bool},
        plain(effBeginLoadBank, "beginLoadBank(ptr)", Result::Int),
        plain(effBeginLoadProgram, "beginLoadProgram(ptr)", Result::Int),
    };
}

TEST(DispatcherRouting, TheRouteTableCoversEveryOpcodeFrom0To76) {
    std::set<int32> covered;
    for (const Route& route : routes()) {
        covered.insert(route.opcode);
    }
    for (int32 opcode = 0; opcode <= 76; ++opcode) {
        EXPECT_EQ(covered.count(opcode), 1u) << "opcode " << opcode << " has no route";
    }
}

TEST(DispatcherRouting, EveryOpcodeReachesItsOperationWithItsArgumentsAndConvertsTheAnswer) {
    for (const Route& route : routes()) {
        for (const bool boolAnswer : {true, false}) {
            SCOPED_TRACE("opcode " + std::to_string(route.opcode) + ", index " +
                         std::to_string(route.index) + ", value " + std::to_string(route.value) +
                         ", operation answering " + describe(boolAnswer));
            SpyEffect effect;
            effect.attachEditor();
            effect.boolAnswer = boolAnswer;
            const VstWord result =
                effect.dispatcher(route.opcode, route.index, route.value, ptrTarget, route.opt);
            const CallLog expectedCalls =
                route.call.empty() ? CallLog{} : CallLog{std::string(route.call)};
            EXPECT_EQ(effect.log, expectedCalls);
            EXPECT_EQ(result, expectedResult(route, boolAnswer));
        }
    }
}

TEST(DispatcherRouting, OpcodesNeitherLevelHandlesAnswerZeroAndCallNothing) {
    for (const int32 opcode : {77, 78, 100, INT_MAX, -1, -2, INT_MIN}) {
        SCOPED_TRACE("opcode " + std::to_string(opcode));
        SpyEffect effect;
        effect.attachEditor();
        EXPECT_EQ(effect.dispatcher(opcode, 3, 7, ptrTarget, 0.75f), 0);
        EXPECT_TRUE(effect.log.empty());
    }
}

TEST(DispatcherRouting, EditorOpcodesWithoutAnEditorAnswerZeroAndTouchNothing) {
    for (const int32 opcode : {effEditGetRect, effEditOpen, effEditClose, effEditIdle,
                               effEditKeyDown, effEditKeyUp, effSetEditKnobMode}) {
        SCOPED_TRACE("opcode " + std::to_string(opcode));
        SpyEffect effect;
        ERect hostRect{};
        ERect* rect = &hostRect;
        EXPECT_EQ(effect.dispatcher(opcode, 65, 0x10B, &rect, 1.0f), 0);
        EXPECT_TRUE(effect.log.empty());
        EXPECT_EQ(rect, &hostRect);
    }
}

TEST(DispatcherRouting, VuReadingIsScaledTo32767AndTruncatedTowardZero) {
    const std::vector<std::pair<float, VstWord>> cases = {
        {0.0f, 0},          {0.5f, 16383},       {1.0f, 32767},
        {-0.5f, -16383},    {0.99999f, 32766},   {1.0e-6f, 0},
        {1.0e30f, INT_MAX}, {-1.0e30f, INT_MIN}, {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const auto& [vu, expected] : cases) {
        SCOPED_TRACE("getVu answering " + describe(vu));
        SpyEffect effect;
        effect.vuAnswer = vu;
        EXPECT_EQ(effect.dispatcher(effGetVu, 0, 0, nullptr, 0.0f), expected);
    }
}

// The effect below overrides nothing the dispatchers reach: what the host
// sees is the base classes' own answers.
TEST(DispatcherDefaults, AnswerTheNeutralValuesOfTheInterface) {
    TestEffect effect;
    EXPECT_EQ(effect.dispatcher(effGetVstVersion, 0, 0, nullptr, 0.0f), 2300);
    EXPECT_EQ(effect.dispatcher(effGetNumProgramCategories, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effect.dispatcher(effGetCurrentMidiProgram, 0, 0, nullptr, 0.0f), -1);
    EXPECT_EQ(effect.dispatcher(effGetVu, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.dispatcher(effCanBeAutomated, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effect.dispatcher(effKeysRequired, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effect.dispatcher(effCanDo, 0, 0, ptrTarget, 0.0f), 0);
    EXPECT_EQ(effect.dispatcher(effGetChunk, 0, 0, ptrTarget, 0.0f), 0);
    EXPECT_EQ(effect.dispatcher(effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
}

TEST(DispatcherDefaults, PlugCategoryFollowsTheSynthFlag) {
    TestEffect effect;
    EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategUnknown);
    effect.isSynth(true);
    EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategSynth);
    effect.isSynth(false);
    EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategUnknown);
}

TEST(DispatcherDefaults, TotalSamplesToProcessAreEchoed) {
    TestEffect effect;
    EXPECT_EQ(effect.dispatcher(effSetTotalSampleToProcess, 0, 123456, nullptr, 0.0f), 123456);
    EXPECT_EQ(effect.dispatcher(effSetTotalSampleToProcess, 0, -5, nullptr, 0.0f), -5);
}

TEST(DispatcherDefaults, SpeakerArrangementQueryStoresNullsAndAnswersNo) {
    TestEffect effect;
    VstSpeakerArrangement hostArrangement{};
    VstSpeakerArrangement* input = &hostArrangement;
    VstSpeakerArrangement* output = &hostArrangement;
    EXPECT_EQ(effect.dispatcher(effGetSpeakerArrangement, 0, reinterpret_cast<VstWord>(&input),
                                &output, 0.0f),
              0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST(DispatcherDefaults, SampleRateAndBlockSizeAreStored) {
    TestEffect effect;
    EXPECT_EQ(effect.dispatcher(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
    EXPECT_EQ(effect.getBlockSize(), 512);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    effect.dispatcher(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    effect.dispatcher(effSetBlockSize, 0, 64, nullptr, 0.0f);
    EXPECT_EQ(effect.getSampleRate(), 96000.0f);
    EXPECT_EQ(effect.getBlockSize(), 64);
}

TEST(DispatcherDefaults, ProgramChangesBelowTheProgramCountReachTheCurrentProgram) {
    TestEffect effect(nullptr, 2);
    effect.dispatcher(effSetProgram, 0, 1, nullptr, 0.0f);
    EXPECT_EQ(effect.dispatcher(effGetProgram, 0, 0, nullptr, 0.0f), 1);
    effect.dispatcher(effSetProgram, 0, 2, nullptr, 0.0f);
    EXPECT_EQ(effect.dispatcher(effGetProgram, 0, 0, nullptr, 0.0f), 1);
    // Negative values pass the check; the effect's setProgram must cope.
    effect.dispatcher(effSetProgram, 0, -1, nullptr, 0.0f);
    EXPECT_EQ(effect.dispatcher(effGetProgram, 0, 0, nullptr, 0.0f), -1);
}

TEST(DispatcherDefaults, TextQueriesAnswerEmptyTexts) {
    TestEffect effect;
    for (const int32 opcode :
         {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName}) {
        char text[32] = "stale";
        EXPECT_EQ(effect.dispatcher(opcode, 0, 0, text, 0.0f), 0);
        EXPECT_STREQ(text, "") << "opcode " << opcode;
    }
}

TEST(DispatcherDefaults, TheBaseEditorAnswersThroughTheDispatchers) {
    TestEffect effect;
    effect.setEditor(new AEffEditor(&effect));
    ERect hostRect{};
    ERect* rect = &hostRect;
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 0);
    EXPECT_EQ(rect, nullptr);
    EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, ptrTarget, 0.0f), 0);
    EXPECT_EQ(effect.dispatcher(effEditKeyDown, 65, 0, nullptr, 0.0f), -1);
    EXPECT_EQ(effect.dispatcher(effEditKeyUp, 65, 0, nullptr, 0.0f), -1);
    EXPECT_EQ(effect.dispatcher(effSetEditKnobMode, 0, 2, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f), 0);
}

} // namespace
