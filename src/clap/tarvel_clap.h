// One CLAP instance of the plug-in: the effect's core, driven as the
// format asks. A block's events come in time order; the block is cut at
// each event's frame, where parameter values take effect and MIDI (and
// CLAP notes, taken as the MIDI they stand for) is handed to the core.
// What the core releases goes out at its frame: the MIDI thru as MIDI
// events, a controller 1 (or program change) as parameter values.
// Parameter values the host sends are never sent back.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "clap_abi.h"
#include "core/effect_core.h"

namespace tarvel_clap {

class ClapGui;

// The parameters' ids, stable across versions: the indices of the gains.
constexpr clap::Id kNcvolumeId = CycleMachine::kNcvolume;
constexpr clap::Id kIpvolumeId = CycleMachine::kIpvolume;
constexpr std::uint32_t kParamCount = 2;

class TarvelClap final : private EffectOutput {
public:
    explicit TarvelClap(const clap::Host* host);
    TarvelClap(const TarvelClap&) = delete;
    TarvelClap& operator=(const TarvelClap&) = delete;

    const clap::Plugin* plugin() const { return &plugin_; }
    static TarvelClap* of(const clap::Plugin* plugin);

    bool init();
    bool activate();
    void deactivate();
    bool startProcessing();
    void stopProcessing();
    void reset();
    std::int32_t process(const clap::Process& process);
    void flush(const clap::InputEvents* in, const clap::OutputEvents* out);

    // The gain a parameter holds: false for an unknown id.
    bool value(clap::Id id, double& value) const;
    bool save(const clap::OStream& stream) const;
    bool load(const clap::IStream& stream);

    bool active() const { return active_; }
    bool processing() const { return processing_; }

    // The editor's edits, made on the main thread: the value is the
    // effect's at once, and the host hears of the edit (a gesture begin,
    // values, its end) at the next block's first frame or flush, which
    // the host is asked for.
    void editBegin(clap::Id id);
    void editValue(clap::Id id, double value);
    void editEnd(clap::Id id);
    // True once after a value changed that the editor did not make (the
    // host's, controller 1's, a loaded state's).
    bool takeChangeNotice() { return changed.exchange(false, std::memory_order_acquire); }
    const clap::Host* host() const { return host_; }

    // The editor while one is made, owned by the plug-in's gui functions
    // (clap_entry.cpp), which end it before the instance.
    ClapGui* gui = nullptr;

private:
    void controllerGain(float value, int32 delta) override;
    void programChange(int32 program, int32 delta) override;
    void relayMidi(uint8 status, uint8 data1, uint8 data2, int32 delta) override;

    void takeEvents(const clap::InputEvents* in, std::uint32_t& next, std::uint32_t count,
                    std::uint32_t end, std::uint32_t last, bool midi);
    void takeEvent(const clap::EventHeader& event);
    void setGain(clap::Id id, double value);
    void pushParamValue(clap::Id id, double value, std::uint32_t time);
    void checkMainThread() const;
    void checkAudioThread() const;
    void queueEdit(std::uint16_t type, clap::Id id, double value);
    void takeEdits();
    void pushGesture(std::uint16_t type, clap::Id id);

    clap::Plugin plugin_{};
    const clap::Host* host_;
    const clap::HostThreadCheck* threadCheck = nullptr;
    std::unique_ptr<EffectCore> core;
    bool active_ = false;
    bool processing_ = false;

    // While a block or a flush runs: where its output goes, and the frame
    // the core's block (one stretch between event frames) starts at.
    const clap::OutputEvents* out_ = nullptr;
    std::uint32_t segmentStart = 0;

    // The editor's edits on their way to the audio thread: one writer (the
    // main thread), one reader (process or flush).
    struct Edit {
        std::uint16_t type;
        clap::Id id;
        double value;
    };
    static constexpr std::uint32_t kEditCapacity = 256;
    Edit edits[kEditCapacity] = {};
    std::atomic<std::uint32_t> editsWritten{0};
    std::atomic<std::uint32_t> editsRead{0};
    std::atomic<bool> changed{false};
    const clap::HostParams* hostParams = nullptr;
};

} // namespace tarvel_clap
