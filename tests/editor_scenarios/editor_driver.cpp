#include "editor_driver.h"

namespace editor_scenarios {

Gesture& Gesture::moveTo(int x, int y) {
    Action a{Action::moveTo};
    a.x = x;
    a.y = y;
    actions_.push_back(a);
    return *this;
}

Gesture& Gesture::press(int modifiers) {
    Action a{Action::press};
    a.modifiers = modifiers;
    actions_.push_back(a);
    return *this;
}

Gesture& Gesture::release() {
    actions_.push_back(Action{Action::release});
    return *this;
}

Gesture& Gesture::wheel(int notches) {
    Action a{Action::wheel};
    a.notches = notches;
    actions_.push_back(a);
    return *this;
}

Gesture& Gesture::key(Key key, int modifiers) {
    Action a{Action::keyStroke};
    a.key = key;
    a.modifiers = modifiers;
    actions_.push_back(a);
    return *this;
}

Gesture& Gesture::click(int x, int y, int modifiers) {
    return moveTo(x, y).press(modifiers).release();
}

bool operator==(const Edit& a, const Edit& b) {
    return a.kind == b.kind && a.parameter == b.parameter &&
           (a.kind != Edit::change || a.value == b.value);
}

std::ostream& operator<<(std::ostream& out, const Edit& edit) {
    static const char* const kinds[] = {"begin", "change", "end"};
    out << kinds[edit.kind] << " " << edit.parameter;
    if (edit.kind == Edit::change)
        out << " to " << edit.value;
    return out;
}

std::vector<float> changedValues(const std::vector<Edit>& edits) {
    std::vector<float> values;
    for (const Edit& edit : edits)
        if (edit.kind == Edit::change)
            values.push_back(edit.value);
    return values;
}

void EditorScenario::SetUp() {
    driver = GetParam().make();
    ASSERT_NE(driver, nullptr);
    const std::string problem = driver->open();
    ASSERT_EQ(problem, "") << GetParam().name;
    driver->takeEdits();
}

} // namespace editor_scenarios
