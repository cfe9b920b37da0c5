#include "text_samples.h"

#include <windows.h>

#include "gdi_ops.h"
#include "gui/draw_context.h"

bool writeTextSamples(std::FILE* file) {
    for (const TextSample& s : kTextSamples) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, kTextWidth, kTextHeight);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        int width = 0;
        {
            DrawContext context(nullptr, reinterpret_cast<platform::DeviceContext>(dc), nullptr);
            context.setFillColor(colorBlack);
            context.fillRect(Rect(-1, -1, kTextWidth, kTextHeight));
            context.setFont(s.fontId, s.size, s.style);
            width = context.getStringWidth(s.text);
            context.drawString(s.text, Rect(0, 0, kTextWidth, kTextHeight), false, kLeftText);
        }
        SelectObject(dc, old);
        const raster::Surface ink = readBitmap(dc, bitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
        std::fprintf(file, "%d %d %d %d %s\n", s.fontId, s.size, s.style, width, s.text);
        for (int y = 0; y < kTextHeight; ++y) {
            for (int x = 0; x < kTextWidth; ++x)
                std::fputc(ink.get(x, y) == 0 ? '.' : '#', file);
            std::fputc('\n', file);
        }
    }
    return std::ferror(file) == 0;
}
