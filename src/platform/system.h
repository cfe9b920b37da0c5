// Libraries, pictures of the plug-in's own resources, input state and time.
#pragma once

#include "platform/platform_types.h"

namespace platform {

// Libraries loaded by name at run time.
Module loadLibrary(const char* name);
ProcAddress procAddress(Module module, const char* name);
void freeLibrary(Module module);
// The operating system's platform family (2 or more: the NT family); -1 when unknown.
int platformFamily();

// The module (the library, or a program itself) whose resources and window
// class the toolkit uses: stored by the library's load notification, or by a
// program at its start; null until then.
void setModuleHandle(Module module);
Module moduleHandle();

// The system's optional blending services, from their library when it loads:
// constant-alpha blending whenever it does, colour-keyed copies only on the
// NT platform family. Each is null when not available; the library is null
// when it did not load, and is freed with freeLibrary.
struct BlendServices {
    Module library = nullptr;
    AlphaBlendFunction alphaBlend = nullptr;
    TransparentBlitFunction transparentBlit = nullptr;
};
BlendServices loadBlendServices();

// A bitmap picture from the resources of the given module, named by number.
GraphicsObject loadBitmapResource(Module module, std::uint16_t id);

// Input state, read when asked (not from queued messages).
std::int16_t asyncKeyState(int key); // most significant bit set: down
bool cursorPosition(DevicePoint& screen);
bool windowRect(Window window, DeviceRect& screen);
int systemMetric(SystemMetric metric);
ColorValue systemColor(SystemColor which);
std::uint32_t doubleClickTime();
std::int32_t lastMessageTime();
// Removes one pending left-button press of the calling thread; true when there was one.
bool takeLeftButtonDown();

// Time.
std::uint32_t tickCount();
void sleep(std::uint32_t milliseconds);

} // namespace platform
