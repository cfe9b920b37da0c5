// What the effect tells its editor panel of every parameter change. The panel
// only records the value for its next redraw; it never draws from the
// caller's thread, which may be the audio thread when the change comes from
// MIDI.
#pragma once

#include "host/vst_types.h"

class ParameterPanel {
public:
    virtual ~ParameterPanel() = default;
    virtual void setParameter(int32 index, float value) = 0;
};
