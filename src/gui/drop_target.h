// What the frame registers with the platform's drop service: it turns a
// dropped text or file list into the frame's onDrop, resolving shell links
// among the files.
#pragma once

#include <cstddef>

#include "platform/drop.h"

class Frame;

// Room for one dropped file name, with its zero.
constexpr int kDroppedNameCapacity = 1024;

class DropTarget : public platform::DropReceiver {
public:
    explicit DropTarget(Frame* owner) : frame(owner) {}

    bool dropText(const char* text, std::size_t size) override;
    bool dropFiles(const char* const* names, int count) override;

private:
    Frame* frame;
};

// Replaces a name whose last extension is ".lnk" (in any case) by the link's
// target path; on any failure the name stays as it was. `name` holds
// kDroppedNameCapacity characters.
void resolveShortcut(char* name);
