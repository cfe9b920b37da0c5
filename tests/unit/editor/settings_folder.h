// A settings folder of the test's own: XDG_CONFIG_HOME (and HOME) point
// into a fresh temporary folder while it lives, so the user's own
// preferences are never read or replaced.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "editor/zoom.h"

class SettingsFolder {
public:
    SettingsFolder() {
        char pattern[] = "/tmp/tarvel-settings-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        root = made ? made : "/nonexistent";
        keep("XDG_CONFIG_HOME", savedConfig, hadConfig);
        keep("HOME", savedHome, hadHome);
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        setenv("HOME", (root + "/home").c_str(), 1);
    }
    ~SettingsFolder() {
        restore("XDG_CONFIG_HOME", savedConfig, hadConfig);
        restore("HOME", savedHome, hadHome);
        const std::string remove = "rm -rf '" + root + "'";
        if (std::system(remove.c_str()) != 0)
            ADD_FAILURE() << "could not remove " << root;
    }
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    // Where the preference file is while XDG_CONFIG_HOME points here.
    std::string preferenceFile() const {
        return root + "/config/ostrand/tarvel/" + zoom::kFileName;
    }
    std::string read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string preferenceText() const { return read(preferenceFile()); }
    void writePreferenceText(const std::string& text) const {
        const std::string folder = root + "/config/ostrand/tarvel";
        const std::string make = "mkdir -p '" + folder + "'";
        ASSERT_EQ(std::system(make.c_str()), 0);
        std::ofstream(preferenceFile(), std::ios::binary) << text;
    }

    std::string root;

private:
    static void keep(const char* name, std::string& value, bool& had) {
        const char* now = getenv(name);
        had = now != nullptr;
        value = now ? now : "";
    }
    static void restore(const char* name, const std::string& value, bool had) {
        if (had)
            setenv(name, value.c_str(), 1);
        else
            unsetenv(name);
    }
    std::string savedConfig;
    std::string savedHome;
    bool hadConfig = false;
    bool hadHome = false;
};
