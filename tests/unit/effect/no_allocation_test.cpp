// The audio thread's calls allocate nothing: processEvents, process and
// processReplacing, driven through the effect record as a host drives them,
// with every phase of the capture, every kind of event and events relayed
// from inside the blocks. This program replaces the global operator new and
// delete and watches malloc, so it is a test executable of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "effect_test_support.h"

namespace {

std::atomic<bool> watching{false};
std::atomic<long> newCalls{0};
std::atomic<long> mallocCalls{0};

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
const int mallocHookInstalled = __sanitizer_install_malloc_and_free_hooks(mallocHook, freeHook);
} // namespace
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
namespace {
const int mallocHookInstalled = 1;
} // namespace
#endif

namespace {

int relayedLists = 0;

// A host that allocates nothing either: it counts the lists it is sent.
VstWord VSTCALL countingHost(AEffect*, int32 opcode, int32, VstWord, void*, float) {
    if (opcode == audioMasterVersion) {
        return 2400;
    }
    if (opcode == audioMasterProcessEvents) {
        ++relayedLists;
        return 1;
    }
    return 0;
}

TEST(NoAllocation, TheCountersSeeAllocations) {
    ASSERT_GE(mallocHookInstalled, 1);
    void* (*volatile mallocCall)(std::size_t) = std::malloc;
    watching = true;
    void* viaNew = ::operator new(16);
    void* viaMalloc = mallocCall(16);
    watching = false;
    ::operator delete(viaNew);
    std::free(viaMalloc);
    EXPECT_EQ(newCalls.exchange(0), 1);
    EXPECT_GE(mallocCalls.exchange(0), 2) << "operator new's malloc and the direct one";
}

TEST(NoAllocation, AudioThreadCallsAllocateNothing) {
    TarvelEffect effect(countingHost);
    AEffect* record = effect.getAeffect();
    constexpr int32 kFrames = 512;
    // A tone, noise and a long positive stretch in turn, so that blocks wait,
    // record, fill the cycle buffer, play and step through short cycles.
    std::vector<float> signal(40 * kFrames);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const std::size_t part = i / (8 * kFrames);
        signal[i] = part % 3 == 0   ? static_cast<float>(std::sin(0.0628 * static_cast<double>(i)))
                    : part % 3 == 1 ? static_cast<float>((i * 7919) % 201) / 100.0f - 1.0f
                                    : 0.5f;
    }
    std::vector<float> outLeft(kFrames), outRight(kFrames);
    std::vector<VstMidiEvent> events = {
        midiEvent(0, 0x90, 60, 100), midiEvent(7, 0xB0, 1, 64),    midiEvent(7, 0xC0, 0, 0),
        midiEvent(300, 0x80, 60, 0), midiEvent(900, 0xE0, 0, 64),  midiEvent(-5, 0xD0, 10, 0),
        midiEvent(511, 0xF8, 0, 0),  midiEvent(100, 0xA0, 60, 20), midiEvent(40, 0xB0, 1, 127)};
    EventList list(events);
    float* outputs[] = {outLeft.data(), outRight.data()};

    watching = true;
    for (int32 block = 0; block < 40; ++block) {
        float* inputs[] = {signal.data() + block * kFrames, nullptr};
        record->dispatcher(record, effProcessEvents, 0, 0, list.list(), 0.0f);
        record->setParameter(record, 1, 0.5f + 0.01f * static_cast<float>(block));
        if (block % 2 == 0) {
            record->processReplacing(record, inputs, outputs, kFrames);
        } else {
            record->process(record, inputs, outputs, kFrames);
        }
    }
    watching = false;
    EXPECT_EQ(newCalls.exchange(0), 0);
    EXPECT_EQ(mallocCalls.exchange(0), 0);
    EXPECT_EQ(relayedLists, 40 * 8) << "every event but the system message was relayed";
}

} // namespace
