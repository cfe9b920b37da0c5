// The plug-in linked into this program, driven in-process by the harness.
#include "harness/plugin_module.h"
#include "host/vst_opcodes.h"
#include "plugin_connection.h"

namespace {

class LinkedConnection final : public PluginConnection {
public:
    bool load() override {
        module_ = openPluginModule("", error_);
        if (module_ == nullptr) {
            return false;
        }
        if (!host_.load(module_->entry())) {
            error_ = "the plug-in refused to load";
            return false;
        }
        return true;
    }
    VstWord dispatch(int32 opcode, int32 index, VstWord value, float opt) override {
        return host_.dispatch(opcode, index, value, nullptr, opt);
    }
    std::string dispatchText(int32 opcode, int32 index) override {
        return host_.dispatchText(opcode, index);
    }
    void setParameter(int32 index, float value) override { host_.setParameter(index, value); }
    void processBlock(const std::vector<MidiMessage>& midi, StereoBuffer& input,
                      StereoBuffer& output, ProcessMode mode) override {
        host_.processBlock(midi, input, output, mode);
    }
    void close() override {
        if (host_.isLoaded()) {
            host_.close();
        }
    }
    std::vector<HostCall> takeCalls() override { return host_.takeCalls(); }
    std::string description() const override { return "the plug-in built into tarvel-render"; }
    bool failed() const override { return !error_.empty(); }
    std::string error() const override { return error_; }

private:
    std::unique_ptr<PluginModule> module_;
    PluginHost host_;
    std::string error_;
};

} // namespace

std::unique_ptr<PluginConnection> connectLinkedPlugin() {
    return std::make_unique<LinkedConnection>();
}
