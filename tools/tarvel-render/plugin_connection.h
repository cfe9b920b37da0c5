// The plug-in a render runs: the copy linked into tarvel-render, a native
// plug-in (VST 2.x, LV2 or CLAP) loaded into it, or TARVEL.dll in a plug-in server under
// Wine. Both take the same calls, so the
// render sequence exists once (renderer.cpp).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "harness/host_call.h"
#include "harness/midi_event_list.h"
#include "harness/plugin_host.h"
#include "harness/stereo_buffer.h"

class PluginConnection {
public:
    virtual ~PluginConnection() = default;

    // Creates the instance; false with error() set when that fails.
    virtual bool load() = 0;
    virtual VstWord dispatch(int32 opcode, int32 index, VstWord value, float opt) = 0;
    virtual std::string dispatchText(int32 opcode, int32 index) = 0;
    virtual void setParameter(int32 index, float value) = 0;
    // The block's MIDI through effProcessEvents, then one process call.
    virtual void processBlock(const std::vector<MidiMessage>& midi, StereoBuffer& input,
                              StereoBuffer& output, ProcessMode mode) = 0;
    virtual void close() = 0;
    virtual std::vector<HostCall> takeCalls() = 0;

    // Where the plug-in runs, for the summary.
    virtual std::string description() const = 0;
    // A connection that failed stays failed; its calls then do nothing.
    virtual bool failed() const = 0;
    virtual std::string error() const = 0;
};

std::unique_ptr<PluginConnection> connectLinkedPlugin();

// Loads the native VST 2.x library at `libraryPath` (a Linux .so exporting
// VSTPluginMain) into this process.
std::unique_ptr<PluginConnection> connectNativeLibrary(const std::string& libraryPath);
// Loads the LV2 bundle folder `bundlePath` (tarvel.lv2) into this process
// through lilv and drives it as an LV2 host.
std::unique_ptr<PluginConnection> connectLv2Bundle(const std::string& bundlePath);
// True when `path` names a folder, which --plugin takes for an LV2 bundle.
bool isLv2Bundle(const std::string& path);
// Loads the CLAP plug-in library `libraryPath` (Tarvel.clap) into this
// process and drives it as a CLAP host.
std::unique_ptr<PluginConnection> connectClapPlugin(const std::string& libraryPath);
// True when `path` ends in ".clap", which --plugin takes for a CLAP plug-in.
bool isClapPlugin(const std::string& path);

// Runs `dllPath` in `serverPath` (plugin-server.exe), started through
// `winePath`.
std::unique_ptr<PluginConnection> connectPluginServer(const std::string& dllPath,
                                                      const std::string& serverPath,
                                                      const std::string& winePath);
