#include "editor/tarvel_editor.h"

#include "effect/tarvel_effect.h"

TarvelEditor::TarvelEditor(TarvelEffect* owner)
    : GuiEditor(owner), effectParameters(owner), panel(owner ? &effectParameters : nullptr, *this) {
    if (owner)
        owner->attachPanel(this);
}

int32 TarvelEditor::getRect(ERect** out) {
    panel.prepareSize();
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<int16>(panel.height());
    rect.right = static_cast<int16>(panel.width());
    return GuiEditor::getRect(out);
}

// A host that closes the plug-in while the editor is open gets the window
// taken down here, before the pictures go.
TarvelEditor::~TarvelEditor() {
    close();
    // Built from a TarvelEffect (the constructor's argument), so the cast holds.
    if (effect)
        static_cast<TarvelEffect*>(effect)->detachPanel(this);
}

int32 TarvelEditor::open(void* parentWindow) {
    close();
    GuiEditor::open(parentWindow);
    if (!panel.open(parentWindow))
        return 0;
    frame = panel.getFrame();
    return 1;
}

// The panel owns the frame: the bridge only stops pointing at it.
void TarvelEditor::close() {
    panel.close();
    frame = nullptr;
}

// May run on the audio thread (MIDI controller 1, a program change), while
// the user-interface thread opens or closes the editor and with it creates
// or deletes the frame and its sliders: so it only posts an update. The
// sliders take the new value in update, on the user-interface thread.
void TarvelEditor::setParameter(int32, float) {
    postUpdate();
}

// Runs in idle, on the user-interface thread, after an update was posted:
// the sliders take the parameters' values, and the frame's idle right after
// redraws them.
void TarvelEditor::update() {
    panel.followParameters();
}

void TarvelEditor::beginEdit(int index) {
    panel.beginEdit(index);
}

bool TarvelEditor::endEdit(int index) {
    return panel.endEdit(index);
}

void TarvelEditor::valueChanged(DrawContext* context, Control* control) {
    panel.valueChanged(context, control);
}

void TarvelEditor::idleDuringDrag() {
    processIdle();
}

bool TarvelEditor::requestSize(int width, int height) {
    return sizeHostWindow(width, height);
}
