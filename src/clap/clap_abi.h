// The parts of the CLAP plug-in interface this plug-in uses, as hosts lay
// them out in memory: the entry, the plug-in factory, the plug-in and host
// records, a block's buffers and events, byte streams, and the extensions
// the plug-in offers or asks its host for. Written for this system from the
// format's published description; the static assertions at the end pin the
// layout for 32-bit Windows and for 64-bit builds.
#pragma once

#include <cstddef>
#include <cstdint>

// Every function crossing the host boundary uses the C calling convention.
#if defined(_WIN32) && !defined(_WIN64)
#define CLAPCALL __cdecl
#else
#define CLAPCALL
#endif

namespace clap {

using Id = std::uint32_t;
constexpr Id kInvalidId = UINT32_MAX;

struct Version {
    std::uint32_t major;
    std::uint32_t minor;
    std::uint32_t revision;
};
// The interface version this plug-in is written against.
constexpr Version kVersion = {1, 2, 10};

constexpr std::size_t kNameSize = 256;
constexpr std::size_t kPathSize = 1024;

struct Host;
struct Plugin;

struct PluginEntry {
    Version clapVersion;
    bool(CLAPCALL* init)(const char* pluginPath);
    void(CLAPCALL* deinit)();
    const void*(CLAPCALL* getFactory)(const char* factoryId);
};

struct PluginDescriptor {
    Version clapVersion;
    const char* id;
    const char* name;
    const char* vendor;
    const char* url;
    const char* manualUrl;
    const char* supportUrl;
    const char* version;
    const char* description;
    const char* const* features;
};

constexpr char kPluginFactoryId[] = "clap.plugin-factory";

struct PluginFactory {
    std::uint32_t(CLAPCALL* getPluginCount)(const PluginFactory* factory);
    const PluginDescriptor*(CLAPCALL* getPluginDescriptor)(const PluginFactory* factory,
                                                           std::uint32_t index);
    const Plugin*(CLAPCALL* createPlugin)(const PluginFactory* factory, const Host* host,
                                          const char* pluginId);
};

struct Host {
    Version clapVersion;
    void* hostData;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    const void*(CLAPCALL* getExtension)(const Host* host, const char* extensionId);
    void(CLAPCALL* requestRestart)(const Host* host);
    void(CLAPCALL* requestProcess)(const Host* host);
    void(CLAPCALL* requestCallback)(const Host* host);
};

// Events: a header, then the event's own fields.
struct EventHeader {
    std::uint32_t size;
    std::uint32_t time;
    std::uint16_t spaceId;
    std::uint16_t type;
    std::uint32_t flags;
};
constexpr std::uint16_t kCoreEventSpace = 0;
enum EventType : std::uint16_t {
    kEventNoteOn = 0,
    kEventNoteOff = 1,
    kEventParamValue = 5,
    kEventParamGestureBegin = 7,
    kEventParamGestureEnd = 8,
    kEventMidi = 10,
};

struct EventNote {
    EventHeader header;
    std::int32_t noteId;
    std::int16_t portIndex;
    std::int16_t channel;
    std::int16_t key;
    double velocity;
};

struct EventParamValue {
    EventHeader header;
    Id paramId;
    void* cookie;
    std::int32_t noteId;
    std::int16_t portIndex;
    std::int16_t channel;
    std::int16_t key;
    double value;
};

struct EventParamGesture {
    EventHeader header;
    Id paramId;
};

struct EventMidi {
    EventHeader header;
    std::uint16_t portIndex;
    std::uint8_t data[3];
};

struct InputEvents {
    void* ctx;
    std::uint32_t(CLAPCALL* size)(const InputEvents* list);
    const EventHeader*(CLAPCALL* get)(const InputEvents* list, std::uint32_t index);
};

struct OutputEvents {
    void* ctx;
    bool(CLAPCALL* tryPush)(const OutputEvents* list, const EventHeader* event);
};

struct AudioBuffer {
    float** data32;
    double** data64;
    std::uint32_t channelCount;
    std::uint32_t latency;
    std::uint64_t constantMask;
};

struct EventTransport;

struct Process {
    std::int64_t steadyTime;
    std::uint32_t framesCount;
    const EventTransport* transport;
    const AudioBuffer* audioInputs;
    AudioBuffer* audioOutputs;
    std::uint32_t audioInputsCount;
    std::uint32_t audioOutputsCount;
    const InputEvents* inEvents;
    const OutputEvents* outEvents;
};

enum ProcessStatus : std::int32_t {
    kProcessError = 0,
    kProcessContinue = 1,
    kProcessContinueIfNotQuiet = 2,
    kProcessTail = 3,
    kProcessSleep = 4,
};

struct Plugin {
    const PluginDescriptor* desc;
    void* pluginData;
    bool(CLAPCALL* init)(const Plugin* plugin);
    void(CLAPCALL* destroy)(const Plugin* plugin);
    bool(CLAPCALL* activate)(const Plugin* plugin, double sampleRate, std::uint32_t minFrames,
                             std::uint32_t maxFrames);
    void(CLAPCALL* deactivate)(const Plugin* plugin);
    bool(CLAPCALL* startProcessing)(const Plugin* plugin);
    void(CLAPCALL* stopProcessing)(const Plugin* plugin);
    void(CLAPCALL* reset)(const Plugin* plugin);
    std::int32_t(CLAPCALL* process)(const Plugin* plugin, const Process* process);
    const void*(CLAPCALL* getExtension)(const Plugin* plugin, const char* id);
    void(CLAPCALL* onMainThread)(const Plugin* plugin);
};

struct IStream {
    void* ctx;
    std::int64_t(CLAPCALL* read)(const IStream* stream, void* buffer, std::uint64_t size);
};

struct OStream {
    void* ctx;
    std::int64_t(CLAPCALL* write)(const OStream* stream, const void* buffer, std::uint64_t size);
};

// Extensions the plug-in offers.
constexpr char kExtAudioPorts[] = "clap.audio-ports";
constexpr char kPortStereo[] = "stereo";
constexpr std::uint32_t kAudioPortIsMain = 1u << 0;

struct AudioPortInfo {
    Id id;
    char name[kNameSize];
    std::uint32_t flags;
    std::uint32_t channelCount;
    const char* portType;
    Id inPlacePair;
};

struct PluginAudioPorts {
    std::uint32_t(CLAPCALL* count)(const Plugin* plugin, bool isInput);
    bool(CLAPCALL* get)(const Plugin* plugin, std::uint32_t index, bool isInput,
                        AudioPortInfo* info);
};

constexpr char kExtNotePorts[] = "clap.note-ports";
constexpr std::uint32_t kNoteDialectClap = 1u << 0;
constexpr std::uint32_t kNoteDialectMidi = 1u << 1;

struct NotePortInfo {
    Id id;
    std::uint32_t supportedDialects;
    std::uint32_t preferredDialect;
    char name[kNameSize];
};

struct PluginNotePorts {
    std::uint32_t(CLAPCALL* count)(const Plugin* plugin, bool isInput);
    bool(CLAPCALL* get)(const Plugin* plugin, std::uint32_t index, bool isInput,
                        NotePortInfo* info);
};

constexpr char kExtParams[] = "clap.params";
constexpr std::uint32_t kParamIsAutomatable = 1u << 5;
constexpr std::uint32_t kParamRescanValues = 1u << 0;

struct ParamInfo {
    Id id;
    std::uint32_t flags;
    void* cookie;
    char name[kNameSize];
    char module[kPathSize];
    double minValue;
    double maxValue;
    double defaultValue;
};

struct PluginParams {
    std::uint32_t(CLAPCALL* count)(const Plugin* plugin);
    bool(CLAPCALL* getInfo)(const Plugin* plugin, std::uint32_t index, ParamInfo* info);
    bool(CLAPCALL* getValue)(const Plugin* plugin, Id paramId, double* value);
    bool(CLAPCALL* valueToText)(const Plugin* plugin, Id paramId, double value, char* text,
                                std::uint32_t capacity);
    bool(CLAPCALL* textToValue)(const Plugin* plugin, Id paramId, const char* text, double* value);
    void(CLAPCALL* flush)(const Plugin* plugin, const InputEvents* in, const OutputEvents* out);
};

struct HostParams {
    void(CLAPCALL* rescan)(const Host* host, std::uint32_t flags);
    void(CLAPCALL* clear)(const Host* host, Id paramId, std::uint32_t flags);
    void(CLAPCALL* requestFlush)(const Host* host);
};

constexpr char kExtState[] = "clap.state";

struct PluginState {
    bool(CLAPCALL* save)(const Plugin* plugin, const OStream* stream);
    bool(CLAPCALL* load)(const Plugin* plugin, const IStream* stream);
};

struct HostState {
    void(CLAPCALL* markDirty)(const Host* host);
};

constexpr char kExtLatency[] = "clap.latency";
constexpr char kExtTail[] = "clap.tail";

// The latency and tail extensions have the same one function.
struct PluginFrames {
    std::uint32_t(CLAPCALL* get)(const Plugin* plugin);
};

constexpr char kExtRender[] = "clap.render";

struct PluginRender {
    bool(CLAPCALL* hasHardRealtimeRequirement)(const Plugin* plugin);
    bool(CLAPCALL* set)(const Plugin* plugin, std::int32_t mode);
};

constexpr char kExtGui[] = "clap.gui";
constexpr char kWindowApiX11[] = "x11";
constexpr char kWindowApiWin32[] = "win32";

struct Window {
    const char* api;
    union {
        unsigned long x11;
        void* win32;
        void* ptr;
    };
};

struct GuiResizeHints {
    bool canResizeHorizontally;
    bool canResizeVertically;
    bool preserveAspectRatio;
    std::uint32_t aspectRatioWidth;
    std::uint32_t aspectRatioHeight;
};

struct PluginGui {
    bool(CLAPCALL* isApiSupported)(const Plugin* plugin, const char* api, bool isFloating);
    bool(CLAPCALL* getPreferredApi)(const Plugin* plugin, const char** api, bool* isFloating);
    bool(CLAPCALL* create)(const Plugin* plugin, const char* api, bool isFloating);
    void(CLAPCALL* destroy)(const Plugin* plugin);
    bool(CLAPCALL* setScale)(const Plugin* plugin, double scale);
    bool(CLAPCALL* getSize)(const Plugin* plugin, std::uint32_t* width, std::uint32_t* height);
    bool(CLAPCALL* canResize)(const Plugin* plugin);
    bool(CLAPCALL* getResizeHints)(const Plugin* plugin, GuiResizeHints* hints);
    bool(CLAPCALL* adjustSize)(const Plugin* plugin, std::uint32_t* width, std::uint32_t* height);
    bool(CLAPCALL* setSize)(const Plugin* plugin, std::uint32_t width, std::uint32_t height);
    bool(CLAPCALL* setParent)(const Plugin* plugin, const Window* window);
    bool(CLAPCALL* setTransient)(const Plugin* plugin, const Window* window);
    void(CLAPCALL* suggestTitle)(const Plugin* plugin, const char* title);
    bool(CLAPCALL* show)(const Plugin* plugin);
    bool(CLAPCALL* hide)(const Plugin* plugin);
};

// The host's side of the gui extension (same id): what the editor may ask
// of the host's window, on the main thread.
struct HostGui {
    void(CLAPCALL* resizeHintsChanged)(const Host* host);
    // True when the host resized its window to width by height.
    bool(CLAPCALL* requestResize)(const Host* host, std::uint32_t width, std::uint32_t height);
    bool(CLAPCALL* requestShow)(const Host* host);
    bool(CLAPCALL* requestHide)(const Host* host);
    void(CLAPCALL* closed)(const Host* host, bool wasDestroyed);
};

constexpr char kExtTimerSupport[] = "clap.timer-support";

struct PluginTimerSupport {
    void(CLAPCALL* onTimer)(const Plugin* plugin, Id timerId);
};

struct HostTimerSupport {
    bool(CLAPCALL* registerTimer)(const Host* host, std::uint32_t periodMs, Id* timerId);
    bool(CLAPCALL* unregisterTimer)(const Host* host, Id timerId);
};

constexpr char kExtPosixFdSupport[] = "clap.posix-fd-support";
constexpr std::uint32_t kPosixFdRead = 1u << 0;

struct PluginPosixFdSupport {
    void(CLAPCALL* onFd)(const Plugin* plugin, int fd, std::uint32_t flags);
};

struct HostPosixFdSupport {
    bool(CLAPCALL* registerFd)(const Host* host, int fd, std::uint32_t flags);
    bool(CLAPCALL* modifyFd)(const Host* host, int fd, std::uint32_t flags);
    bool(CLAPCALL* unregisterFd)(const Host* host, int fd);
};

// Extensions the plug-in asks the host for.
constexpr char kExtThreadCheck[] = "clap.thread-check";

struct HostThreadCheck {
    bool(CLAPCALL* isMainThread)(const Host* host);
    bool(CLAPCALL* isAudioThread)(const Host* host);
};

// The layout hosts read: 64-bit builds (Windows and Linux alike) and
// 32-bit Windows, where doubles and 64-bit integers in records are aligned
// to eight bytes as well.
constexpr bool kWide = sizeof(void*) == 8;
constexpr std::size_t wideOr(std::size_t wide, std::size_t narrow) {
    return kWide ? wide : narrow;
}
static_assert(sizeof(void*) == 8 || sizeof(void*) == 4, "a 32-bit or 64-bit build");
static_assert(sizeof(Version) == 12, "three words");
static_assert(sizeof(PluginEntry) == wideOr(40, 24) &&
                  offsetof(PluginEntry, init) == wideOr(16, 12),
              "entry layout");
static_assert(sizeof(PluginDescriptor) == wideOr(88, 48) &&
                  offsetof(PluginDescriptor, id) == wideOr(16, 12) &&
                  offsetof(PluginDescriptor, features) == wideOr(80, 44),
              "descriptor layout");
static_assert(sizeof(PluginFactory) == 3 * sizeof(void*), "factory layout");
static_assert(sizeof(Host) == wideOr(88, 48) && offsetof(Host, hostData) == wideOr(16, 12) &&
                  offsetof(Host, getExtension) == wideOr(56, 32) &&
                  offsetof(Host, requestCallback) == wideOr(80, 44),
              "host layout");
static_assert(sizeof(EventHeader) == 16 && offsetof(EventHeader, spaceId) == 8 &&
                  offsetof(EventHeader, type) == 10 && offsetof(EventHeader, flags) == 12,
              "event header layout");
static_assert(sizeof(EventNote) == 40 && offsetof(EventNote, noteId) == 16 &&
                  offsetof(EventNote, portIndex) == 20 && offsetof(EventNote, channel) == 22 &&
                  offsetof(EventNote, key) == 24 && offsetof(EventNote, velocity) == 32,
              "note event layout");
static_assert(sizeof(EventParamValue) == wideOr(56, 48) &&
                  offsetof(EventParamValue, paramId) == 16 &&
                  offsetof(EventParamValue, cookie) == wideOr(24, 20) &&
                  offsetof(EventParamValue, noteId) == wideOr(32, 24) &&
                  offsetof(EventParamValue, key) == wideOr(40, 32) &&
                  offsetof(EventParamValue, value) == wideOr(48, 40),
              "parameter value event layout");
static_assert(sizeof(EventParamGesture) == 20 && offsetof(EventParamGesture, paramId) == 16,
              "gesture event layout");
static_assert(sizeof(EventMidi) == 24 && offsetof(EventMidi, portIndex) == 16 &&
                  offsetof(EventMidi, data) == 18,
              "MIDI event layout");
static_assert(sizeof(InputEvents) == 3 * sizeof(void*), "input list layout");
static_assert(sizeof(OutputEvents) == 2 * sizeof(void*), "output list layout");
static_assert(sizeof(AudioBuffer) == wideOr(32, 24) &&
                  offsetof(AudioBuffer, channelCount) == wideOr(16, 8) &&
                  offsetof(AudioBuffer, constantMask) == wideOr(24, 16),
              "audio buffer layout");
static_assert(sizeof(Process) == wideOr(64, 40) && offsetof(Process, framesCount) == 8 &&
                  offsetof(Process, transport) == wideOr(16, 12) &&
                  offsetof(Process, audioInputsCount) == wideOr(40, 24) &&
                  offsetof(Process, inEvents) == wideOr(48, 32) &&
                  offsetof(Process, outEvents) == wideOr(56, 36),
              "process layout");
static_assert(sizeof(Plugin) == 12 * sizeof(void*) &&
                  offsetof(Plugin, process) == 9 * sizeof(void*) &&
                  offsetof(Plugin, onMainThread) == 11 * sizeof(void*),
              "plug-in layout");
static_assert(sizeof(IStream) == 2 * sizeof(void*) && sizeof(OStream) == 2 * sizeof(void*),
              "stream layout");
static_assert(sizeof(AudioPortInfo) == wideOr(288, 276) && offsetof(AudioPortInfo, flags) == 260 &&
                  offsetof(AudioPortInfo, channelCount) == 264 &&
                  offsetof(AudioPortInfo, portType) == wideOr(272, 268) &&
                  offsetof(AudioPortInfo, inPlacePair) == wideOr(280, 272),
              "audio port layout");
static_assert(sizeof(NotePortInfo) == 268 && offsetof(NotePortInfo, name) == 12,
              "note port layout");
static_assert(sizeof(ParamInfo) == 1320 && offsetof(ParamInfo, cookie) == 8 &&
                  offsetof(ParamInfo, name) == wideOr(16, 12) &&
                  offsetof(ParamInfo, module) == wideOr(272, 268) &&
                  offsetof(ParamInfo, minValue) == 1296 &&
                  offsetof(ParamInfo, defaultValue) == 1312,
              "parameter info layout");
static_assert(sizeof(PluginParams) == 6 * sizeof(void*), "parameters layout");
static_assert(sizeof(Window) == 2 * sizeof(void*) && offsetof(Window, x11) == sizeof(void*),
              "window layout");
static_assert(sizeof(GuiResizeHints) == 12 && offsetof(GuiResizeHints, aspectRatioWidth) == 4,
              "resize hints layout");
static_assert(sizeof(PluginGui) == 15 * sizeof(void*), "gui layout");
static_assert(sizeof(HostGui) == 5 * sizeof(void*), "host gui layout");
static_assert(sizeof(HostTimerSupport) == 2 * sizeof(void*) &&
                  sizeof(HostPosixFdSupport) == 3 * sizeof(void*),
              "host timer and file descriptor layout");

} // namespace clap
