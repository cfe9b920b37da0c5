// Where the editor's scale comes from: the display's scale and the user's
// zoom combined into a scale the pictures are drawn at, and the preference
// file that keeps the zoom (what it reads, what it writes, where, and that
// a broken or missing file leaves the defaults).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <limits>
#include <string>

#include "editor/zoom.h"
#include "platform/settings_files.h"
#include "settings_folder.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

ZoomPreference parse(const std::string& text) {
    return zoom::parsePreference(text.data(), text.size());
}

std::string format(const ZoomPreference& preference) {
    char text[128];
    EXPECT_TRUE(zoom::formatPreference(preference, text, sizeof text));
    return text;
}

TEST(EditorScale, IsTheFollowedDisplayScaleTimesTheZoomTakenUpToAnOfferedScale) {
    struct Case {
        double display;
        double zoom;
        bool follow;
        double expected;
    };
    const Case cases[] = {
        {1.0, 1.0, true, 1.0},  {1.5, 1.0, true, 1.5},   {2.0, 1.0, true, 2.0},
        {1.5, 2.0, true, 3.0},  {1.0, 1.25, true, 1.25}, {1.25, 1.25, true, 1.75},
        {1.2, 1.0, true, 1.25}, {1.5, 1.0, false, 1.0},  {2.0, 1.5, false, 1.5},
        {2.0, 3.0, true, 3.0},  {0.5, 1.0, true, 1.0},   {0.75, 2.0, true, 1.5},
        {kNaN, 1.0, true, 1.0}, {kNaN, 2.0, false, 2.0}, {kInfinity, 1.0, true, 3.0},
        {-1.0, 2.0, true, 1.0}, {1.0, kNaN, true, 1.0},  {0.0, 2.0, true, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(editorScale(c.display, ZoomPreference{c.zoom, c.follow}), c.expected)
            << c.display << " x " << c.zoom << (c.follow ? " followed" : " not followed");
}

TEST(ZoomPreferenceText, ReadsItsTwoLinesInAnyOrderAndLayout) {
    EXPECT_EQ(parse("zoom 1.5\nfollow-display no\n"), (ZoomPreference{1.5, false}));
    EXPECT_EQ(parse("follow-display yes\nzoom 2"), (ZoomPreference{2.0, true}));
    EXPECT_EQ(parse("  zoom\t1.25  \r\nfollow-display\tno\r\n"), (ZoomPreference{1.25, false}));
    EXPECT_EQ(parse("zoom 3.0\n"), (ZoomPreference{3.0, true}));
    // A line given twice: the last one counts.
    EXPECT_EQ(parse("zoom 2\nzoom 1.5\n"), (ZoomPreference{1.5, true}));
}

TEST(ZoomPreferenceText, IgnoresWhatItCannotReadAndKeepsTheDefaultsForIt) {
    const ZoomPreference defaults;
    for (const char* text : {
             "",
             "\n\n",
             "zoom\n",
             "zoom 1,5\n", // a decimal comma is no number here, whatever the locale
             "zoom 1.5.2\n",
             "zoom -2\n",
             "zoom +2\n",
             "zoom 2e0\n",
             "zoom nan\n",
             "zoom inf\n",
             "zoom 0x2\n",
             "zoom .5\n",
             "zoom 2.\n",
             "zoom 0.5\n", // below the smallest zoom
             "zoom 3.5\n", // above the largest
             "zoom 1000000\n",
             "zoom 1.0000000000001\n",
             "zoom 2 3\n",
             "zoom: 2\n",
             "Zoom 2\n",
             "zoomed 2\n",
             "follow-display maybe\n",
             "follow-display YES\n",
             "follow-display\n",
             "colour blue\n",
             "\x01\x02\xff\xfe",
         })
        EXPECT_EQ(parse(text), defaults) << text;
    // A bad line leaves the good ones around it.
    EXPECT_EQ(parse("zoom two\nfollow-display no\nnoise\n"), (ZoomPreference{1.0, false}));
    EXPECT_EQ(parse("follow-display 1\nzoom 2\n"), (ZoomPreference{2.0, true}));
    // Text after a zero byte is not hidden from the reader.
    EXPECT_EQ(parse(std::string("noise\0\nzoom 2\n", 14)), (ZoomPreference{2.0, true}));
    EXPECT_EQ(zoom::parsePreference(nullptr, 10), defaults);
}

TEST(ZoomPreferenceText, WhatIsWrittenReadsBackTheSame) {
    for (double z : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 1.1, 2.3333})
        for (bool follow : {true, false}) {
            const ZoomPreference preference{z, follow};
            EXPECT_EQ(parse(format(preference)), preference) << format(preference);
        }
    EXPECT_EQ(format(ZoomPreference{1.5, false}), "zoom 1.5\nfollow-display no\n");
    EXPECT_EQ(format(ZoomPreference{2.0, true}), "zoom 2\nfollow-display yes\n");
    EXPECT_EQ(format(ZoomPreference{1.25, true}), "zoom 1.25\nfollow-display yes\n");
}

TEST(ZoomPreferenceText, WritesOnlyZoomsItCanReadAndReportsWhatDoesNotFit) {
    EXPECT_EQ(format(ZoomPreference{kNaN, true}), "zoom 1\nfollow-display yes\n");
    EXPECT_EQ(format(ZoomPreference{0.25, true}), "zoom 1\nfollow-display yes\n");
    EXPECT_EQ(format(ZoomPreference{kInfinity, false}), "zoom 3\nfollow-display no\n");
    char small[10] = "unchanged";
    EXPECT_FALSE(zoom::formatPreference(ZoomPreference{}, small, sizeof small));
    EXPECT_FALSE(zoom::formatPreference(ZoomPreference{}, nullptr, 100));
}

class PreferenceFileTest : public ::testing::Test {
protected:
    SettingsFolder folder;
};

TEST_F(PreferenceFileTest, LivesInTheXdgConfigurationFolderOrUnderHomeWithout) {
    char path[512];
    ASSERT_TRUE(platform::settingsFolder(path, sizeof path));
    EXPECT_EQ(std::string(path), folder.root + "/config/ostrand/tarvel/");
    // Only an absolute XDG_CONFIG_HOME counts.
    for (const char* other : {"relative/config", ""}) {
        setenv("XDG_CONFIG_HOME", other, 1);
        ASSERT_TRUE(platform::settingsFolder(path, sizeof path));
        EXPECT_EQ(std::string(path), folder.root + "/home/.config/ostrand/tarvel/") << other;
    }
    unsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(platform::settingsFolder(path, sizeof path));
    EXPECT_EQ(std::string(path), folder.root + "/home/.config/ostrand/tarvel/");
    // No home at all: no folder, truthfully.
    unsetenv("HOME");
    EXPECT_FALSE(platform::settingsFolder(path, sizeof path));
    EXPECT_EQ(zoom::loadPreference(), ZoomPreference{});
    EXPECT_FALSE(zoom::savePreference(ZoomPreference{2.0, true}));
    setenv("HOME", (folder.root + "/home").c_str(), 1);
    EXPECT_FALSE(platform::settingsFolder(path, 10)); // too long for the room given
}

TEST_F(PreferenceFileTest, IsSavedWholeInFoldersMadeForItAndReadBack) {
    EXPECT_EQ(zoom::loadPreference(), ZoomPreference{}); // no file yet
    ASSERT_TRUE(zoom::savePreference(ZoomPreference{2.0, false}));
    EXPECT_EQ(folder.preferenceText(), "zoom 2\nfollow-display no\n");
    EXPECT_EQ(zoom::loadPreference(), (ZoomPreference{2.0, false}));
    ASSERT_TRUE(zoom::savePreference(ZoomPreference{1.25, true}));
    EXPECT_EQ(zoom::loadPreference(), (ZoomPreference{1.25, true}));
    // Nothing but the file is left in the folder: no temporary file.
    const std::string list =
        "test \"$(ls -A '" + folder.root + "/config/ostrand/tarvel')\" = " + zoom::kFileName;
    EXPECT_EQ(std::system(list.c_str()), 0);
}

TEST_F(PreferenceFileTest, ABrokenFileGivesTheDefaults) {
    folder.writePreferenceText("zoom 1,5\nfollow-display perhaps\n");
    EXPECT_EQ(zoom::loadPreference(), ZoomPreference{});
    // Longer than any preference file: not the editor's, not read.
    folder.writePreferenceText("zoom 2\n" + std::string(zoom::kLongestFile, '#'));
    EXPECT_EQ(zoom::loadPreference(), ZoomPreference{});
    // Exactly as long as the longest is still read.
    folder.writePreferenceText("zoom 2\n" + std::string(zoom::kLongestFile - 7, '#'));
    EXPECT_EQ(zoom::loadPreference(), (ZoomPreference{2.0, true}));
    folder.writePreferenceText("");
    EXPECT_EQ(zoom::loadPreference(), ZoomPreference{});
    // A folder where the file should be.
    const std::string file = folder.preferenceFile();
    ASSERT_EQ(std::remove(file.c_str()), 0);
    ASSERT_EQ(mkdir(file.c_str(), 0755), 0);
    EXPECT_EQ(zoom::loadPreference(), ZoomPreference{});
    EXPECT_FALSE(zoom::savePreference(ZoomPreference{2.0, true}));
}

TEST_F(PreferenceFileTest, AFailedSaveIsReportedAndLeavesTheOldFile) {
    ASSERT_TRUE(zoom::savePreference(ZoomPreference{1.5, true}));
    const std::string settings = folder.root + "/config/ostrand/tarvel";
    ASSERT_EQ(chmod(settings.c_str(), 0555), 0);
    // A root user writes anyway; only where the folder refuses is it a failure.
    const bool refused = access(settings.c_str(), W_OK) != 0;
    if (refused) {
        EXPECT_FALSE(zoom::savePreference(ZoomPreference{3.0, false}));
        EXPECT_EQ(zoom::loadPreference(), (ZoomPreference{1.5, true}));
    }
    ASSERT_EQ(chmod(settings.c_str(), 0755), 0);
    // A configuration folder that is a file: the folders cannot be made.
    setenv("XDG_CONFIG_HOME", (folder.preferenceFile() + "/under").c_str(), 1);
    EXPECT_FALSE(zoom::savePreference(ZoomPreference{3.0, false}));
    // Names that are paths are refused outright.
    EXPECT_FALSE(platform::writeSettingsFile("../escape.txt", "x", 1));
    EXPECT_FALSE(platform::writeSettingsFile("", "x", 1));
    EXPECT_FALSE(platform::writeSettingsFile("..", "x", 1));
    std::size_t length = 0;
    char text[8];
    EXPECT_FALSE(platform::readSettingsFile("../preferences.txt", text, sizeof text, length));
}

} // namespace
