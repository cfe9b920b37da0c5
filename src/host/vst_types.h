// The records and scalar types of the VST 2.x plug-in interface, as a host
// lays them out in memory. Hosts read every field below at a fixed offset: one
// set for 32-bit Windows, another for 64-bit builds (Windows and Linux alike,
// natural alignment); the static assertions at the end pin both.
#pragma once

#include <cstddef>
#include <cstdint>

using int32 = std::int32_t;
using int16 = std::int16_t;
using uint8 = std::uint8_t;

// The interface's one pointer-sized integer: the dispatcher's value and
// result, the host callback's value and result, the record's two reserved
// fields and the event list's reserved field. 32 bits on 32-bit Windows; a
// 64-bit build widens this type and the pointers and nothing else.
using VstWord = std::intptr_t;

// Every function that crosses the host boundary uses the C calling convention.
#if defined(_WIN32) && !defined(_WIN64)
#define VSTCALL __cdecl
#else
#define VSTCALL
#endif

struct AEffect;

using audioMasterCallback = VstWord(VSTCALL*)(AEffect* effect, int32 opcode, int32 index,
                                              VstWord value, void* ptr, float opt);
using AEffectDispatcherProc = VstWord(VSTCALL*)(AEffect* effect, int32 opcode, int32 index,
                                                VstWord value, void* ptr, float opt);
using AEffectProcessProc = void(VSTCALL*)(AEffect* effect, float** inputs, float** outputs,
                                          int32 sampleFrames);
using AEffectSetParameterProc = void(VSTCALL*)(AEffect* effect, int32 index, float value);
using AEffectGetParameterProc = float(VSTCALL*)(AEffect* effect, int32 index);

// Four-character codes: the first character is the most significant byte.
constexpr int32 fourCharCode(char a, char b, char c, char d) {
    return static_cast<int32>((static_cast<std::uint32_t>(static_cast<uint8>(a)) << 24) |
                              (static_cast<std::uint32_t>(static_cast<uint8>(b)) << 16) |
                              (static_cast<std::uint32_t>(static_cast<uint8>(c)) << 8) |
                              static_cast<std::uint32_t>(static_cast<uint8>(d)));
}

constexpr int32 kEffectMagic = fourCharCode('V', 's', 't', 'P');

struct AEffect {
    int32 magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    int32 numPrograms;
    int32 numParams;
    int32 numInputs;
    int32 numOutputs;
    int32 flags;
    VstWord resvd1;
    VstWord resvd2;
    int32 initialDelay;
    int32 realQualities;
    int32 offQualities;
    float ioRatio;
    void* object;
    void* user;
    int32 uniqueID;
    int32 version;
    AEffectProcessProc processReplacing;
    char future[60];
};

enum AEffectFlags : int32 {
    effFlagsHasEditor = 1,
    effFlagsHasClip = 2,
    effFlagsHasVu = 4,
    effFlagsCanMono = 8,
    effFlagsCanReplacing = 16,
    effFlagsProgramChunks = 32,
    effFlagsIsSynth = 256,
    effFlagsNoSoundInStop = 512,
    effFlagsExtIsAsync = 1024,
    effFlagsExtHasBuffer = 2048,
};

// Events -------------------------------------------------------------------

enum VstEventTypes : int32 {
    kVstMidiType = 1,
    kVstAudioType,
    kVstVideoType,
    kVstParameterType,
    kVstTriggerType,
    kVstSysExType,
};

struct VstEvent {
    int32 type;
    int32 byteSize;
    int32 deltaFrames;
    int32 flags;
    char data[16];
};

struct VstMidiEvent {
    int32 type;
    int32 byteSize;
    int32 deltaFrames;
    int32 flags;
    int32 noteLength;
    int32 noteOffset;
    char midiData[4];
    char detune;
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

struct VstEvents {
    int32 numEvents;
    VstWord reserved;
    VstEvent* events[2]; // a host's list may be longer: numEvents pointers follow
};

// Editor records -------------------------------------------------------------

struct ERect {
    int16 top;
    int16 left;
    int16 bottom;
    int16 right;
};

struct VstKeyCode {
    int32 character;
    uint8 virt;
    uint8 modifier;
};

// Values of VstKeyCode::virt for the arrow keys.
enum VstVirtualKey : uint8 {
    VKEY_LEFT = 11,
    VKEY_UP = 12,
    VKEY_RIGHT = 13,
    VKEY_DOWN = 14,
};

// Bit of VstKeyCode::modifier for a held Shift key.
enum VstModifierKey : uint8 { MODIFIER_SHIFT = 1 };

// Pins and speakers ----------------------------------------------------------

enum VstPinPropertiesFlags : int32 {
    kVstPinIsActive = 1,
    kVstPinIsStereo = 2,
    kVstPinUseSpeaker = 4,
};

struct VstPinProperties {
    char label[64];
    int32 flags;
    int32 arrangementType;
    char shortLabel[8];
    char future[48];
};

struct VstSpeakerProperties {
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[64];
    int32 type;
    char future[28];
};

struct VstSpeakerArrangement {
    int32 type;
    int32 numChannels;
    VstSpeakerProperties speakers[8]; // an allocated arrangement holds numChannels of them
};

enum VstPlugCategory : int32 {
    kPlugCategUnknown = 0,
    kPlugCategEffect,
    kPlugCategSynth,
};

// Records that pass through the dispatchers uninterpreted.
struct VstTimeInfo;
struct VstVariableIo;
struct VstOfflineTask;
struct VstAudioFile;
struct VstParameterProperties;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;
struct VstPatchChunkInfo;
struct VstFileSelect;

// Hosts read these records by offset: on 32-bit Windows every field sits in a
// 4-byte slot; 64-bit hosts (Windows and Linux alike) give pointers and the
// pointer-sized words 8 bytes on 8-byte boundaries and leave every other field
// its width. Each line pins a field at both widths: vstOffset(32-bit, 64-bit).
#if (defined(_WIN32) && !defined(_WIN64)) || INTPTR_MAX == INT64_MAX
constexpr std::size_t vstOffset(std::size_t at32Bit, std::size_t at64Bit) {
    return sizeof(void*) == 8 ? at64Bit : at32Bit;
}
static_assert(sizeof(AEffect) == vstOffset(144, 192));
static_assert(offsetof(AEffect, magic) == vstOffset(0, 0));
static_assert(offsetof(AEffect, dispatcher) == vstOffset(4, 8));
static_assert(offsetof(AEffect, process) == vstOffset(8, 16));
static_assert(offsetof(AEffect, setParameter) == vstOffset(12, 24));
static_assert(offsetof(AEffect, getParameter) == vstOffset(16, 32));
static_assert(offsetof(AEffect, numPrograms) == vstOffset(20, 40));
static_assert(offsetof(AEffect, numParams) == vstOffset(24, 44));
static_assert(offsetof(AEffect, numInputs) == vstOffset(28, 48));
static_assert(offsetof(AEffect, numOutputs) == vstOffset(32, 52));
static_assert(offsetof(AEffect, flags) == vstOffset(36, 56));
static_assert(offsetof(AEffect, resvd1) == vstOffset(40, 64));
static_assert(offsetof(AEffect, resvd2) == vstOffset(44, 72));
static_assert(offsetof(AEffect, initialDelay) == vstOffset(48, 80));
static_assert(offsetof(AEffect, realQualities) == vstOffset(52, 84));
static_assert(offsetof(AEffect, offQualities) == vstOffset(56, 88));
static_assert(offsetof(AEffect, ioRatio) == vstOffset(60, 92));
static_assert(offsetof(AEffect, object) == vstOffset(64, 96));
static_assert(offsetof(AEffect, user) == vstOffset(68, 104));
static_assert(offsetof(AEffect, uniqueID) == vstOffset(72, 112));
static_assert(offsetof(AEffect, version) == vstOffset(76, 116));
static_assert(offsetof(AEffect, processReplacing) == vstOffset(80, 120));
static_assert(offsetof(AEffect, future) == vstOffset(84, 128));
static_assert(sizeof(VstEvent) == vstOffset(32, 32));
static_assert(sizeof(VstMidiEvent) == vstOffset(32, 32));
static_assert(offsetof(VstMidiEvent, midiData) == vstOffset(24, 24));
static_assert(offsetof(VstMidiEvent, reserved2) == vstOffset(31, 31));
static_assert(offsetof(VstEvents, reserved) == vstOffset(4, 8));
static_assert(offsetof(VstEvents, events) == vstOffset(8, 16));
static_assert(sizeof(ERect) == vstOffset(8, 8));
static_assert(sizeof(VstKeyCode) == vstOffset(8, 8));
static_assert(sizeof(VstPinProperties) == vstOffset(128, 128));
static_assert(offsetof(VstPinProperties, flags) == vstOffset(64, 64));
static_assert(offsetof(VstPinProperties, shortLabel) == vstOffset(72, 72));
static_assert(sizeof(VstSpeakerProperties) == vstOffset(112, 112));
#endif
