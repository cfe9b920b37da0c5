// The editor's panel as a user and a host meet it, whatever way the editor is
// reached: the scenarios in editor_scenarios.cpp are written once against
// this interface, and each way (the linked editor on the headless backend,
// TARVEL.dll under Wine, libtarvel-vst.so and the LV2 panel on X11) has one
// driver that plays them with its own input and reads back what its host
// heard and what its window shows.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace editor_scenarios {

// Keys held with a press or a key, as bits.
enum Modifier { kNoModifier = 0, kShiftHeld = 1, kControlHeld = 2 };
enum class Key { up, down, left, right }; // the drivers index their key codes by it

// One thing a user does, in panel units (the pointer may leave the panel).
struct Action {
    enum Kind { moveTo, press, release, wheel, keyStroke } kind;
    int x = 0;
    int y = 0;
    int modifiers = 0; // a press holds them until its release
    int notches = 0;   // the wheel: positive away from the user
    Key key = Key::down;
};

// Actions played in one go, in order.
class Gesture {
public:
    Gesture& moveTo(int x, int y) { return add({Action::moveTo, x, y}); }
    Gesture& press(int modifiers = kNoModifier) { return add({Action::press, 0, 0, modifiers}); }
    Gesture& release() { return add({Action::release}); }
    Gesture& wheel(int notches) { return add({Action::wheel, 0, 0, 0, notches}); }
    Gesture& key(Key key, int modifiers = kNoModifier) {
        return add({Action::keyStroke, 0, 0, modifiers, 0, key});
    }
    Gesture& click(int x, int y, int modifiers = kNoModifier) {
        return moveTo(x, y).press(modifiers).release();
    }
    const std::vector<Action>& actions() const { return actions_; }

private:
    Gesture& add(const Action& action) {
        actions_.push_back(action);
        return *this;
    }
    std::vector<Action> actions_;
};

// What the host heard of a parameter: an edit opened (a touch, a grab), a
// changed value, an edit closed. Both editor parameters are numbered as the
// effect numbers them: 0 ncvolume (the upper slider), 1 ipvolume (the lower).
struct Edit {
    enum Kind { begin, change, end } kind;
    int parameter;
    float value = 0.0f; // a change's
};
bool operator==(const Edit& a, const Edit& b);
std::ostream& operator<<(std::ostream& out, const Edit& edit);
// The changed values among `edits`, in order.
std::vector<float> changedValues(const std::vector<Edit>& edits);

// What some ways cannot do, and why; said here once.
enum class Need {
    // Controller 1 reaching the effect. The LV2 panel has no effect behind
    // it: the host's DSP instance takes the MIDI, and the panel hears of the
    // new value as a port event (the host-change scenario).
    controller,
    // Shift held while the pointer moves. Under Wine, pointer motion re-reads
    // the modifier keys from the X display, which never saw the keys the
    // harness sends to Windows; a held Shift is lost at the first move.
    modifiersThroughAMove,
};

class EditorDriver {
public:
    virtual ~EditorDriver() = default;

    // Opens the editor in a host window and lets it paint, both parameters
    // at their defaults (1). Empty, or what went wrong.
    virtual std::string open() = 0;
    virtual bool can(Need) const { return true; }

    // Plays the gesture as a user would, the host's idle calls going on.
    virtual bool play(const Gesture& gesture) = 0;
    // Plays all of it before the editor handles any of it: a quick click
    // made between two of the host's idle calls, or a touchpad's tap.
    virtual bool playAtOnce(const Gesture& gesture) = 0;
    // One of the host's idle calls.
    virtual void idle() = 0;
    // The host sets a parameter (automation read back, a preset).
    virtual void setFromHost(int parameter, float value) = 0;
    // Controller 1 at `value` at a block's first frame; the block is processed.
    virtual void sendController1(int value) = 0;

    // The value the host holds for the parameter.
    virtual float parameter(int index) = 0;
    // The edits heard since the last take, in order.
    virtual std::vector<Edit> takeEdits() = 0;
    // The left edge of the handle the window shows in the slider whose top
    // row is `sliderTop`; -1 when it shows none.
    virtual int handleLeft(int sliderTop) = 0;
};

// A way of reaching the editor, as the scenarios are instantiated with it.
struct Way {
    std::string name;
    std::function<std::unique_ptr<EditorDriver>()> make;
};
inline void PrintTo(const Way& way, std::ostream* out) {
    *out << way.name;
}

class EditorScenario : public ::testing::TestWithParam<Way> {
protected:
    void SetUp() override;
    void TearDown() override { driver.reset(); }
    std::unique_ptr<EditorDriver> driver;
};

} // namespace editor_scenarios

// Instantiates every scenario for a way: NAME/EditorScenario.<scenario>/0.
#define TARVEL_EDITOR_SCENARIOS(NAME, DRIVER)                                                      \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        NAME, EditorScenario,                                                                      \
        ::testing::Values(::editor_scenarios::Way{                                                 \
            #NAME, [] { return std::unique_ptr<::editor_scenarios::EditorDriver>(new DRIVER); }}))
