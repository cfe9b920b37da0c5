// The settings folder and its files on systems that follow the XDG base
// directories: shared by the backends that run on them (headless, X11).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/settings_files.h"

namespace {

// The vendor's folder, then the plug-in's, under the user's configuration.
constexpr const char kOwnFolders[] = "ostrand/tarvel/";
constexpr std::size_t kLongestPath = 4096;

bool appendText(char* path, std::size_t capacity, std::size_t& used, const char* text) {
    const std::size_t length = std::strlen(text);
    if (used + length + 1 > capacity)
        return false;
    std::memcpy(path + used, text, length + 1);
    used += length;
    return true;
}

// `name` inside the settings folder: a plain file name, never a path.
bool pathOf(const char* name, char* path, std::size_t capacity) {
    if (!name || !*name || std::strchr(name, '/') || std::strcmp(name, ".") == 0 ||
        std::strcmp(name, "..") == 0)
        return false;
    if (!platform::settingsFolder(path, capacity))
        return false;
    std::size_t used = std::strlen(path);
    return appendText(path, capacity, used, name);
}

// Makes every folder of `folder` (ending with '/') that is missing.
bool makeFolders(char* folder) {
    for (char* slash = std::strchr(folder + 1, '/'); slash; slash = std::strchr(slash + 1, '/')) {
        *slash = '\0';
        const bool made = ::mkdir(folder, 0755) == 0 || errno == EEXIST;
        *slash = '/';
        if (!made)
            return false;
    }
    struct stat info {};
    return ::stat(folder, &info) == 0 && S_ISDIR(info.st_mode);
}

bool writeAll(int descriptor, const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(descriptor, text, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

namespace platform {

bool settingsFolder(char* path, std::size_t capacity) {
    if (!path || capacity == 0)
        return false;
    std::size_t used = 0;
    path[0] = '\0';
    const char* configuration = std::getenv("XDG_CONFIG_HOME");
    bool fits = false;
    if (configuration && configuration[0] == '/') {
        fits = appendText(path, capacity, used, configuration);
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/')
            return false;
        fits =
            appendText(path, capacity, used, home) && appendText(path, capacity, used, "/.config");
    }
    if (fits && path[used - 1] != '/')
        fits = appendText(path, capacity, used, "/");
    return fits && appendText(path, capacity, used, kOwnFolders);
}

bool readSettingsFile(const char* name, char* text, std::size_t capacity, std::size_t& length) {
    char path[kLongestPath];
    if (!text || !pathOf(name, path, sizeof path))
        return false;
    const int descriptor = ::open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    std::size_t used = 0;
    bool ok = true;
    for (;;) {
        // One byte beyond the capacity tells a file that is too long.
        char extra = 0;
        char* into = used < capacity ? text + used : &extra;
        const std::size_t room = used < capacity ? capacity - used : 1;
        const ssize_t got = ::read(descriptor, into, room);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || (got > 0 && used >= capacity)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        used += static_cast<std::size_t>(got);
    }
    ::close(descriptor);
    if (ok)
        length = used;
    return ok;
}

bool writeSettingsFile(const char* name, const char* text, std::size_t length) {
    char path[kLongestPath];
    char temporary[kLongestPath + 32];
    if ((!text && length > 0) || !pathOf(name, path, sizeof path))
        return false;
    // Unique to this process, so two hosts saving at once never share one.
    const int written = std::snprintf(temporary, sizeof temporary, "%s.%ld.new", path,
                                      static_cast<long>(::getpid()));
    if (written <= 0 || static_cast<std::size_t>(written) >= sizeof temporary)
        return false;
    char folder[kLongestPath];
    if (!settingsFolder(folder, sizeof folder) || !makeFolders(folder))
        return false;
    const int descriptor = ::open(temporary, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return false;
    bool ok = writeAll(descriptor, text, length) && ::fsync(descriptor) == 0;
    ok = ::close(descriptor) == 0 && ok;
    ok = ok && ::rename(temporary, path) == 0;
    if (!ok)
        ::unlink(temporary);
    return ok;
}

} // namespace platform
