// What the effect tells its editor panel: every parameter change, and the
// scale the host draws its windows at. Of a parameter, the panel only
// records the value for its next redraw; it never draws from the caller's
// thread, which may be the audio thread when the change comes from MIDI.
#pragma once

#include "host/vst_types.h"

class ParameterPanel {
public:
    virtual ~ParameterPanel() = default;
    virtual void setParameter(int32 index, float value) = 0;
    // The host's scale (on the user-interface thread); false when the panel
    // cannot take it.
    virtual bool setHostScale(float /*factor*/) { return false; }
};
