// The editor panel drawn at the scales it offers: renders against stored
// reference pictures, the handles where the scaled layout puts them, and
// presses and drags that reach the same values at every scale; and the
// scale a VST 2.x host or the display gives, with the sizes the host is told.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "editor/panel_layout.h"
#include "editor/tarvel_editor.h"
#include "effect/tarvel_effect.h"
#include "gui/frame.h"
#include "gui/mouse_script.h"
#include "gui/scale.h"
#include "harness/plugin_host.h"
#include "host/vst_opcodes.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "png_file.h"
#include "settings_folder.h"

namespace {

using namespace panel_layout;

// The host's window, and with it the editor's, sits at this screen corner.
constexpr int kScreenX = 100;
constexpr int kScreenY = 50;

class ScaledEditor : public ::testing::Test {
protected:
    explicit ScaledEditor(HostSettings hostSettings = {}) : host(hostSettings) {
        new TarvelEditor(&effect); // the effect owns it
        host.attach(effect.getAeffect());
        headless::resetInput();
        parent = headless::createWindow(kScreenX, kScreenY, 900, 400);
    }
    ~ScaledEditor() override {
        effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        headless::destroyWindow(parent);
        headless::resetInput();
    }

    Frame* frame() { return dynamic_cast<TarvelEditor*>(effect.editorOf())->getFrame(); }
    const raster::Surface& window() { return *headless::surfaceOf(frame()->getWindow()); }
    // Opens the editor at scale s and lets its first paint through.
    void openAt(double s) {
        ASSERT_EQ(effect.dispatcher(effEditOpen, 0, 0, parent, 0.0f), 1);
        frame()->setScale(s);
        headless::dispatchMessages();
    }
    // A press at panel unit x in the slider whose top is `top`, a drag to
    // each of `to` and the release, played in device pixels at the frame's scale.
    void dragInUnits(int x, int top, const std::vector<int>& to) {
        const double s = frame()->getScale();
        const int y = scale::toDevice(top + kSliderHeight / 2, s);
        std::vector<MouseStep> steps{{scale::toDevice(x, s), y, kLButton}};
        for (int unit : to)
            steps.push_back({scale::toDevice(unit, s), y, kLButton});
        steps.push_back({steps.back().x, y, 0});
        MouseScript script(Point(kScreenX, kScreenY), steps);
        headless::postButtonDown(frame()->getWindow(), steps.front().x, y);
        headless::dispatchMessages();
    }
    // The values the host was told, in order.
    std::vector<float> automated() {
        std::vector<float> values;
        for (const HostCall& call : host.calls())
            if (call.opcode == audioMasterAutomate)
                values.push_back(call.opt);
        return values;
    }

    // The host's vendor call with its scale.
    int32 tellScale(float factor, VstWord value = kHostScaleValue) {
        return static_cast<int32>(
            effect.dispatcher(effVendorSpecific, kHostScaleIndex, value, nullptr, factor));
    }
    // The editor's rectangle as the host reads it.
    std::pair<int, int> rect() {
        ERect* r = nullptr;
        effect.dispatcher(effEditGetRect, 0, 0, &r, 0.0f);
        return r ? std::make_pair(r->right - r->left, r->bottom - r->top) : std::make_pair(0, 0);
    }
    // The window sizes the editor asked the host for, in order.
    std::vector<std::pair<int, int>> sizeRequests() {
        std::vector<std::pair<int, int>> sizes;
        for (const HostCall& call : host.calls())
            if (call.opcode == audioMasterSizeWindow)
                sizes.emplace_back(call.index, static_cast<int>(call.value));
        return sizes;
    }
    bool open() {
        const bool opened = effect.dispatcher(effEditOpen, 0, 0, parent, 0.0f) == 1;
        headless::dispatchMessages();
        return opened;
    }

    SettingsFolder folder; // no preference of the user's is read
    PluginHost host;
    TarvelEffect effect{PluginHost::callback()};
    platform::Window parent;
};

// A host that resizes its window when the editor asks.
class ResizingHost : public ScaledEditor {
protected:
    ResizingHost() : ScaledEditor(resizing()) {}
    static HostSettings resizing() {
        HostSettings s;
        s.sizesWindows = true;
        return s;
    }
};

using Size = std::pair<int, int>;
using Sizes = std::vector<Size>;

int differences(const raster::Surface& a, const raster::Surface& b) {
    if (a.width() != b.width() || a.height() != b.height())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.get(x, y) != b.get(x, y);
    return n;
}

struct Reference {
    double scale;
    const char* file;
};

class ScaledRender : public ScaledEditor, public ::testing::WithParamInterface<Reference> {};

TEST_P(ScaledRender, MatchesTheStoredReferencePicture) {
    const Reference r = GetParam();
    effect.setParameter(TarvelEffect::kNcvolume, 0.75f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.25f);
    openAt(r.scale);
    raster::Surface reference;
    ASSERT_TRUE(readPng((std::string(TARVEL_TEST_DATA_DIR) + "/" + r.file).c_str(), reference));
    EXPECT_EQ(reference.width(), scale::toDevice(kPanelWidth, r.scale));
    EXPECT_EQ(reference.height(), scale::toDevice(kPanelHeight, r.scale));
    EXPECT_EQ(differences(window(), reference), 0);
}

INSTANTIATE_TEST_SUITE_P(OfferedScales, ScaledRender,
                         ::testing::Values(Reference{1.0, "editor_panel.png"},
                                           Reference{1.25, "editor_panel-125.png"},
                                           Reference{1.5, "editor_panel-150.png"},
                                           Reference{2.0, "editor_panel-200.png"},
                                           Reference{3.0, "editor_panel-300.png"}));

// A scale between two offered ones takes the larger, whole layout and all.
TEST_F(ScaledEditor, AnInBetweenScaleDrawsAsTheNextOfferedOne) {
    effect.setParameter(TarvelEffect::kNcvolume, 0.75f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.25f);
    openAt(1.8);
    EXPECT_EQ(frame()->getScale(), 2.0);
    raster::Surface reference;
    ASSERT_TRUE(readPng(TARVEL_TEST_DATA_DIR "/editor_panel-200.png", reference));
    EXPECT_EQ(differences(window(), reference), 0);
}

// Changing the scale of an open editor draws it as an editor opened at that
// scale: the sliders' surfaces are made again for it.
TEST_F(ScaledEditor, AScaleChangeWhileOpenRedrawsAtTheNewScale) {
    effect.setParameter(TarvelEffect::kNcvolume, 0.75f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.25f);
    openAt(1.0);
    raster::Surface reference;
    for (const Reference& r :
         {Reference{2.0, "editor_panel-200.png"}, Reference{1.5, "editor_panel-150.png"},
          Reference{1.0, "editor_panel.png"}}) {
        frame()->setScale(r.scale);
        headless::dispatchMessages();
        ASSERT_TRUE(readPng((std::string(TARVEL_TEST_DATA_DIR) + "/" + r.file).c_str(), reference));
        EXPECT_EQ(differences(window(), reference), 0) << r.scale;
    }
}

// The handle at scale s is the picture drawn for s, its left edge at the
// unit position the value gives, mapped to pixels.
TEST_F(ScaledEditor, TheHandleSitsAtItsUnitPositionMappedToThePixelsOfTheScale) {
    for (double s : {2.0, 1.25, 1.75}) {
        effect.setParameter(TarvelEffect::kNcvolume, 0.5f);
        openAt(s);
        platform::GraphicsObject picture = platform::loadBitmapResource(
            nullptr, static_cast<std::uint16_t>(scale::pictureResourceId(kHandlePicture, s)));
        ASSERT_NE(picture, nullptr) << s;
        const raster::Surface& handle = *headless::surfaceOf(picture);
        ASSERT_EQ(handle.width(), static_cast<int>(kHandleSize * s));
        const int left = scale::toDevice(kSliderLeft + kTravel / 2, s);
        const int top = scale::toDevice(kNcvolumeTop, s);
        int mismatches = 0;
        for (int y = 0; y < handle.height(); ++y)
            for (int x = 0; x < handle.width(); ++x)
                if (handle.get(x, y) != raster::kWhite)
                    mismatches += window().get(left + x, top + y) != handle.get(x, y);
        EXPECT_EQ(mismatches, 0) << s;
        platform::deleteObject(picture);
        effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    }
}

// The same gestures, in units, give the host the same values at each scale.
TEST_F(ScaledEditor, PressesAndDragsReachTheSameValuesAtEveryScale) {
    struct Gesture {
        int x;
        int top;
        std::vector<int> to;
    };
    const std::vector<Gesture> gestures = {
        {132, kNcvolumeTop, {140, 150, 70}},
        {200, kIpvolumeTop, {700, -300}},
        {kSliderLeft + 1, kNcvolumeTop, {kSliderRight - 1}},
        {57, kIpvolumeTop, {58, 59, 60}},
    };
    std::vector<float> atOne;
    for (double s : {1.0, 2.0, 1.5}) {
        openAt(s);
        host.clearCalls();
        for (const Gesture& g : gestures)
            dragInUnits(g.x, g.top, g.to);
        const std::vector<float> values = automated();
        if (s == 1.0) {
            atOne = values;
            ASSERT_FALSE(atOne.empty());
            // The handle's middle jumps under the press: 17 units in from the travel's start.
            EXPECT_EQ(atOne.front(), (132.0f - 17.0f) / 231.0f);
        } else {
            EXPECT_EQ(values, atOne) << s;
        }
        effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    }
}

// The host tells its scale before the editor opens, and again while open:
// the rectangle, the window and the pictures follow; only a change the host
// has not read from the rectangle is asked for.
TEST_F(ResizingHost, TheHostsVendorCallScalesTheEditorAndAsksForTheSizeItHasNotRead) {
    effect.setParameter(TarvelEffect::kNcvolume, 0.75f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.25f);
    EXPECT_EQ(rect(), Size(268, 107));
    EXPECT_EQ(tellScale(2.0f), 1);
    EXPECT_EQ(rect(), Size(536, 214));
    ASSERT_TRUE(open());
    EXPECT_EQ(frame()->getScale(), 2.0);
    EXPECT_EQ(window().width(), 536);
    EXPECT_EQ(sizeRequests(), Sizes{});

    EXPECT_EQ(tellScale(1.5f), 1);
    headless::dispatchMessages();
    EXPECT_EQ(sizeRequests(), Sizes{Size(402, 161)});
    EXPECT_EQ(rect(), Size(402, 161));
    raster::Surface reference;
    ASSERT_TRUE(readPng(TARVEL_TEST_DATA_DIR "/editor_panel-150.png", reference));
    EXPECT_EQ(differences(window(), reference), 0);

    // Nonsense is refused and changes nothing; so is another vendor's call.
    host.clearCalls();
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), 0.0f, -2.0f, 9.0f,
                      std::numeric_limits<float>::infinity()})
        EXPECT_EQ(tellScale(bad), 0) << bad;
    EXPECT_EQ(tellScale(2.0f, 0x41654374), 0);
    EXPECT_EQ(
        effect.dispatcher(effVendorSpecific, kHostScaleIndex + 1, kHostScaleValue, nullptr, 2.0f),
        0);
    EXPECT_EQ(frame()->getScale(), 1.5);
    EXPECT_EQ(sizeRequests(), Sizes{});
}

// A host that cannot resize its window gets the editor drawn at the new
// scale inside the window it has.
TEST_F(ScaledEditor, AHostThatCannotResizeLeavesTheEditorDrawnAtItsNewSize) {
    effect.setParameter(TarvelEffect::kNcvolume, 0.75f);
    effect.setParameter(TarvelEffect::kIpvolume, 0.25f);
    ASSERT_TRUE(open());
    EXPECT_EQ(tellScale(2.0f), 1);
    headless::dispatchMessages();
    bool askedFirst = false;
    for (const HostCall& call : host.calls())
        askedFirst |= call.opcode == audioMasterCanDo && call.text == "sizeWindow";
    EXPECT_TRUE(askedFirst);
    EXPECT_EQ(sizeRequests(), Sizes{});
    raster::Surface reference;
    ASSERT_TRUE(readPng(TARVEL_TEST_DATA_DIR "/editor_panel-200.png", reference));
    EXPECT_EQ(differences(window(), reference), 0);
}

// The display's scale: read for the rectangle of a closed editor, at open
// (told when it differs from what the host read) and on a move to another
// monitor; once the host tells a scale of its own, that one stands.
TEST_F(ResizingHost, TheDisplaysScaleSizesTheEditorUntilTheHostTellsItsOwn) {
    headless::input().displayScale = 2.0;
    ASSERT_TRUE(open()); // no rectangle read first
    EXPECT_EQ(sizeRequests(), Sizes{Size(536, 214)});
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    host.clearCalls();

    headless::input().displayScale = 1.25;
    EXPECT_EQ(rect(), Size(335, 134));
    ASSERT_TRUE(open());
    EXPECT_EQ(sizeRequests(), Sizes{});
    headless::input().displayScale = 1.5;
    EXPECT_TRUE(headless::sendDisplayScaleChange(frame()->getWindow()));
    EXPECT_EQ(frame()->getScale(), 1.5);
    EXPECT_EQ(sizeRequests(), Sizes{Size(402, 161)});

    EXPECT_EQ(tellScale(1.0f), 1);
    EXPECT_EQ(frame()->getScale(), 1.0);
    headless::input().displayScale = 3.0;
    EXPECT_TRUE(headless::sendDisplayScaleChange(frame()->getWindow()));
    EXPECT_EQ(frame()->getScale(), 1.0);
    EXPECT_EQ(sizeRequests(), (Sizes{Size(402, 161), Size(268, 107)}));
}

} // namespace
