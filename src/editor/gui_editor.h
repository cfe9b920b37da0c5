// The bridge between the host's editor opcodes and the toolkit: reports the
// editor's size, passes idle time, keys and the wheel to the frame, and runs
// the throttled idle processing that keeps the window painting and the host
// responsive while a control holds the thread during a drag.
//
// Slots 0 to 10 are the editor interface's; 11 to 13 are added here. It is
// also its frame's owner: edit brackets, host windows and sizes go through it
// to the effect and the host.
#pragma once

#include <cstdint>

#include "gui/frame_owner.h"
#include "host/aeff_editor.h"

class Frame;

class GuiEditor : public AEffEditor, public FrameOwner {
public:
    explicit GuiEditor(AudioEffect* effect);
    ~GuiEditor() override;

    int32 getRect(ERect** rect) override;
    int32 open(void* parent) override;
    void idle() override;
    int32 onKeyDown(VstKeyCode& key) override;
    int32 onKeyUp(VstKeyCode& key) override;
    int32 setKnobMode(int32 mode) override;
    bool onWheel(float distance) override;

    virtual void setParameter(int32 index, float value); // 11
    virtual void drawAll(ERect* rect);                   // 12
    void processIdle() override;                         // 13

    void beginEdit(int index) override;
    bool endEdit(int index) override;
    bool sizeHostWindow(int width, int height) override;
    void* openHostWindow(VstWindowRecord* record) override;
    void closeHostWindow(VstWindowRecord* record) override;
    int getKnobMode() override;

    AudioEffect* getEffect() const { return effect; }
    Frame* getFrame() const { return frame; }
    // Shared by every editor of the library; the controls read it through the frame.
    static int32 knobMode;

protected:
    ERect rect{};
    Frame* frame = nullptr;
    std::uint32_t nextIdleTicks;
    bool inProcessIdle = false;
};
