// Compares the headless backend's text with the samples GDI drew under Wine:
// widths within a few pixels, and most of the ink in the same place.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gui/canvas.h"
#include "gui/draw_context.h"
#include "text_samples.h"

namespace {

struct GdiSample {
    int width = 0;
    std::vector<std::string> rows;
};

// The samples the Wine run of one library width wrote: the test names the file.
const char* samplesPath() {
    const char* path = std::getenv("TARVEL_GDI_TEXT_SAMPLES");
    return path != nullptr ? path : "";
}

std::vector<GdiSample> readSamples() {
    std::vector<GdiSample> samples;
    std::ifstream in(samplesPath());
    std::string header;
    while (std::getline(in, header)) {
        GdiSample s;
        std::istringstream fields(header);
        int id = 0, size = 0, style = 0;
        fields >> id >> size >> style >> s.width;
        for (int y = 0; y < kTextHeight; ++y) {
            std::string row;
            std::getline(in, row);
            s.rows.push_back(row);
        }
        samples.push_back(s);
    }
    return samples;
}

TEST(GdiTextComparison, HeadlessTextMeasuresAndInksLikeGdi) {
    const std::vector<GdiSample> gdi = readSamples();
    const std::size_t count = sizeof kTextSamples / sizeof kTextSamples[0];
    ASSERT_EQ(gdi.size(), count) << "no samples from the Wine run in '" << samplesPath() << "'";
    for (std::size_t i = 0; i < count; ++i) {
        const TextSample& s = kTextSamples[i];
        Canvas canvas(kTextWidth, kTextHeight);
        int width = 0;
        {
            DrawContext context(nullptr, canvas.dc, canvas.window);
            context.setFont(s.fontId, s.size, s.style);
            width = context.getStringWidth(s.text);
            context.drawString(s.text, Rect(0, 0, kTextWidth, kTextHeight), false, kLeftText);
        }
        int inkGdi = 0, inkBoth = 0, inkHere = 0;
        for (int y = 0; y < kTextHeight; ++y)
            for (int x = 0; x < kTextWidth; ++x) {
                const bool a =
                    gdi[i].rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
                const bool b = canvas.at(x, y) != raster::kBlack;
                inkGdi += a;
                inkHere += b;
                inkBoth += a && b;
            }
        const double shared = inkGdi + inkHere > 0 ? 2.0 * inkBoth / (inkGdi + inkHere) : 1.0;
        std::printf("%-18s font %d: width gdi %3d headless %3d; ink gdi %4d headless %4d, "
                    "shared %.0f%%\n",
                    s.text, s.fontId, gdi[i].width, width, inkGdi, inkHere, 100.0 * shared);
        EXPECT_NEAR(width, gdi[i].width, 3 + gdi[i].width / 10) << s.text;
        // The symbol face differs by design (any face with the symbol letters
        // will do), so only its place and size are held to account.
        EXPECT_GT(shared, s.fontId == 7 ? 0.2 : 0.4) << s.text;
    }
}

} // namespace
