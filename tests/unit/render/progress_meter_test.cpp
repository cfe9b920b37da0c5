// Progress: a self-updating line on a terminal for signals worth waiting
// for, a line per tenth in a log for very long ones, nothing otherwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "progress_meter.h"

namespace {

// Everything the meter writes for a render of `total` frames in 100 steps.
std::string shown(bool terminal, std::int64_t total) {
    char buffer[4096] = {};
    std::FILE* stream = fmemopen(buffer, sizeof buffer - 1, "w");
    {
        ProgressMeter meter(stream, terminal, 1000000, 5000);
        for (int step = 1; step <= 100; ++step) {
            meter.update(total * step / 100, total);
        }
        meter.finish();
    }
    std::fclose(stream);
    return buffer;
}

TEST(ProgressMeter, ATerminalSeesOneUpdatingLineForSignalsWorthWaitingFor) {
    const std::string text = shown(true, 10000);
    EXPECT_EQ(text.find('\n'), text.size() - 1) << text; // one line, ended at the finish
    EXPECT_NE(text.find("\rrendering:   1%"), std::string::npos) << text;
    EXPECT_NE(text.find("\rrendering: 100%"), std::string::npos) << text;
}

TEST(ProgressMeter, ShortSignalsShowNothingAnywhere) {
    EXPECT_EQ(shown(true, 4999), "");
    EXPECT_EQ(shown(false, 999999), "");
}

TEST(ProgressMeter, ALogGetsALinePerTenthOfAVeryLongRender) {
    const std::string text = shown(false, 2000000);
    EXPECT_EQ(text.rfind("rendering: 10%\n", 0), 0u) << text;
    EXPECT_NE(text.find("rendering: 100%\n"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
}

} // namespace
