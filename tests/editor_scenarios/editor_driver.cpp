#include "editor_driver.h"

namespace editor_scenarios {

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
