// A plug-in in this program's own process, driven by the harness: the copy
// linked into tarvel-render, or a native plug-in library it loads.
#include <string>
#include <utility>

#include "harness/plugin_module.h"
#include "host/vst_opcodes.h"
#include "plugin_connection.h"

namespace {

class InProcessConnection final : public PluginConnection {
public:
    // An empty path means the linked-in copy.
    explicit InProcessConnection(std::string libraryPath) : libraryPath_(std::move(libraryPath)) {}

    bool load() override {
        module = openPluginModule(libraryPath_, error_);
        if (module == nullptr) {
            return false;
        }
        if (!host.load(module->entry())) {
            error_ = "the plug-in refused to load";
            return false;
        }
        return true;
    }
    VstWord dispatch(int32 opcode, int32 index, VstWord value, float opt) override {
        return host.dispatch(opcode, index, value, nullptr, opt);
    }
    std::string dispatchText(int32 opcode, int32 index) override {
        return host.dispatchText(opcode, index);
    }
    void setParameter(int32 index, float value) override { host.setParameter(index, value); }
    void processBlock(const std::vector<MidiMessage>& midi, StereoBuffer& input,
                      StereoBuffer& output, ProcessMode mode) override {
        host.processBlock(midi, input, output, mode);
    }
    void close() override {
        if (host.isLoaded()) {
            host.close();
        }
    }
    std::vector<HostCall> takeCalls() override { return host.takeCalls(); }
    std::string description() const override {
        return libraryPath_.empty() ? "the plug-in built into tarvel-render"
                                    : "the native library " + libraryPath_;
    }
    bool failed() const override { return !error_.empty(); }
    std::string error() const override { return error_; }

private:
    std::string libraryPath_;
    std::unique_ptr<PluginModule> module;
    PluginHost host;
    std::string error_;
};

} // namespace

std::unique_ptr<PluginConnection> connectLinkedPlugin() {
    return std::make_unique<InProcessConnection>("");
}

std::unique_ptr<PluginConnection> connectNativeLibrary(const std::string& libraryPath) {
    return std::make_unique<InProcessConnection>(libraryPath);
}
