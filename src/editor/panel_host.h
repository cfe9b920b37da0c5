// What the editor panel needs of whoever embeds it in a plug-in format,
// beyond its parameters (ParameterControl): idle work while a control holds
// the thread in a drag, and a new window size the host is asked to follow.
// Every call comes on the user-interface thread.
#pragma once

class PanelHost {
public:
    // Keeps the window painting and the host served during a drag: called on
    // every turn of a control's drag loop, so it throttles itself.
    virtual void idleDuringDrag() = 0;
    // Asks the host to make the panel's window width by height; true when it did.
    virtual bool requestSize(int width, int height) = 0;

protected:
    ~PanelHost() = default;
};
