#include "gui/drop_target.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <new>

#include "gui/frame.h"
#include "gui/view.h"

namespace {
bool isLinkExtension(const char* extension) {
    static const char link[] = ".lnk";
    for (int i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(extension[i])) != link[i])
            return false;
    return extension[4] == 0;
}
} // namespace

void resolveShortcut(char* name) {
    if (!name)
        return;
    const char* extension = std::strrchr(name, '.');
    if (!extension || !isLinkExtension(extension))
        return;
    char target[kDroppedNameCapacity];
    if (platform::resolveShellLink(name, target, kDroppedNameCapacity))
        std::memcpy(name, target, std::strlen(target) + 1);
}

bool DropTarget::dropText(const char* text, std::size_t size) {
    if (!frame || !text || size == 0)
        return false;
    Point where;
    frame->getCurrentMouseLocation(where);
    // The count of a text drop is the size of its memory block in bytes.
    const int count = size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
    void* items[1] = {const_cast<char*>(text)};
    return frame->onDrop(items, count, kDropText, where);
}

bool DropTarget::dropFiles(const char* const* names, int count) {
    if (!frame || !names || count <= 0)
        return false;
    char** copies = new (std::nothrow) char*[count];
    if (!copies)
        return false;
    int obtained = 0;
    for (int i = 0; i < count; ++i) {
        if (!names[i])
            continue;
        char* copy = new (std::nothrow) char[kDroppedNameCapacity];
        if (!copy)
            break;
        std::strncpy(copy, names[i], kDroppedNameCapacity - 1);
        copy[kDroppedNameCapacity - 1] = 0;
        resolveShortcut(copy);
        copies[obtained++] = copy;
    }
    bool taken = false;
    if (obtained > 0) {
        Point where;
        frame->getCurrentMouseLocation(where);
        taken = frame->onDrop(reinterpret_cast<void**>(copies), obtained, kDropFiles, where);
    }
    for (int i = 0; i < obtained; ++i)
        delete[] copies[i];
    delete[] copies;
    return taken;
}
