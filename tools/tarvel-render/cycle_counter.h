// Follows the effect's capture rule on the left input to tell which frames
// the effect records a cycle in and which it replays one in, and how many
// cycles it recorded. The rule depends on the left input alone (not on gains
// or MIDI), so a fresh instance fed the same input is in the same phase at
// every frame; tarvel-render checks that claim against the output it got.
// The summary's counts and the plot's shaded stretches both come from here.
#pragma once

#include <cstdint>
#include <vector>

// Frames [start, end) the effect spent in one phase.
struct CycleStretch {
    enum class Phase { recording, replay };
    Phase phase = Phase::recording;
    std::int64_t start = 0;
    std::int64_t end = 0;
    bool cut = false; // a cycle cut at kCapacity, or the replay of one

    bool operator==(const CycleStretch& other) const {
        return phase == other.phase && start == other.start && end == other.end && cut == other.cut;
    }
};

class CycleCounter {
public:
    // The longest cycle the effect holds; a longer one is cut there.
    static constexpr std::int32_t kCapacity = 11025;

    // Follows one frame; true when the effect replays at this frame.
    bool step(float left);

    int recorded() const { return recorded_; } // cycles recorded in full or cut
    int cut() const { return cut_; }           // of those, cut at kCapacity
    int replayed() const { return replayed_; } // replays played to their end
    bool recordingAtEnd() const { return !playing && length > 0; }
    bool replayingAtEnd() const { return playing; }

    // From now on, remembers each stretch as it ends: one recording stretch
    // per recorded cycle, one replay stretch per finished replay.
    void keepStretches() { keeping = true; }
    // The stretches ended since the last call, in frame order.
    std::vector<CycleStretch> takeStretches();
    // The recording or replay still running after the frames followed so
    // far, ending there; false while waiting for a crossing.
    bool stretchInProgress(CycleStretch& stretch) const;

private:
    void endStretch(CycleStretch::Phase phase, std::int64_t start, std::int64_t end);

    bool playing = false;
    std::int32_t length = 0; // recorded so far, or the length being replayed
    std::int32_t played = 0;
    float previous = 0.0f;
    int recorded_ = 0;
    int cut_ = 0;
    int replayed_ = 0;
    bool lastCut = false;     // whether the cycle recorded last was cut
    std::int64_t frame_ = 0;  // frames followed so far
    std::int64_t started = 0; // first frame of the running recording or replay
    bool keeping = false;
    std::vector<CycleStretch> stretches;
};
