// The effect's answers to the host's questions: capabilities, names, pins,
// version, category and tail. All constant apart from the name fields.
#include <cstdio>
#include <cstring>

#include "effect/parameter_panel.h"
#include "effect/tarvel_effect.h"
#include "host/vst_opcodes.h"

namespace {

// Capabilities answered yes: MIDI in and out for the thru, and time info.
// Everything else, every pin configuration included, is answered no.
constexpr const char* kSupported[] = {
    "sendVstEvents",       "sendVstMidiEvent",   "receiveVstEvents",
    "receiveVstMidiEvent", "receiveVstTimeInfo",
};

constexpr int32 kYes = 1;
constexpr int32 kNo = -1;
constexpr int32 kVendorVersion = 101;
constexpr int32 kTailSize = 1;

bool copyText(char* destination, const char* source) {
    if (destination == nullptr) {
        return false;
    }
    std::strcpy(destination, source);
    return true;
}

// Pins 0 and 1 are the left and right channel of the one stereo pair.
bool describePin(const char* effectName, const char* direction, int32 index,
                 VstPinProperties* properties) {
    if (properties == nullptr || index < 0 || index > 1) {
        return false;
    }
    const char* side = index == 0 ? "Left" : "Right";
    std::snprintf(properties->label, sizeof properties->label, "%s %s %s %d", effectName, side,
                  direction, 1);
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

} // namespace

int32 TarvelEffect::canDo(char* text) {
    if (text == nullptr) {
        return kNo;
    }
    for (const char* capability : kSupported) {
        if (std::strcmp(text, capability) == 0) {
            return kYes;
        }
    }
    return kNo;
}

bool TarvelEffect::getEffectName(char* name) {
    return copyText(name, effectName);
}

bool TarvelEffect::getVendorString(char* text) {
    return copyText(text, vendorString);
}

bool TarvelEffect::getProductString(char* text) {
    return copyText(text, productString);
}

int32 TarvelEffect::vendorSpecific(int32 index, VstWord value, void* /*ptr*/, float opt) {
    if (index != kHostScaleIndex || value != kHostScaleValue || panel == nullptr) {
        return 0;
    }
    return panel->setHostScale(opt) ? 1 : 0;
}

int32 TarvelEffect::getVendorVersion() {
    return kVendorVersion;
}

int32 TarvelEffect::getPlugCategory() {
    return kPlugCategEffect;
}

bool TarvelEffect::getInputProperties(int32 index, VstPinProperties* properties) {
    return describePin(effectName, "Input", index, properties);
}

bool TarvelEffect::getOutputProperties(int32 index, VstPinProperties* properties) {
    return describePin(effectName, "Output", index, properties);
}

int32 TarvelEffect::getGetTailSize() {
    return kTailSize;
}

// Only one program and no categories: there is nothing to name by index.
bool TarvelEffect::getProgramNameIndexed(int32 /*category*/, int32 /*index*/, char* /*text*/) {
    return false;
}
