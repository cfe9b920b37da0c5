// The simulated drag-and-drop service: per-thread initialisation counted,
// receivers registered per window, drops of text or file lists made by
// tests, and a table of shell links standing in for link files on disk.
#include <cstring>
#include <map>
#include <string>

#include "call_log.h"
#include "headless.h"
#include "platform/drop.h"
#include "window_system.h"

namespace headless {

namespace {
int oleUsers = 0;

std::map<std::string, std::string>& links() {
    static std::map<std::string, std::string> table;
    return table;
}

// The names a file list can carry: each fits 1024 characters with its zero.
constexpr std::size_t kNameCapacity = 1024;
} // namespace

int oleInitializations() {
    return oleUsers;
}

bool isDropTarget(platform::Window w) {
    return isWindow(w) && window(w)->dropReceiver != nullptr;
}

bool dropText(platform::Window w, const std::string& block) {
    if (!isDropTarget(w))
        return false;
    // Data that offers nothing, or an empty memory block, is not delivered.
    if (block.empty())
        return false;
    return window(w)->dropReceiver->dropText(block.data(), block.size());
}

bool dropFiles(platform::Window w, const std::vector<std::string>& names) {
    if (!isDropTarget(w) || names.empty())
        return false;
    std::vector<std::string> taken;
    for (const std::string& name : names)
        taken.push_back(name.substr(0, kNameCapacity - 1));
    std::vector<const char*> pointers;
    for (const std::string& name : taken)
        pointers.push_back(name.c_str());
    return window(w)->dropReceiver->dropFiles(pointers.data(), static_cast<int>(pointers.size()));
}

void setShellLink(const std::string& link, const std::string& target) {
    links()[link] = target;
}

void clearShellLinks() {
    links().clear();
}

} // namespace headless

namespace platform {

using namespace headless;

void oleInitialize() {
    countCall("OleInitialize");
    ++oleUsers;
}

void oleUninitialize() {
    countCall("OleUninitialize");
    --oleUsers;
}

bool registerDropTarget(Window w, DropReceiver* receiver) {
    countCall("RegisterDragDrop");
    if (!receiver || !liveWindow(window(w)) || window(w)->dropReceiver)
        return false;
    window(w)->dropReceiver = receiver;
    return true;
}

bool revokeDropTarget(Window w) {
    countCall("RevokeDragDrop");
    if (!liveWindow(window(w)) || !window(w)->dropReceiver)
        return false;
    window(w)->dropReceiver = nullptr;
    return true;
}

bool resolveShellLink(const char* linkPath, char* target, int capacity) {
    countCall("CoCreateInstance");
    if (!linkPath || !target || capacity <= 0)
        return false;
    const auto link = links().find(linkPath);
    if (link == links().end())
        return false;
    const std::size_t n = std::min(link->second.size(), static_cast<std::size_t>(capacity - 1));
    std::memcpy(target, link->second.data(), n);
    target[n] = 0;
    return true;
}

} // namespace platform
