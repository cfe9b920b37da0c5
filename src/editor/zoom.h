// The user's zoom and where the editor's scale comes from: the display's
// scale (when followed) times the zoom the user chose, taken up to a scale
// the pictures are drawn at. The choice is kept as a small text file in the
// user's settings folder, so every editor opened after it starts at it.
#pragma once

#include <cstddef>

struct ZoomPreference {
    double zoom = 1;
    // Off for hosts that stretch a plug-in's window by the display's scale
    // themselves: the editor would otherwise be scaled twice.
    bool followDisplay = true;
};

bool operator==(const ZoomPreference& a, const ZoomPreference& b);

namespace zoom {

// The zooms the user can choose; a zoom outside them (a file edited by hand)
// is kept when it lies between the smallest and the largest.
constexpr double kChoices[] = {1.0, 1.25, 1.5, 2.0, 3.0};
constexpr double kSmallestZoom = 1.0;
constexpr double kLargestZoom = 3.0;

// The preference file's name in the settings folder.
constexpr const char kFileName[] = "preferences.txt";
// Files longer than this are not the editor's: they are not read.
constexpr std::size_t kLongestFile = 4096;

// The preference a text holds: a line "zoom <number>" and a line
// "follow-display yes|no". Numbers are read the same whatever the process's
// locale ("1.5", never "1,5"). Unknown, malformed or out-of-range lines are
// ignored, so what is missing keeps its default.
ZoomPreference parsePreference(const char* text, std::size_t length);
// The text parsePreference reads back as `preference` (the zoom to four
// decimals); false when it does not fit `capacity` with its terminator.
bool formatPreference(const ZoomPreference& preference, char* text, std::size_t capacity);

// The preference file as saved, or the defaults when it is missing or not
// readable.
ZoomPreference loadPreference();
// Saves the preference whole or not at all (a crash leaves the old file or
// the new one); false when it could not be written.
bool savePreference(const ZoomPreference& preference);

} // namespace zoom

// The scale the editor is drawn at for a display's scale and the user's
// preference: the display's scale when followed (1 otherwise) times the
// zoom, up to the nearest scale the pictures are drawn at.
double editorScale(double displayScale, const ZoomPreference& preference);
