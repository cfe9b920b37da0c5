// The editor interface the effect's dispatchers reach the plug-in's window
// through. The virtual operations keep the interface's slot order.
#pragma once

#include <atomic>

#include "host/vst_types.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect);
    virtual ~AEffEditor();                        // slot 0
    virtual int32 getRect(ERect** rect);          // 1
    virtual int32 open(void* parent);             // 2
    virtual void close();                         // 3
    virtual void idle();                          // 4
    virtual void update();                        // 5
    virtual void postUpdate();                    // 6
    virtual int32 onKeyDown(VstKeyCode& keyCode); // 7
    virtual int32 onKeyUp(VstKeyCode& keyCode);   // 8
    virtual int32 setKnobMode(int32 mode);        // 9
    virtual bool onWheel(float distance);         // 10

protected:
    AudioEffect* effect;
    void* systemWindow;
    // Set by postUpdate, possibly on the audio thread; cleared by idle on the
    // user-interface thread. A single word written whole.
    std::atomic<int32> updateFlag;
};
