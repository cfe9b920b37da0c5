// Draws the same scenes on GDI and with the headless rasteriser and
// compares them; prints one line per scene and a closing summary.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "blit_scenes.h"
#include "gdi_ops.h"
#include "platform/system.h"
#include "raster_ops.h"
#include "shape_scenes.h"
#include "text_samples.h"

namespace {

int differences(const raster::Surface& a, const raster::Surface& b) {
    if (a.width() != b.width() || a.height() != b.height())
        return a.width() * a.height() + b.width() * b.height() + 1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.get(x, y) != b.get(x, y);
    return n;
}

void showFirstDifferences(const raster::Surface& gdi, const raster::Surface& mine) {
    int shown = 0;
    for (int y = 0; y < gdi.height() && y < mine.height() && shown < 8; ++y)
        for (int x = 0; x < gdi.width() && x < mine.width() && shown < 8; ++x)
            if (gdi.get(x, y) != mine.get(x, y)) {
                std::printf("    (%d, %d): gdi %06x headless %06x\n", x, y, gdi.get(x, y),
                            mine.get(x, y));
                ++shown;
            }
}

// With TARVEL_CONFORMANCE_DUMP set, both pictures of a differing scene as
// rows of characters: '.' equal background, '#' equal ink, 'G' only GDI, 'H' only headless.
void dump(const raster::Surface& gdi, const raster::Surface& mine) {
    if (!std::getenv("TARVEL_CONFORMANCE_DUMP") || gdi.width() != mine.width() ||
        gdi.height() != mine.height())
        return;
    for (int y = 0; y < gdi.height(); ++y) {
        std::printf("    ");
        for (int x = 0; x < gdi.width(); ++x) {
            const raster::Pixel a = gdi.get(x, y), b = mine.get(x, y);
            std::putchar(a == b ? (a == 0 ? '.' : '#') : (b == 0 ? 'G' : (a == 0 ? 'H' : 'X')));
        }
        std::putchar('\n');
    }
}

struct Tally {
    int passed = 0;
    int failed = 0;
    void report(const char* name, int diff, int allowed, const char* problem) {
        const bool ok = diff <= allowed && !problem;
        (ok ? passed : failed) += 1;
        std::printf("%s %-45s %5d pixels differ (allowed %d)%s%s\n", ok ? "PASS" : "FAIL", name,
                    diff, allowed, problem ? ": " : "", problem ? problem : "");
    }
};

} // namespace

// With an argument, also writes GDI's text samples to that file.
int main(int argc, char** argv) {
    // The pictures are this program's own resources.
    platform::setModuleHandle(reinterpret_cast<platform::Module>(GetModuleHandleA(nullptr)));
    Tally tally;
    for (const Scene& scene : shapeScenes()) {
        GdiOps gdi;
        RasterOps mine;
        scene.draw(gdi);
        scene.draw(mine);
        const raster::Surface a = gdi.read(), b = mine.read();
        const int diff = differences(a, b);
        tally.report(scene.name, diff, scene.allowedDifference, nullptr);
        if (diff > 0) {
            showFirstDifferences(a, b);
            dump(a, b);
        }
    }
    for (const BlitScene& scene : blitScenes()) {
        const BlitResult r = scene.run();
        const int diff = differences(r.gdi, r.headless);
        tally.report(scene.name, diff, scene.allowedDifference, r.problem);
        if (diff > 0)
            showFirstDifferences(r.gdi, r.headless);
    }
    if (argc > 1) {
        std::FILE* file = std::fopen(argv[1], "w");
        const bool written = file && writeTextSamples(file);
        if (file)
            std::fclose(file);
        tally.report("text samples written", 0, 0, written ? nullptr : "cannot write the file");
    }
    std::printf("%d passed, %d failed\n", tally.passed, tally.failed);
    return tally.failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
