// The plug-in's entry point when its editor panel cannot be made: this
// program replaces the non-throwing operator new, which the entry point uses
// for the effect and then for the panel, so that the panel's allocation fails
// as it would when memory runs out. outOfMemory then stays set for the whole
// program, so it runs on its own.
#include <gtest/gtest.h>

#include <new>

#include "effect/effect_test_support.h"
#include "host/module.h"

namespace {

// Counts down the non-throwing allocations still to succeed; the one made
// when it reaches zero fails. Negative: none fails.
int allocationsBeforeFailure = -1;

} // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (allocationsBeforeFailure >= 0 && allocationsBeforeFailure-- == 0) {
        return nullptr;
    }
    // The ordinary allocation otherwise, so the ordinary delete frees it.
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace {

TEST(EditorCreationFailure, EntryPointRefusesTheInstanceAndEveryLaterOne) {
    PluginHost host;
    allocationsBeforeFailure = 1; // the effect succeeds, its panel fails
    EXPECT_FALSE(host.load(&tarvelMain));
    allocationsBeforeFailure = -1;
    EXPECT_TRUE(outOfMemory);
    // The flag stays: later instances are refused as well.
    EXPECT_FALSE(host.load(&tarvelMain));
}

} // namespace
