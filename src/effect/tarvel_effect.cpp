// Construction and destruction of the effect, its program and its two
// parameters, and the texts the host shows for them.
#include "effect/tarvel_effect.h"

#include <cstdio>
#include <cstring>

#include "effect/parameter_panel.h"
#include "host/aeff_editor.h"

namespace {

constexpr char kDecibelLabel[] = "   dB   ";
// A program whose name is this placeholder is shown with its number.
constexpr char kPlaceholderName[] = "Init";

// Copies at most size - 1 characters of `source` and always terminates, so a
// long name never runs past the field (nor is read past that length).
void copyBounded(char* destination, const char* source, std::size_t size) {
    std::size_t length = 0;
    while (length + 1 < size && source[length] != '\0') {
        destination[length] = source[length];
        ++length;
    }
    destination[length] = '\0';
}

} // namespace

TarvelEffect::TarvelEffect(audioMasterCallback host)
    : AudioEffectX(host, kNumPrograms, kNumParams) {

    setProgram(0);
    setParameter(kNcvolume, 1.0f);
    setParameter(kIpvolume, 1.0f);
    char initialName[] = "Tarvel";
    setProgramName(initialName);

    copyBounded(effectName, "Tarvel", sizeof effectName);
    copyBounded(productString, "Ostrand Tarvel", sizeof productString);
    copyBounded(vendorString, "Ostrand", sizeof vendorString);

    hasVu(false);
    setNumInputs(2);
    setNumOutputs(2);
    canMono(true);
    canProcessReplacing(true);
    isSynth(false);
    setUniqueID(fourCharCode('T', 'v', 'r', 'l'));
}

// The program array and the core (its cycle buffer and event store) live
// inside the object. The editor goes first, while this is still a TarvelEffect its
// panel can detach from.
TarvelEffect::~TarvelEffect() {
    AEffEditor* panelEditor = editorOf();
    setEditor(nullptr);
    delete panelEditor;
}

void TarvelEffect::setParameter(int32 index, float value) {
    TarvelProgram& program = programs[curProgram.load(std::memory_order_relaxed)];
    if (index == kNcvolume) {
        program.ncvolume.store(value, std::memory_order_relaxed);
    } else if (index == kIpvolume) {
        program.ipvolume.store(value, std::memory_order_relaxed);
    }
    core.cycles.setGain(index, value);
    // The editor panel hears of every index, also one that stored nothing;
    // it posts its own update.
    if (panel != nullptr) {
        panel->setParameter(index, value);
    }
}

float TarvelEffect::getParameter(int32 index) {
    return core.cycles.gain(index);
}

// Indexes outside the bank are refused: the host only filters those at or
// above the count, and a negative one would address memory before the bank.
void TarvelEffect::setProgram(int32 program) {
    if (program < 0 || program >= numPrograms) {
        return;
    }
    curProgram.store(program, std::memory_order_relaxed);
    const TarvelProgram& current = programs[program];
    setParameter(kNcvolume, current.ncvolume.load(std::memory_order_relaxed));
    setParameter(kIpvolume, current.ipvolume.load(std::memory_order_relaxed));
}

void TarvelEffect::setProgramName(char* name) {
    if (name == nullptr) {
        return;
    }
    copyBounded(programs[curProgram.load(std::memory_order_relaxed)].name, name, kProgramNameSize);
}

void TarvelEffect::getProgramName(char* name) {
    if (name == nullptr) {
        return;
    }
    const char* stored = programs[curProgram.load(std::memory_order_relaxed)].name;
    if (std::strcmp(stored, kPlaceholderName) == 0) {
        std::snprintf(name, kProgramNameSize, "%s %d", kPlaceholderName,
                      static_cast<int>(curProgram.load(std::memory_order_relaxed) + 1));
    } else {
        copyBounded(name, stored, kProgramNameSize);
    }
}

bool TarvelEffect::copyProgram(int32 destination) {
    if (destination < 0 || destination >= numPrograms) {
        return false;
    }
    programs[destination] = programs[curProgram.load(std::memory_order_relaxed)];
    return true;
}

// Both parameters are gains shown in decibels, so both carry the dB label.
void TarvelEffect::getParameterLabel(int32 index, char* label) {
    if (label != nullptr && (index == kNcvolume || index == kIpvolume)) {
        copyBounded(label, kDecibelLabel, sizeof kDecibelLabel);
    }
}

void TarvelEffect::getParameterDisplay(int32 index, char* text) {
    if (text != nullptr && (index == kNcvolume || index == kIpvolume)) {
        dB2string(getParameter(index), text);
    }
}

void TarvelEffect::getParameterName(int32 index, char* text) {
    if (text == nullptr) {
        return;
    }
    if (index == kNcvolume) {
        copyBounded(text, "ncvolume", kTextSize);
    } else if (index == kIpvolume) {
        copyBounded(text, "ipvolume", kTextSize);
    }
}

float TarvelEffect::getVu() {
    return 0.0f;
}

// The capture state and the event queue carry over a suspension unchanged.
void TarvelEffect::suspend() {}

void TarvelEffect::resume() {
    wantEvents(1);
}
