// The counters of allocation_watch.h and the replacements that feed them.
#include "allocation_watch.h"

#include <cstdlib>
#include <new>

namespace allocation_watch {

std::atomic<bool> watching{false};
std::atomic<long> newCalls{0};
std::atomic<long> mallocCalls{0};

} // namespace allocation_watch

using allocation_watch::mallocCalls;
using allocation_watch::newCalls;
using allocation_watch::watching;

namespace {

void* allocate(std::size_t size) {
    if (watching.load(std::memory_order_relaxed)) {
        newCalls.fetch_add(1, std::memory_order_relaxed);
    }
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    if (watching.load(std::memory_order_relaxed)) {
        newCalls.fetch_add(1, std::memory_order_relaxed);
    }
    const std::size_t align = static_cast<std::size_t>(alignment);
    void* memory = std::aligned_alloc(align, (size + align - 1) / align * align);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}

void noteMalloc() {
    if (watching.load(std::memory_order_relaxed)) {
        mallocCalls.fetch_add(1, std::memory_order_relaxed);
    }
}

} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return allocateAligned(size, alignment);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}

// Every malloc: through the sanitizer's hook when it owns malloc, otherwise
// by standing in front of the C library's.
#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            std::size_t),
                                                         void (*freeHook)(const volatile void*));
namespace {
void mallocHook(const volatile void*, std::size_t) {
    noteMalloc();
}
void freeHook(const volatile void*) {}
} // namespace
const int allocation_watch::mallocHookInstalled =
    __sanitizer_install_malloc_and_free_hooks(mallocHook, freeHook);
#else
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* memory, std::size_t size);
void* malloc(std::size_t size) {
    noteMalloc();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    noteMalloc();
    return __libc_calloc(count, size);
}
void* realloc(void* memory, std::size_t size) {
    noteMalloc();
    return __libc_realloc(memory, size);
}
}
const int allocation_watch::mallocHookInstalled = 1;
#endif
