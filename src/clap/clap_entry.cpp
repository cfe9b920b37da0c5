// The library's one exported symbol, clap_entry, its plug-in factory with
// the one descriptor, and the plug-in's functions and extensions, each
// handing over to the instance.
#include <cstdio>
#include <cstring>
#include <new>

#include "clap_abi.h"
#include "core/number_text.h"
#include "tarvel_clap.h"
#if defined(TARVEL_CLAP_GUI)
#include "clap_gui.h"
#endif

#if defined(_WIN32)
#define TARVEL_CLAP_EXPORT __declspec(dllexport)
#else
#define TARVEL_CLAP_EXPORT __attribute__((visibility("default")))
#endif

namespace {

using tarvel_clap::TarvelClap;

constexpr char kPluginId[] = "example.ostrand.tarvel";
const char* const kFeatures[] = {"audio-effect", "stereo", nullptr};

const clap::PluginDescriptor kDescriptor = {
    clap::kVersion,
    kPluginId,
    "Tarvel",
    "Ostrand",
    "",
    "",
    "",
    TARVEL_VERSION_TEXT,
    "Replays one recorded waveform cycle over the live input",
    kFeatures};

void copyName(char* destination, std::size_t size, const char* name) {
    std::snprintf(destination, size, "%s", name);
}

// Audio ports: one stereo main input and one stereo main output, a pair
// that may be processed in place.
std::uint32_t CLAPCALL audioPortCount(const clap::Plugin* /*plugin*/, bool /*isInput*/) {
    return 1;
}

bool CLAPCALL audioPortGet(const clap::Plugin* /*plugin*/, std::uint32_t index, bool isInput,
                           clap::AudioPortInfo* info) {
    if (index != 0 || info == nullptr) {
        return false;
    }
    info->id = 0;
    copyName(info->name, sizeof info->name, isInput ? "Input" : "Output");
    info->flags = clap::kAudioPortIsMain;
    info->channelCount = 2;
    info->portType = clap::kPortStereo;
    info->inPlacePair = 0;
    return true;
}

const clap::PluginAudioPorts kAudioPorts = {audioPortCount, audioPortGet};

// Note ports: MIDI in (CLAP notes accepted too) and the MIDI thru out.
std::uint32_t CLAPCALL notePortCount(const clap::Plugin* /*plugin*/, bool /*isInput*/) {
    return 1;
}

bool CLAPCALL notePortGet(const clap::Plugin* /*plugin*/, std::uint32_t index, bool isInput,
                          clap::NotePortInfo* info) {
    if (index != 0 || info == nullptr) {
        return false;
    }
    info->id = 0;
    info->supportedDialects =
        isInput ? clap::kNoteDialectMidi | clap::kNoteDialectClap : clap::kNoteDialectMidi;
    info->preferredDialect = clap::kNoteDialectMidi;
    copyName(info->name, sizeof info->name, isInput ? "MIDI In" : "MIDI Thru");
    return true;
}

const clap::PluginNotePorts kNotePorts = {notePortCount, notePortGet};

std::uint32_t CLAPCALL paramCount(const clap::Plugin* /*plugin*/) {
    return tarvel_clap::kParamCount;
}

bool CLAPCALL paramInfo(const clap::Plugin* /*plugin*/, std::uint32_t index,
                        clap::ParamInfo* info) {
    if (index >= tarvel_clap::kParamCount || info == nullptr) {
        return false;
    }
    std::memset(info, 0, sizeof *info);
    info->id = index;
    info->flags = clap::kParamIsAutomatable;
    info->cookie = nullptr;
    copyName(info->name, sizeof info->name,
             index == tarvel_clap::kNcvolumeId ? "ncvolume" : "ipvolume");
    info->minValue = 0.0;
    info->maxValue = 1.0;
    info->defaultValue = 1.0;
    return true;
}

bool CLAPCALL paramValue(const clap::Plugin* plugin, clap::Id id, double* value) {
    TarvelClap* self = TarvelClap::of(plugin);
    return self != nullptr && value != nullptr && self->value(id, *value);
}

// The text the VST 2.x build shows, with its unit.
bool CLAPCALL valueToText(const clap::Plugin* /*plugin*/, clap::Id id, double value, char* text,
                          std::uint32_t capacity) {
    if (id >= tarvel_clap::kParamCount || text == nullptr || capacity == 0) {
        return false;
    }
    char number[16];
    decibelText(static_cast<float>(value), number);
    const int written = std::snprintf(text, capacity, "%s dB", number);
    return written > 0 && static_cast<std::uint32_t>(written) < capacity;
}

bool CLAPCALL textToValue(const clap::Plugin* /*plugin*/, clap::Id id, const char* text,
                          double* value) {
    double gain = 0.0;
    if (id >= tarvel_clap::kParamCount || value == nullptr || !gainFromDecibelText(text, gain)) {
        return false;
    }
    *value = gain > 1.0 ? 1.0 : gain;
    return true;
}

void CLAPCALL paramsFlush(const clap::Plugin* plugin, const clap::InputEvents* in,
                          const clap::OutputEvents* out) {
    if (TarvelClap* self = TarvelClap::of(plugin)) {
        self->flush(in, out);
    }
}

const clap::PluginParams kParams = {paramCount,  paramInfo,   paramValue,
                                    valueToText, textToValue, paramsFlush};

bool CLAPCALL stateSave(const clap::Plugin* plugin, const clap::OStream* stream) {
    TarvelClap* self = TarvelClap::of(plugin);
    return self != nullptr && stream != nullptr && self->save(*stream);
}

bool CLAPCALL stateLoad(const clap::Plugin* plugin, const clap::IStream* stream) {
    TarvelClap* self = TarvelClap::of(plugin);
    return self != nullptr && stream != nullptr && self->load(*stream);
}

const clap::PluginState kState = {stateSave, stateLoad};

std::uint32_t CLAPCALL latency(const clap::Plugin* /*plugin*/) {
    return 0;
}

const clap::PluginFrames kLatency = {latency};

// After the input falls silent a replay may still run: a whole cycle.
std::uint32_t CLAPCALL tail(const clap::Plugin* /*plugin*/) {
    return static_cast<std::uint32_t>(CycleMachine::kCycleCapacity);
}

const clap::PluginFrames kTail = {tail};

// Offline and real-time rendering compute the same.
bool CLAPCALL hardRealtime(const clap::Plugin* /*plugin*/) {
    return false;
}

bool CLAPCALL setRenderMode(const clap::Plugin* /*plugin*/, std::int32_t /*mode*/) {
    return true;
}

const clap::PluginRender kRender = {hardRealtime, setRenderMode};

#if defined(TARVEL_CLAP_GUI)
// The editor, embedded in a window of the host's (X11 or Win32, as the
// build's window system); 268 by 107 pixels times the scale it is drawn at
// (the host's, when set, times the user's zoom), not resizable by the user.
using tarvel_clap::ClapGui;
using tarvel_clap::kGuiWindowApi;

bool CLAPCALL guiApiSupported(const clap::Plugin* /*plugin*/, const char* api, bool floating) {
    return api != nullptr && std::strcmp(api, kGuiWindowApi) == 0 && !floating;
}

bool CLAPCALL guiPreferredApi(const clap::Plugin* /*plugin*/, const char** api, bool* floating) {
    if (api == nullptr || floating == nullptr) {
        return false;
    }
    *api = kGuiWindowApi;
    *floating = false;
    return true;
}

bool CLAPCALL guiCreate(const clap::Plugin* plugin, const char* api, bool floating) {
    TarvelClap* self = TarvelClap::of(plugin);
    if (self == nullptr || self->gui != nullptr || !guiApiSupported(plugin, api, floating)) {
        return false;
    }
    self->gui = ClapGui::create(*self);
    return self->gui != nullptr;
}

void CLAPCALL guiDestroy(const clap::Plugin* plugin) {
    if (TarvelClap* self = TarvelClap::of(plugin)) {
        delete self->gui;
        self->gui = nullptr;
    }
}

bool CLAPCALL guiSetScale(const clap::Plugin* plugin, double scale) {
    TarvelClap* self = TarvelClap::of(plugin);
    return self != nullptr && self->gui != nullptr && self->gui->setScale(scale);
}

bool CLAPCALL guiGetSize(const clap::Plugin* plugin, std::uint32_t* width, std::uint32_t* height) {
    TarvelClap* self = TarvelClap::of(plugin);
    if (self == nullptr || self->gui == nullptr || width == nullptr || height == nullptr) {
        return false;
    }
    self->gui->size(*width, *height);
    return true;
}

bool CLAPCALL guiCanResize(const clap::Plugin* /*plugin*/) {
    return false;
}

bool CLAPCALL guiResizeHints(const clap::Plugin* /*plugin*/, clap::GuiResizeHints* hints) {
    if (hints == nullptr) {
        return false;
    }
    *hints = {false, false, true, 268, 107};
    return true;
}

// The one size there is.
bool CLAPCALL guiAdjustSize(const clap::Plugin* plugin, std::uint32_t* width,
                            std::uint32_t* height) {
    return guiGetSize(plugin, width, height);
}

bool CLAPCALL guiSetSize(const clap::Plugin* plugin, std::uint32_t width, std::uint32_t height) {
    std::uint32_t ownWidth = 0;
    std::uint32_t ownHeight = 0;
    return guiGetSize(plugin, &ownWidth, &ownHeight) && width == ownWidth && height == ownHeight;
}

bool CLAPCALL guiSetParent(const clap::Plugin* plugin, const clap::Window* window) {
    TarvelClap* self = TarvelClap::of(plugin);
    if (self == nullptr || self->gui == nullptr || window == nullptr || window->api == nullptr ||
        std::strcmp(window->api, kGuiWindowApi) != 0) {
        return false;
    }
    return self->gui->setParent(*window);
}

bool CLAPCALL guiSetTransient(const clap::Plugin* /*plugin*/, const clap::Window* /*window*/) {
    return false;
}

void CLAPCALL guiSuggestTitle(const clap::Plugin* /*plugin*/, const char* /*title*/) {}

// Embedded, the window shows and hides with the host's.
bool CLAPCALL guiShow(const clap::Plugin* plugin) {
    TarvelClap* self = TarvelClap::of(plugin);
    return self != nullptr && self->gui != nullptr;
}

bool CLAPCALL guiHide(const clap::Plugin* plugin) {
    return guiShow(plugin);
}

const clap::PluginGui kGui = {guiApiSupported, guiPreferredApi, guiCreate,    guiDestroy,
                              guiSetScale,     guiGetSize,      guiCanResize, guiResizeHints,
                              guiAdjustSize,   guiSetSize,      guiSetParent, guiSetTransient,
                              guiSuggestTitle, guiShow,         guiHide};
#endif

#if defined(TARVEL_CLAP_GUI_X11)
void CLAPCALL onTimer(const clap::Plugin* plugin, clap::Id /*timer*/) {
    TarvelClap* self = TarvelClap::of(plugin);
    if (self != nullptr && self->gui != nullptr) {
        self->gui->idle();
    }
}

const clap::PluginTimerSupport kTimerSupport = {onTimer};

void CLAPCALL onFd(const clap::Plugin* plugin, int /*fd*/, std::uint32_t /*flags*/) {
    onTimer(plugin, 0);
}

const clap::PluginPosixFdSupport kPosixFdSupport = {onFd};
#endif

bool CLAPCALL pluginInit(const clap::Plugin* plugin) {
    TarvelClap* self = TarvelClap::of(plugin);
    return self != nullptr && self->init();
}

void CLAPCALL pluginDestroy(const clap::Plugin* plugin) {
#if defined(TARVEL_CLAP_GUI)
    guiDestroy(plugin);
#endif
    delete TarvelClap::of(plugin);
}

bool CLAPCALL pluginActivate(const clap::Plugin* plugin, double /*sampleRate*/,
                             std::uint32_t /*minFrames*/, std::uint32_t /*maxFrames*/) {
    TarvelClap* self = TarvelClap::of(plugin);
    return self != nullptr && self->activate();
}

void CLAPCALL pluginDeactivate(const clap::Plugin* plugin) {
    if (TarvelClap* self = TarvelClap::of(plugin)) {
        self->deactivate();
    }
}

bool CLAPCALL pluginStartProcessing(const clap::Plugin* plugin) {
    TarvelClap* self = TarvelClap::of(plugin);
    return self != nullptr && self->startProcessing();
}

void CLAPCALL pluginStopProcessing(const clap::Plugin* plugin) {
    if (TarvelClap* self = TarvelClap::of(plugin)) {
        self->stopProcessing();
    }
}

void CLAPCALL pluginReset(const clap::Plugin* plugin) {
    if (TarvelClap* self = TarvelClap::of(plugin)) {
        self->reset();
    }
}

std::int32_t CLAPCALL pluginProcess(const clap::Plugin* plugin, const clap::Process* process) {
    TarvelClap* self = TarvelClap::of(plugin);
    if (self == nullptr || process == nullptr) {
        return clap::kProcessError;
    }
    return self->process(*process);
}

const void* CLAPCALL pluginExtension(const clap::Plugin* /*plugin*/, const char* id) {
    if (id == nullptr) {
        return nullptr;
    }
    struct Extension {
        const char* id;
        const void* table;
    };
    static constexpr Extension kExtensions[] = {
        {clap::kExtAudioPorts, &kAudioPorts},
        {clap::kExtNotePorts, &kNotePorts},
        {clap::kExtParams, &kParams},
        {clap::kExtState, &kState},
        {clap::kExtLatency, &kLatency},
        {clap::kExtTail, &kTail},
        {clap::kExtRender, &kRender},
#if defined(TARVEL_CLAP_GUI)
        {clap::kExtGui, &kGui},
#endif
#if defined(TARVEL_CLAP_GUI_X11)
        {clap::kExtTimerSupport, &kTimerSupport},
        {clap::kExtPosixFdSupport, &kPosixFdSupport},
#endif
    };
    for (const Extension& extension : kExtensions) {
        if (std::strcmp(id, extension.id) == 0) {
            return extension.table;
        }
    }
    return nullptr;
}

void CLAPCALL pluginOnMainThread(const clap::Plugin* /*plugin*/) {}

std::uint32_t CLAPCALL factoryCount(const clap::PluginFactory* /*factory*/) {
    return 1;
}

const clap::PluginDescriptor* CLAPCALL factoryDescriptor(const clap::PluginFactory* /*factory*/,
                                                         std::uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}

// The plug-in record is filled here; init() makes the effect.
const clap::Plugin* CLAPCALL factoryCreate(const clap::PluginFactory* /*factory*/,
                                           const clap::Host* host, const char* pluginId) {
    if (host == nullptr || pluginId == nullptr || std::strcmp(pluginId, kPluginId) != 0) {
        return nullptr;
    }
    auto* instance = new (std::nothrow) TarvelClap(host);
    if (instance == nullptr) {
        return nullptr;
    }
    auto* record = const_cast<clap::Plugin*>(instance->plugin());
    record->desc = &kDescriptor;
    record->init = pluginInit;
    record->destroy = pluginDestroy;
    record->activate = pluginActivate;
    record->deactivate = pluginDeactivate;
    record->startProcessing = pluginStartProcessing;
    record->stopProcessing = pluginStopProcessing;
    record->reset = pluginReset;
    record->process = pluginProcess;
    record->getExtension = pluginExtension;
    record->onMainThread = pluginOnMainThread;
    return record;
}

const clap::PluginFactory kFactory = {factoryCount, factoryDescriptor, factoryCreate};

bool CLAPCALL entryInit(const char* /*pluginPath*/) {
    return true;
}

void CLAPCALL entryDeinit() {}

const void* CLAPCALL entryFactory(const char* factoryId) {
    if (factoryId != nullptr && std::strcmp(factoryId, clap::kPluginFactoryId) == 0) {
        return &kFactory;
    }
    return nullptr;
}

} // namespace

extern "C" TARVEL_CLAP_EXPORT const clap::PluginEntry clap_entry = {clap::kVersion, entryInit,
                                                                    entryDeinit, entryFactory};
