// Follows the effect's capture rule on the left input to tell which frames
// the effect replays a recorded cycle in, and how many cycles it recorded.
// The rule depends on the left input alone (not on gains or MIDI), so a
// fresh instance fed the same input is in the same phase at every frame;
// tarvel-render checks that claim against the output it got.
#pragma once

#include <cstdint>

class CycleCounter {
public:
    // The longest cycle the effect holds; a longer one is cut there.
    static constexpr std::int32_t kCapacity = 11025;

    // Follows one frame; true when the effect replays at this frame.
    bool step(float left);

    int recorded() const { return recorded_; } // cycles recorded in full or cut
    int cut() const { return cut_; }           // of those, cut at kCapacity
    int replayed() const { return replayed_; } // replays played to their end
    bool recordingAtEnd() const { return !playing_ && length_ > 0; }
    bool replayingAtEnd() const { return playing_; }

private:
    bool playing_ = false;
    std::int32_t length_ = 0; // recorded so far, or the length being replayed
    std::int32_t played_ = 0;
    float previous_ = 0.0f;
    int recorded_ = 0;
    int cut_ = 0;
    int replayed_ = 0;
};
