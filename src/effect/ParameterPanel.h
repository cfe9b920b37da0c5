// What the effect tells its editor panel of every parameter change, right
// after the editor's postUpdate(). The panel only records the value for its
// next redraw; it never draws from the caller's thread, which may be the audio
// thread when the change comes from MIDI.
#pragma once

#include "host/vst_types.h"

class AEffEditor;
class TarvelEffect;

class ParameterPanel {
public:
    virtual ~ParameterPanel() = default;
    virtual void setParameter(int32 index, float value) = 0;
};

// Creates the effect's editor panel, which registers itself with the effect
// as its editor and its parameter panel; null when it cannot be created.
// Defined by the editor.
AEffEditor* createEditorPanel(TarvelEffect* effect);
