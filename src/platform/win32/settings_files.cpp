// The settings folder and its files on Windows: `Ostrand\Tarvel\` in the
// user's roaming application data, named and opened through the system's
// wide-character calls, so a user name in any script works.
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <cwchar>

#include "platform/settings_files.h"

namespace {

constexpr wchar_t kOwnFolders[] = L"Ostrand\\Tarvel\\";
// Far longer than any settings folder; the paths live on the host's stack.
constexpr DWORD kLongestPath = 2048;

bool appendWide(wchar_t* path, std::size_t capacity, std::size_t& used, const wchar_t* text) {
    const std::size_t length = std::wcslen(text);
    if (used + length + 1 > capacity)
        return false;
    std::wmemcpy(path + used, text, length + 1);
    used += length;
    return true;
}

// The folder, ending with its separator: APPDATA as the user's environment
// has it, or where the shell keeps roaming application data.
bool wideFolder(wchar_t* path, std::size_t capacity) {
    std::size_t used = 0;
    DWORD length = GetEnvironmentVariableW(L"APPDATA", path, static_cast<DWORD>(capacity));
    if (length == 0 || length >= capacity) {
        if (capacity < MAX_PATH ||
            FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
            return false;
        length = static_cast<DWORD>(std::wcslen(path));
        if (length == 0)
            return false;
    }
    used = length;
    if (path[used - 1] != L'\\' && path[used - 1] != L'/' &&
        !appendWide(path, capacity, used, L"\\"))
        return false;
    return appendWide(path, capacity, used, kOwnFolders);
}

// `name` (UTF-8, a plain file name, never a path) inside the folder.
bool widePathOf(const char* name, wchar_t* path, std::size_t capacity) {
    if (!name || !*name || std::strpbrk(name, "\\/:") || std::strcmp(name, ".") == 0 ||
        std::strcmp(name, "..") == 0)
        return false;
    if (!wideFolder(path, capacity))
        return false;
    const std::size_t used = std::wcslen(path);
    const int converted = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, -1, path + used,
                                              static_cast<int>(capacity - used));
    return converted > 0;
}

// Makes every folder of `folder` (ending with '\') that is missing; the
// drive or share it starts with exists already.
bool makeFolders(wchar_t* folder) {
    for (wchar_t* p = folder; *p; ++p) {
        if (*p != L'\\' || p == folder || p[-1] == L':' || p[-1] == L'\\')
            continue;
        *p = L'\0';
        const bool made =
            CreateDirectoryW(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
        *p = L'\\';
        if (!made)
            return false;
    }
    const DWORD attributes = GetFileAttributesW(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

namespace platform {

bool settingsFolder(char* path, std::size_t capacity) {
    static_assert(sizeof(wchar_t) == 2, "the system's wide characters");
    if (!path || capacity == 0)
        return false;
    wchar_t wide[kLongestPath];
    if (!wideFolder(wide, kLongestPath))
        return false;
    const int converted = WideCharToMultiByte(CP_UTF8, 0, wide, -1, path,
                                              static_cast<int>(capacity), nullptr, nullptr);
    return converted > 0;
}

bool readSettingsFile(const char* name, char* text, std::size_t capacity, std::size_t& length) {
    wchar_t path[kLongestPath];
    if (!text || !widePathOf(name, path, kLongestPath))
        return false;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
              static_cast<unsigned long long>(size.QuadPart) <= capacity;
    DWORD got = 0;
    if (ok && size.QuadPart > 0)
        ok = ReadFile(file, text, static_cast<DWORD>(size.QuadPart), &got, nullptr) &&
             got == static_cast<DWORD>(size.QuadPart);
    CloseHandle(file);
    if (ok)
        length = got;
    return ok;
}

bool writeSettingsFile(const char* name, const char* text, std::size_t length) {
    wchar_t path[kLongestPath];
    wchar_t temporary[kLongestPath];
    if ((!text && length > 0) || length > 0x7FFFFFFF || !widePathOf(name, path, kLongestPath))
        return false;
    // Unique to this process, so two hosts saving at once never share one.
    wchar_t process[16] = {};
    wchar_t* digit = process + 15;
    for (DWORD id = GetCurrentProcessId(); digit == process + 15 || id > 0; id /= 10)
        *--digit = static_cast<wchar_t>(L'0' + id % 10);
    std::size_t used = 0;
    if (!appendWide(temporary, kLongestPath, used, path) ||
        !appendWide(temporary, kLongestPath, used, L".") ||
        !appendWide(temporary, kLongestPath, used, digit) ||
        !appendWide(temporary, kLongestPath, used, L".new"))
        return false;
    wchar_t folder[kLongestPath];
    if (!wideFolder(folder, kLongestPath) || !makeFolders(folder))
        return false;
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    bool ok = (length == 0 || (WriteFile(file, text, static_cast<DWORD>(length), &done, nullptr) &&
                               done == length)) &&
              FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    ok = ok && MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW(temporary);
    return ok;
}

} // namespace platform
