// Text drawn by the toolkit on GDI, written out for the native side to
// compare with its own text: one block per sample, "font size style width
// text" on one line, then the ink as rows of '#' and '.'.
#pragma once

#include <cstdio>

#include "gui/draw_context.h"

// The samples both sides draw; the native comparison reads the same list.
struct TextSample {
    int fontId;
    int size;
    int style;
    const char* text;
};

inline constexpr TextSample kTextSamples[] = {
    {0, 0, 0, "Tarvel"},
    {1, 0, 0, "New Cycle Volume"},
    {2, 0, 0, "Input Volume"},
    {3, 0, 0, "ncvolume 0.50 dB"},
    {4, 0, kBoldFace, "Ostrand"},
    {6, 0, 0, "ipvolume -6.0"},
    {3, 16, kItalicFace, "Italic text"},
    {2, 0, kUnderlineFace, "Underlined"},
    {7, 0, 0, "abgdpw"},
};

inline constexpr int kTextWidth = 160;
inline constexpr int kTextHeight = 24;

// Draws every sample on GDI and writes them to `file`; false when it cannot.
bool writeTextSamples(std::FILE* file);
