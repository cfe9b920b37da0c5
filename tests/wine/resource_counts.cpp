#include "resource_counts.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// One entry of the process's GDI handle table, as the process environment
// block publishes it (Wine keeps the classic layout): a used entry has a
// non-zero type.
#pragma pack(push, 1)
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint16_t processId;
    std::uint16_t count;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "the table's entries are 24 bytes");
constexpr int kGdiHandleTableSize = 0x10000;
// Where the process environment block keeps the table's address: its
// fields before it are pointer-sized, so the offset differs by width.
constexpr std::size_t kPebGdiSharedHandleTable = sizeof(void*) == 8 ? 0xf8 : 0x94;

template <typename Function> Function ntdllFunction(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

struct ProcessBasicInformation {
    LONG exitStatus;
    char* processEnvironmentBlock;
    ULONG_PTR affinityMask;
    LONG basePriority;
    ULONG_PTR processId;
    ULONG_PTR parentProcessId;
};
using QueryProcessInformation = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
constexpr ULONG kProcessBasicInformation = 0;

long gdiObjectsFromTable() {
    auto query = ntdllFunction<QueryProcessInformation>("NtQueryInformationProcess");
    ProcessBasicInformation basic{};
    if (query == nullptr ||
        query(GetCurrentProcess(), kProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
        basic.processEnvironmentBlock == nullptr) {
        return -1;
    }
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(
        basic.processEnvironmentBlock + kPebGdiSharedHandleTable);
    if (table == nullptr) {
        return -1;
    }
    long used = 0;
    for (int i = 0; i < kGdiHandleTableSize; ++i) {
        used += table[i].type != 0;
    }
    return used;
}

BOOL CALLBACK countChild(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<long*>(count);
        EnumChildWindows(window, countChild, count);
    }
    return TRUE;
}

long windowsOfProcess() {
    long count = 0;
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The system handle list (information class 16), entries of this process.
struct SystemHandleEntry {
    ULONG ownerProcessId;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    void* object;
    ULONG access;
};
// The list: a count, then the entries at their natural alignment (after 4
// bytes in a 32-bit process, 8 in a 64-bit one).
struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

long kernelHandlesFromSystemList() {
    auto query = ntdllFunction<QuerySystemInformation>("NtQuerySystemInformation");
    if (query == nullptr) {
        return -1;
    }
    std::vector<char> buffer(1 << 16);
    ULONG length = 0;
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &length)) == kInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) {
        return -1;
    }
    const ULONG entries = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entry = reinterpret_cast<const SystemHandleEntry*>(
        buffer.data() + offsetof(SystemHandleList, entries));
    long own = 0;
    for (ULONG i = 0; i < entries; ++i) {
        own += entry[i].ownerProcessId == GetCurrentProcessId();
    }
    return own;
}

} // namespace

std::string ResourceCounts::describe() const {
    return "GDI objects " + std::to_string(gdiObjects) + ", USER objects " +
           std::to_string(userObjects) + ", kernel handles " + std::to_string(kernelHandles);
}

ResourceCounts countResources() {
    ResourceCounts counts;
    HANDLE self = GetCurrentProcess();
    // A process that counts has objects of each kind, so 0 means "not
    // answered": Wine answers 0 (at both widths, with or without an error
    // code), and the tables give the counts there.
    const DWORD gdi = GetGuiResources(self, GR_GDIOBJECTS);
    counts.gdiObjects = gdi != 0 ? static_cast<long>(gdi) : gdiObjectsFromTable();
    const DWORD user = GetGuiResources(self, GR_USEROBJECTS);
    counts.userObjects = user != 0 ? static_cast<long>(user) : windowsOfProcess();
    DWORD handles = 0;
    counts.kernelHandles = GetProcessHandleCount(self, &handles) && handles != 0
                               ? static_cast<long>(handles)
                               : kernelHandlesFromSystemList();
    return counts;
}

bool editorClassRegistered(void* module) {
    HMODULE library = static_cast<HMODULE>(module);
    char name[32];
    std::snprintf(name, sizeof name, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<UINT_PTR>(library)));
    WNDCLASSA info{};
    return library != nullptr && GetClassInfoA(library, name, &info) != 0;
}
