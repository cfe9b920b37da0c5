// A CLAP host for the tests: loads Tarvel.clap as a host does (dlopen, or
// LoadLibrary on Windows, and clap_entry), makes instances, and runs blocks
// with events in and out. Every call goes through the library's own records.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "clap_abi.h"

namespace clap_test {

// The library, loaded once per test program and initialised.
class ClapLibrary {
public:
    explicit ClapLibrary(const char* path) {
#if defined(_WIN32)
        handle = LoadLibraryA(path);
        if (handle == nullptr) {
            error = "LoadLibrary failed on " + std::string(path);
            return;
        }
        entry = reinterpret_cast<const clap::PluginEntry*>(
            reinterpret_cast<void*>(GetProcAddress(handle, "clap_entry")));
#else
        handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            error = dlerror();
            return;
        }
        entry = static_cast<const clap::PluginEntry*>(dlsym(handle, "clap_entry"));
#endif
        if (entry == nullptr || !entry->init(path)) {
            error = "no clap_entry, or its init failed";
            entry = nullptr;
            return;
        }
        factory =
            static_cast<const clap::PluginFactory*>(entry->getFactory(clap::kPluginFactoryId));
    }
    ~ClapLibrary() {
        if (entry != nullptr) {
            entry->deinit();
        }
        if (handle != nullptr) {
#if defined(_WIN32)
            FreeLibrary(handle);
#else
            dlclose(handle);
#endif
        }
    }
    ClapLibrary(const ClapLibrary&) = delete;
    ClapLibrary& operator=(const ClapLibrary&) = delete;

    const clap::PluginEntry* entry = nullptr;
    const clap::PluginFactory* factory = nullptr;
    std::string error;

private:
#if defined(_WIN32)
    HMODULE handle = nullptr;
#else
    void* handle = nullptr;
#endif
};

// One event of either direction, as the host keeps it.
struct Event {
    std::uint32_t time = 0;
    std::uint16_t type = 0;
    clap::Id paramId = 0;
    double value = 0.0;
    std::uint8_t midi[3] = {};
    bool operator==(const Event& other) const {
        return time == other.time && type == other.type && paramId == other.paramId &&
               value == other.value && std::memcmp(midi, other.midi, 3) == 0;
    }
};

inline Event midiEvent(std::uint32_t time, std::uint8_t status, std::uint8_t data1,
                       std::uint8_t data2) {
    Event event;
    event.time = time;
    event.type = clap::kEventMidi;
    event.midi[0] = status;
    event.midi[1] = data1;
    event.midi[2] = data2;
    return event;
}

inline Event paramEvent(std::uint32_t time, clap::Id id, double value) {
    Event event;
    event.time = time;
    event.type = clap::kEventParamValue;
    event.paramId = id;
    event.value = value;
    return event;
}

inline Event noteEvent(std::uint32_t time, bool on, int channel, int key, double velocity) {
    Event event;
    event.time = time;
    event.type = on ? clap::kEventNoteOn : clap::kEventNoteOff;
    event.midi[0] = static_cast<std::uint8_t>(channel);
    event.midi[1] = static_cast<std::uint8_t>(key);
    event.value = velocity;
    return event;
}

// An input list built from Events, in the format's records.
class InputList {
public:
    explicit InputList(const std::vector<Event>& events) {
        for (const Event& event : events) {
            Record record{};
            record.header.time = event.time;
            record.header.type = event.type;
            record.header.spaceId = clap::kCoreEventSpace;
            if (event.type == clap::kEventParamValue) {
                record.header.size = sizeof(clap::EventParamValue);
                record.param.paramId = event.paramId;
                record.param.noteId = -1;
                record.param.portIndex = record.param.channel = record.param.key = -1;
                record.param.value = event.value;
            } else if (event.type == clap::kEventMidi) {
                record.header.size = sizeof(clap::EventMidi);
                std::memcpy(record.midi.data, event.midi, 3);
            } else {
                record.header.size = sizeof(clap::EventNote);
                record.note.noteId = -1;
                record.note.portIndex = 0;
                record.note.channel = event.midi[0];
                record.note.key = event.midi[1];
                record.note.velocity = event.value;
            }
            records_.push_back(record);
        }
        list.ctx = this;
        list.size = [](const clap::InputEvents* l) {
            return static_cast<std::uint32_t>(static_cast<InputList*>(l->ctx)->records_.size());
        };
        list.get = [](const clap::InputEvents* l, std::uint32_t index) -> const clap::EventHeader* {
            auto& records = static_cast<InputList*>(l->ctx)->records_;
            return index < records.size() ? &records[index].header : nullptr;
        };
    }
    clap::InputEvents list{};

private:
    union Record {
        clap::EventHeader header;
        clap::EventParamValue param;
        clap::EventMidi midi;
        clap::EventNote note;
    };
    std::vector<Record> records_;
};

// The events a block or flush pushes, read back as Events.
class OutputList {
public:
    OutputList() {
        list.ctx = this;
        list.tryPush = [](const clap::OutputEvents* l, const clap::EventHeader* header) {
            auto* self = static_cast<OutputList*>(l->ctx);
            Event event;
            event.time = header->time;
            event.type = header->type;
            if (header->type == clap::kEventMidi) {
                std::memcpy(event.midi, reinterpret_cast<const clap::EventMidi*>(header)->data, 3);
            } else if (header->type == clap::kEventParamValue) {
                const auto* param = reinterpret_cast<const clap::EventParamValue*>(header);
                event.paramId = param->paramId;
                event.value = param->value;
            } else if (header->type == clap::kEventParamGestureBegin ||
                       header->type == clap::kEventParamGestureEnd) {
                event.paramId = reinterpret_cast<const clap::EventParamGesture*>(header)->paramId;
            }
            self->events.push_back(event);
            return true;
        };
    }
    std::vector<Event> events;
    clap::OutputEvents list{};
};

// A host record with the thread-check extension, answering as the test's
// one thread is both threads' stand-in.
class TestHost {
public:
    TestHost() {
        host.clapVersion = clap::kVersion;
        host.hostData = this;
        host.name = "tarvel-tests";
        host.vendor = "Ostrand";
        host.url = "";
        host.version = "1";
        host.getExtension = [](const clap::Host* h, const char* id) -> const void* {
            auto* self = static_cast<TestHost*>(h->hostData);
            return std::strcmp(id, clap::kExtThreadCheck) == 0 ? &self->threadCheck : nullptr;
        };
        host.requestRestart = [](const clap::Host*) {};
        host.requestProcess = [](const clap::Host*) {};
        host.requestCallback = [](const clap::Host*) {};
        threadCheck.isMainThread = [](const clap::Host*) { return true; };
        threadCheck.isAudioThread = [](const clap::Host*) { return true; };
    }
    clap::Host host{};
    clap::HostThreadCheck threadCheck{};
};

// One instance, made, initialised and (by start()) active and processing.
class Instance {
public:
    Instance(const ClapLibrary& library, const TestHost& host) {
        plugin =
            library.factory->createPlugin(library.factory, &host.host, "example.ostrand.tarvel");
        if (plugin != nullptr && !plugin->init(plugin)) {
            plugin->destroy(plugin);
            plugin = nullptr;
        }
    }
    ~Instance() {
        if (plugin != nullptr) {
            if (processing) {
                plugin->stopProcessing(plugin);
            }
            if (active) {
                plugin->deactivate(plugin);
            }
            plugin->destroy(plugin);
        }
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool start(double rate = 48000.0) {
        active = plugin->activate(plugin, rate, 1, 4096);
        processing = active && plugin->startProcessing(plugin);
        return processing;
    }

    template <class T> const T* extension(const char* id) const {
        return static_cast<const T*>(plugin->getExtension(plugin, id));
    }

    // One block from in to left/right (which may be `in` itself).
    std::int32_t run(const float* in, float* left, float* right, std::uint32_t frames,
                     const std::vector<Event>& events, OutputList& out) {
        InputList list(events);
        float* inputs[2] = {const_cast<float*>(in), const_cast<float*>(in)};
        float* outputs[2] = {left, right};
        clap::AudioBuffer input{inputs, nullptr, 2, 0, 0};
        clap::AudioBuffer output{outputs, nullptr, 2, 0, 0};
        clap::Process process{};
        process.steadyTime = -1;
        process.framesCount = frames;
        process.audioInputs = &input;
        process.audioOutputs = &output;
        process.audioInputsCount = 1;
        process.audioOutputsCount = 1;
        process.inEvents = &list.list;
        process.outEvents = &out.list;
        return plugin->process(plugin, &process);
    }

    const clap::Plugin* plugin = nullptr;
    bool active = false;
    bool processing = false;
};

} // namespace clap_test
