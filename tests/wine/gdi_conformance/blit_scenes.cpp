#include "blit_scenes.h"

#include <windows.h>

#include "gdi_ops.h"
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/offscreen_context.h"
#include "gui/toolkit_state.h"
#include "raster/blit.h"

namespace {

constexpr std::uint32_t kSrcCopy = 0x00CC0020, kSrcInvert = 0x00660046, kSrcAnd = 0x008800C6;

raster::Surface pattern(int w, int h, std::uint32_t seed) {
    raster::Surface s(w, h, false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t v =
                (static_cast<std::uint32_t>(x) * 37u + static_cast<std::uint32_t>(y) * 91u + seed) *
                2654435761u;
            s.set(x, y, (x + y) % 5 == 0 ? 0xFFFFFFu : (v >> 8) & 0xFFFFFFu);
        }
    return s;
}

// A memory target on a screen-compatible bitmap holding a surface's pixels.
struct GdiSurface {
    explicit GdiSurface(const raster::Surface& s) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, s.width(), s.height());
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        writeBitmap(dc, bitmap, s);
    }
    ~GdiSurface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;
    raster::Surface read() const { return readBitmap(dc, bitmap); }

    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

raster::BlitEnd end(raster::Surface& s, std::uint32_t text = 0, std::uint32_t back = 0xFFFFFF) {
    raster::BlitEnd e;
    e.surface = &s;
    e.clip = raster::Box{-(1 << 28), -(1 << 28), 1 << 28, 1 << 28};
    e.textColor = text;
    e.backgroundColor = back;
    return e;
}

BlitResult blockCopies() {
    raster::Surface dest = pattern(64, 64, 1), source = pattern(40, 40, 2);
    GdiSurface gdiDest(dest), gdiSource(source);
    struct Copy {
        int x, y, w, h, sx, sy;
        std::uint32_t rop;
    };
    const Copy copies[] = {{5, 5, 30, 30, 2, 2, kSrcCopy},
                           {20, 20, 30, 30, 0, 0, kSrcInvert},
                           {-5, 40, 30, 30, 10, 10, kSrcAnd},
                           {40, 0, 20, 20, 30, 30, kSrcCopy},
                           {30, 45, 20, 20, -6, -3, kSrcCopy}};
    for (const Copy& c : copies) {
        BitBlt(gdiDest.dc, c.x, c.y, c.w, c.h, gdiSource.dc, c.sx, c.sy, c.rop);
        raster::bitBlt(end(dest), c.x, c.y, c.w, c.h, end(source), c.sx, c.sy, c.rop);
    }
    // A copy within one surface that overlaps itself.
    BitBlt(gdiDest.dc, 3, 3, 30, 30, gdiDest.dc, 0, 0, kSrcCopy);
    raster::bitBlt(end(dest), 3, 3, 30, 30, end(dest), 0, 0, kSrcCopy);
    return BlitResult{gdiDest.read(), dest};
}

BlitResult monochromeConversions() {
    raster::Surface dest = pattern(64, 64, 3), source = pattern(40, 40, 4);
    const std::uint32_t key = source.get(1, 1);
    GdiSurface gdiDest(dest), gdiSource(source);
    HDC monoDc = CreateCompatibleDC(gdiDest.dc);
    HBITMAP mono = CreateBitmap(40, 40, 1, 1, nullptr);
    HGDIOBJ oldMono = SelectObject(monoDc, mono);
    SetBkColor(gdiSource.dc, key);
    BitBlt(monoDc, 0, 0, 40, 40, gdiSource.dc, 0, 0, kSrcCopy);
    SetTextColor(gdiDest.dc, 0x0000FF);
    SetBkColor(gdiDest.dc, 0x00FF00);
    BitBlt(gdiDest.dc, 10, 10, 40, 40, monoDc, 0, 0, kSrcCopy);
    BitBlt(gdiDest.dc, 0, 30, 40, 40, monoDc, 0, 0, kSrcAnd);
    SelectObject(monoDc, oldMono);
    DeleteObject(mono);
    DeleteDC(monoDc);

    raster::Surface monoSurface(40, 40, true);
    raster::bitBlt(end(monoSurface), 0, 0, 40, 40, end(source, 0, key), 0, 0, kSrcCopy);
    raster::bitBlt(end(dest, 0x0000FF, 0x00FF00), 10, 10, 40, 40, end(monoSurface), 0, 0, kSrcCopy);
    raster::bitBlt(end(dest, 0x0000FF, 0x00FF00), 0, 30, 40, 40, end(monoSurface), 0, 0, kSrcAnd);
    return BlitResult{gdiDest.read(), dest};
}

enum class KeyedPath { ColourKeyedCopy, FallbackMask, PreparedMask };

// The toolkit draws the background and then the handle with white left out.
BlitResult handleOverBackground(KeyedPath path) {
    startBlendServices();
    if (path != KeyedPath::ColourKeyedCopy)
        transparentBltFunction = nullptr;
    Bitmap* background = new Bitmap(128);
    Bitmap* handle = new Bitmap(129);
    BlitResult result;
    if (!background->isLoaded() || !handle->isLoaded() ||
        (path == KeyedPath::ColourKeyedCopy && !transparentBltFunction)) {
        result.problem = "pictures or the colour-keyed copy are missing";
        background->release();
        handle->release();
        return result;
    }
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 268, 107);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    raster::Surface under, over;
    {
        DrawContext context(nullptr, reinterpret_cast<platform::DeviceContext>(dc), nullptr);
        background->draw(&context, Rect(0, 0, 268, 107));
        if (path == KeyedPath::PreparedMask) {
            OffscreenContext plain(nullptr, 14, 14, colorBlack);
            handle->draw(&plain, Rect(0, 0, 14, 14));
            handle->setTransparencyMask(&plain, Point(0, 0));
        }
        context.offset = Point(3, 4);
        handle->drawTransparent(&context, Rect(40, 50, 54, 64));
        HDC reader = CreateCompatibleDC(dc);
        under = readBitmap(reader, reinterpret_cast<HBITMAP>(background->getHandle()));
        over = readBitmap(reader, reinterpret_cast<HBITMAP>(handle->getHandle()));
        DeleteDC(reader);
    }
    SelectObject(dc, old);
    result.gdi = readBitmap(dc, target);
    DeleteObject(target);
    DeleteDC(dc);
    background->release();
    handle->release();
    startBlendServices();

    // The headless side: the same picture by the rasteriser's colour-keyed copy.
    result.headless = under;
    raster::transparentBlt(end(result.headless), 43, 54, 14, 14, end(over), 0, 0, 14, 14, 0xFFFFFF);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            if (over.get(x, y) == 0xFFFFFF &&
                result.gdi.get(43 + x, 54 + y) != under.get(43 + x, 54 + y))
                result.problem = "a background pixel under a white handle pixel changed";
    return result;
}

BlitResult alphaBlending() {
    raster::Surface dest = pattern(64, 64, 5), source = pattern(40, 40, 6);
    GdiSurface gdiDest(dest), gdiSource(source);
    BlitResult result;
    HMODULE library = LoadLibraryA("msimg32.dll");
    auto blend = reinterpret_cast<BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                                BLENDFUNCTION)>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "AlphaBlend")));
    if (!blend) {
        result.problem = "no AlphaBlend";
        return result;
    }
    const unsigned char alphas[] = {0, 64, 128, 200, 255};
    int x = 0;
    for (unsigned char a : alphas) {
        blend(gdiDest.dc, x, x, 20, 20, gdiSource.dc, 5, 5, 20, 20,
              BLENDFUNCTION{AC_SRC_OVER, 0, a, 0});
        raster::alphaBlend(end(dest), x, x, 20, 20, end(source), 5, 5, 20, 20, a);
        x += 10;
    }
    result.gdi = gdiDest.read();
    result.headless = dest;
    FreeLibrary(library);
    return result;
}

} // namespace

std::vector<BlitScene> blitScenes() {
    return {
        {"block copies", blockCopies, 0},
        {"monochrome conversions", monochromeConversions, 0},
        {"handle over background: colour-keyed copy",
         [] { return handleOverBackground(KeyedPath::ColourKeyedCopy); }, 0},
        {"handle over background: fallback mask",
         [] { return handleOverBackground(KeyedPath::FallbackMask); }, 0},
        {"handle over background: prepared mask",
         [] { return handleOverBackground(KeyedPath::PreparedMask); }, 0},
        {"constant-alpha blending", alphaBlending, 0},
    };
}
