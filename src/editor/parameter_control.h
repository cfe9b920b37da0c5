// What the editor needs of the parameters it shows: each one's value, and
// the three steps of an edit (its start, each new value, its end). The
// other direction, a change made elsewhere, reaches the editor as its
// parameterChanged notice. Each plug-in format gives the editor its own:
// the VST 2.x effect with its host calls, the LV2 panel with two values
// and port writes, the CLAP plug-in with its parameter events.
#pragma once

#include "core/core_types.h"

class ParameterControl {
public:
    virtual float value(int32 index) = 0;
    virtual void beginEdit(int32 index) = 0;
    virtual void adjust(int32 index, float value) = 0;
    // Answers whether the host took the edit's end.
    virtual bool endEdit(int32 index) = 0;

protected:
    ~ParameterControl() = default;
};
