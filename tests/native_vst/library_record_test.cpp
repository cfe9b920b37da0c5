// The record the native library hands a 64-bit Linux host, read byte by byte
// as a host reads it; both entry names; and the editor it does not have yet.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "dll_under_test.h"
#include "host/vst_opcodes.h"

namespace {

// Where the X11 backend is built the library carries the editor; its
// opening is tested with the X11 tests.
#if TARVEL_VST_EDITOR
constexpr std::int32_t kEditorFlag = effFlagsHasEditor;
#else
constexpr std::int32_t kEditorFlag = 0;
#endif

template <typename Value> Value valueAt(const AEffect* effect, std::size_t offset) {
    Value value{};
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(effect) + offset, sizeof value);
    return value;
}

std::int32_t wordAt(const AEffect* effect, std::size_t offset) {
    return valueAt<std::int32_t>(effect, offset);
}

std::uint64_t pointerAt(const AEffect* effect, std::size_t offset) {
    return valueAt<std::uint64_t>(effect, offset);
}

// The fields a 64-bit host reads by offset (the rest are DllRecord's):
// the entry functions on eight-byte boundaries, the counts, and flags for
// mono and replacing processing without an editor.
TEST(LibraryRecord, HasTheLayoutA64BitHostReadsWithoutAnEditor) {
    DllInstance library;
    ASSERT_TRUE(library.error.empty()) << library.error;
    const AEffect* effect = library.host.effect();

    EXPECT_EQ(std::memcmp(effect, "PtsV", 4), 0); // 'VstP', most significant byte first
    EXPECT_EQ(pointerAt(effect, 8), reinterpret_cast<std::uintptr_t>(effect->dispatcher));
    EXPECT_EQ(pointerAt(effect, 16), reinterpret_cast<std::uintptr_t>(effect->process));
    EXPECT_EQ(pointerAt(effect, 24), reinterpret_cast<std::uintptr_t>(effect->setParameter));
    EXPECT_EQ(pointerAt(effect, 32), reinterpret_cast<std::uintptr_t>(effect->getParameter));
    EXPECT_EQ(pointerAt(effect, 120), reinterpret_cast<std::uintptr_t>(effect->processReplacing));
    for (std::size_t entry : {8u, 16u, 24u, 32u, 120u}) {
        EXPECT_NE(pointerAt(effect, entry), 0u) << "entry function at " << entry;
    }
    EXPECT_EQ(wordAt(effect, 40), 1); // programs
    EXPECT_EQ(wordAt(effect, 44), 2); // parameters
    EXPECT_EQ(wordAt(effect, 48), 2); // inputs
    EXPECT_EQ(wordAt(effect, 52), 2); // outputs
    EXPECT_EQ(wordAt(effect, 56), effFlagsCanMono | effFlagsCanReplacing | kEditorFlag);
    EXPECT_EQ(valueAt<float>(effect, 92), 1.0f); // ioRatio
    EXPECT_EQ(pointerAt(effect, 96), reinterpret_cast<std::uintptr_t>(effect->object));
    EXPECT_EQ(wordAt(effect, 112), 0x5476726C); // 'Tvrl'
    EXPECT_EQ(wordAt(effect, 116), 1);          // version
}

// Hosts look up `VSTPluginMain`, older ones `main`: both create an instance
// of their own.
TEST(LibraryRecord, BothEntryNamesCreateInstances) {
    void* library = dlopen(dllPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    PluginHost first;
    PluginHost second;
    for (auto [name, host] : {std::pair{"VSTPluginMain", &first}, std::pair{"main", &second}}) {
        void* symbol = dlsym(library, name);
        ASSERT_NE(symbol, nullptr) << name;
        ASSERT_TRUE(host->load(reinterpret_cast<PluginEntry>(reinterpret_cast<void (*)()>(symbol))))
            << name;
        EXPECT_EQ(host->effectName(), "Tarvel") << name;
    }
    EXPECT_NE(first.effect(), second.effect());
    first.close();
    second.close();
    dlclose(library);
}

#if !TARVEL_VST_EDITOR
// No editor: the editor opcodes answer 0 and leave what they are given.
TEST(LibraryRecord, HasNoEditorYet) {
    DllInstance library;
    ASSERT_TRUE(library.error.empty()) << library.error;
    library.host.open();
    ERect* rect = reinterpret_cast<ERect*>(0x1);
    void* rectAddress = &rect;
    EXPECT_EQ(library.host.dispatch(effEditGetRect, 0, 0, rectAddress), 0);
    EXPECT_EQ(rect, reinterpret_cast<ERect*>(0x1));
    int fakeWindow = 0;
    EXPECT_EQ(library.host.dispatch(effEditOpen, 0, 0, &fakeWindow), 0);
    EXPECT_EQ(library.host.dispatch(effEditIdle), 0);
    EXPECT_EQ(library.host.dispatch(effEditClose), 0);
    // Processing is unaffected by the editor calls.
    StereoBuffer input(64);
    StereoBuffer output(64);
    input.fill(0.25f);
    library.host.processBlock({}, input, output, ProcessMode::replacing);
    EXPECT_EQ(output.left()[63], 0.25f);
}
#endif

} // namespace
