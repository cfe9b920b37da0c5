// What the effect's core hands out while a block runs: each released MIDI
// message, at its frame, and the changes a message makes to the effect
// (controller 1 sets ncvolume, a program change selects a program). Whoever
// owns the core implements it in the terms of its plug-in format.
#pragma once

#include "core/core_types.h"

class EffectOutput {
public:
    // Controller 1 set ncvolume to `value`, before the controller is relayed.
    virtual void controllerGain(float value, int32 delta) = 0;
    // A program change to `program`, one of the bank's, before it is relayed.
    virtual void programChange(int32 program, int32 delta) = 0;
    // One released message: its status byte and two data bytes (the second
    // 0 for a two-byte message). `delta` is its frame in the running block,
    // or past it for an event that was queued that far ahead.
    virtual void relayMidi(uint8 status, uint8 data1, uint8 data2, int32 delta) = 0;

protected:
    ~EffectOutput() = default;
};
