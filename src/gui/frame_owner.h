// What a frame asks of the one that owns it, the editor: the edit brackets
// around a gesture, idle processing while a view tracks the mouse, windows
// and sizes from the host, and the knob mode the host chose.
#pragma once

struct VstWindowRecord;

class FrameOwner {
public:
    // Edit brackets around a gesture on parameter `index`; endEdit answers
    // whether the host took it.
    virtual void beginEdit(int index) = 0;
    virtual bool endEdit(int index) = 0;
    // Keeps the window painting and the host served during a drag.
    virtual void processIdle() = 0;
    // Asks the host to make the editor's window width by height; true when it did.
    virtual bool sizeHostWindow(int width, int height) = 0;
    // The host-window variant: a window the host opens for the record, null
    // when it does not; and giving it back.
    virtual void* openHostWindow(VstWindowRecord* record) = 0;
    virtual void closeHostWindow(VstWindowRecord* record) = 0;
    // How knobs follow the mouse (a KnobMode), as the host set it.
    virtual int getKnobMode() = 0;
    // The display's scale may have changed under the frame's window (the
    // host moved it to another monitor); an owner drawn at the display's
    // scale asks for it again. Owners that do not follow it ignore it.
    virtual void displayScaleChanged() {}

protected:
    ~FrameOwner() = default;
};
