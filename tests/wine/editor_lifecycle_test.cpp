// TARVEL.dll's editor opened and closed as hosts do it, carelessly ones too:
// many cycles, two instances at once, a window destroyed under the editor,
// the plug-in closed before its editor. Nothing may crash, and what the
// process holds of the system must come back to where it was.
#include <windows.h>

#include <string>

#include "dll_under_test.h"
#include "editor_fixture.h"
#include "harness/editor_window.h"
#include "harness/midi_event_list.h"
#include "harness/stereo_buffer.h"
#include "host/vst_opcodes.h"
#include "panel_pictures.h"
#include "resource_counts.h"

namespace {

void start(PluginHost& host) {
    host.open();
    host.setSampleRate(44100.0f);
    host.setBlockSize(256);
    host.resume();
}

// The editor window class of the loaded library, which exists only while
// one of its editors is open.
bool editorClassRegistered() {
    return ::editorClassRegistered(GetModuleHandleA(dllPath().c_str()));
}

// Opens, lets it paint and idle, takes a screenshot, closes: one host cycle
// with its own window. The screenshot is kept when `shot` is given.
bool cycle(EditorWindow& editor, RgbImage* shot = nullptr) {
    if (!editor.open()) {
        return false;
    }
    editor.run(2 * kIdleInterval);
    const RgbImage taken = editor.screenshot();
    if (shot != nullptr) {
        *shot = taken;
    }
    editor.close();
    return true;
}

TEST(EditorLifecycle, SurvivesAHundredOpenCloseCyclesWithoutLeaking) {
    DllInstance dll;
    ASSERT_EQ(dll.error, "");
    start(dll.host);
    const PanelPictures pictures = loadPanelPictures(dllPath());
    EditorWindow editor(dll.host);
    // The first cycles fill the window system's caches (device contexts and
    // their regions), which then stay.
    ASSERT_TRUE(cycle(editor)) << editor.error();
    ASSERT_TRUE(cycle(editor)) << editor.error();
    const ResourceCounts before = countResources();
    ASSERT_GE(before.gdiObjects, 0);
    ASSERT_GE(before.kernelHandles, 0);
    // The counts see an open editor: its window and the host's, its bitmaps.
    ASSERT_TRUE(editor.open()) << editor.error();
    const ResourceCounts open = countResources();
    editor.close();
    EXPECT_GE(open.userObjects, before.userObjects + 2) << open.describe();
    EXPECT_GT(open.gdiObjects, before.gdiObjects) << open.describe();

    for (int i = 0; i < 100; ++i) {
        RgbImage shot;
        ASSERT_TRUE(cycle(editor, &shot)) << "cycle " << i << ": " << editor.error();
        if (i % 25 == 0) {
            EXPECT_EQ(differencesOutsideSliders(shot, pictures), 0) << "cycle " << i;
            EXPECT_EQ(handleLeftEdge(shot, pictures, kUpperSliderTop), 242) << "cycle " << i;
        }
    }
    EXPECT_FALSE(editorClassRegistered());
    const ResourceCounts after = countResources();
    EXPECT_EQ(after, before) << "before: " << before.describe() << "\nafter:  " << after.describe();
}

TEST(EditorLifecycle, TwoInstancesOpenAtOnceAreIndependent) {
    DllInstance first;
    DllInstance second;
    ASSERT_EQ(first.error, "");
    ASSERT_EQ(second.error, "");
    start(first.host);
    start(second.host);
    const PanelPictures pictures = loadPanelPictures(dllPath());
    EditorWindow left(first.host, 100, 100);
    EditorWindow right(second.host, 100, 300);
    ASSERT_TRUE(left.open()) << left.error();
    ASSERT_TRUE(right.open()) << right.error();

    // A drag in the first moves only the first.
    InputScript script;
    script.moveTo(left.toScreen(200, 56)).pressLeft().moveTo(left.toScreen(-100, 56)).releaseLeft();
    ASSERT_TRUE(playInput(script, [&] {
        left.idle();
        right.idle();
    }));
    EXPECT_EQ(first.host.getParameter(0), 0.0f);
    EXPECT_EQ(second.host.getParameter(0), 1.0f);
    EXPECT_EQ(countCalls(second.host.calls(), audioMasterAutomate), 0);
    EXPECT_EQ(handleLeftEdge(left.screenshot(), pictures, kUpperSliderTop), 11);
    EXPECT_EQ(handleLeftEdge(right.screenshot(), pictures, kUpperSliderTop), 242);

    // The class stays while the second is open; the second still works.
    left.close();
    EXPECT_TRUE(editorClassRegistered());
    second.host.setParameter(1, 0.0f);
    right.idle();
    EXPECT_EQ(handleLeftEdge(right.screenshot(), pictures, kLowerSliderTop), 11);
    EXPECT_EQ(differencesOutsideSliders(right.screenshot(), pictures), 0);
    right.close();
    EXPECT_FALSE(editorClassRegistered());
}

TEST(EditorLifecycle, HostDestroyingItsWindowFirstThenClosing) {
    DllInstance dll;
    ASSERT_EQ(dll.error, "");
    start(dll.host);
    const PanelPictures pictures = loadPanelPictures(dllPath());
    EditorWindow editor(dll.host);
    ASSERT_TRUE(cycle(editor)) << editor.error();
    ASSERT_TRUE(cycle(editor)) << editor.error();
    const ResourceCounts before = countResources();

    ASSERT_TRUE(editor.open()) << editor.error();
    editor.destroyWindow();
    // Idle time and parameter changes reach an editor whose window is gone.
    dll.host.setParameter(0, 0.25f);
    editor.idle();
    dll.host.dispatch(effEditIdle);
    editor.closeEditor();
    dll.host.dispatch(effEditIdle);

    // The editor opens again in a new window and shows the current values.
    ASSERT_TRUE(editor.open()) << editor.error();
    EXPECT_EQ(handleLeftEdge(editor.screenshot(), pictures, kUpperSliderTop),
              handleLeftEdgeFor(0.25f));
    editor.close();
    EXPECT_FALSE(editorClassRegistered());
    const ResourceCounts after = countResources();
    EXPECT_EQ(after, before) << "before: " << before.describe() << "\nafter:  " << after.describe();

    // Once more, and this time the plug-in is closed without effEditClose.
    ASSERT_TRUE(editor.open()) << editor.error();
    editor.destroyWindow();
    dll.host.close();
    EXPECT_FALSE(editorClassRegistered());
}

TEST(EditorLifecycle, PluginClosedBeforeItsEditorTakesTheWindowDown) {
    DllInstance dll;
    ASSERT_EQ(dll.error, "");
    start(dll.host);
    EditorWindow editor(dll.host);
    ASSERT_TRUE(editor.open()) << editor.error();
    HWND host = static_cast<HWND>(editor.window()->handle());
    ASSERT_NE(GetWindow(host, GW_CHILD), nullptr);

    dll.host.close(); // effClose with the editor still open
    EXPECT_EQ(GetWindow(host, GW_CHILD), nullptr);
    EXPECT_FALSE(editorClassRegistered());
    // The host window lives on: painting it and clicking where the panel was
    // must not reach freed objects.
    RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    InputScript script;
    script.click(editor.toScreen(132, 56));
    EXPECT_TRUE(playInput(script, nullptr));
    const RgbImage shot = editor.screenshot();
    ASSERT_FALSE(shot.empty());
    EXPECT_EQ(shot.pixel(132, 56), kHostWindowBackground);
    editor.destroyWindow();
}

TEST(EditorLifecycle, EditorOpcodesOutOfOrderAreHarmless) {
    DllInstance dll;
    ASSERT_EQ(dll.error, "");
    start(dll.host);
    PluginHost& host = dll.host;
    host.dispatch(effEditIdle);
    host.dispatch(effEditClose);
    EXPECT_EQ(host.dispatch(effEditKeyDown, 0, 0, nullptr, 0.0f), -1);
    EXPECT_EQ(host.dispatch(effSetEditKnobMode, 0, 2), 1);
    // A null parent: no window, nothing to paint, and closing is fine.
    host.dispatch(effEditOpen, 0, 0, nullptr);
    host.dispatch(effEditIdle);
    host.dispatch(effEditClose);
    EXPECT_FALSE(editorClassRegistered());

    // Opening twice in the same window leaves one panel.
    EditorWindow editor(host);
    ASSERT_TRUE(editor.open()) << editor.error();
    HWND window = static_cast<HWND>(editor.window()->handle());
    host.dispatch(effEditOpen, 0, 0, window);
    editor.run(2 * kIdleInterval);
    HWND child = GetWindow(window, GW_CHILD);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetWindow(child, GW_HWNDNEXT), nullptr);
    const PanelPictures pictures = loadPanelPictures(dllPath());
    EXPECT_EQ(differencesOutsideSliders(editor.screenshot(), pictures), 0);
    editor.close();
    EXPECT_FALSE(editorClassRegistered());
}

} // namespace
