#include "panel_pictures.h"

#include <windows.h>

namespace {

constexpr std::uint32_t kTransparent = 0xFFFFFF;

RgbImage pictureOf(HMODULE library, int id) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(library, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        return RgbImage{};
    }
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth * info.bmHeight));
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(),
                               &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    if (rows != info.bmHeight) {
        return RgbImage{};
    }
    RgbImage image(info.bmWidth, info.bmHeight);
    for (int y = 0; y < info.bmHeight; ++y) {
        for (int x = 0; x < info.bmWidth; ++x) {
            image.setPixel(x, y, pixels[static_cast<std::size_t>(y * info.bmWidth + x)] & 0xFFFFFF);
        }
    }
    return image;
}

bool matchesAt(const RgbImage& shot, const PanelPictures& pictures, int top, int left) {
    for (int y = top; y < top + kSliderHeight; ++y) {
        for (int x = kSliderLeft; x < kSliderRight; ++x) {
            std::uint32_t expected = pictures.background.pixel(x, y);
            const int hx = x - left;
            const int hy = y - top;
            if (hx >= 0 && hx < pictures.handle.width() && hy < pictures.handle.height()) {
                const std::uint32_t ink = pictures.handle.pixel(hx, hy);
                if (ink != kTransparent) {
                    expected = ink;
                }
            }
            if (shot.pixel(x, y) != expected) {
                return false;
            }
        }
    }
    return true;
}

bool insideSlider(int x, int y) {
    const bool across = x >= kSliderLeft && x < kSliderRight;
    return across && ((y >= kUpperSliderTop && y < kUpperSliderTop + kSliderHeight) ||
                      (y >= kLowerSliderTop && y < kLowerSliderTop + kSliderHeight));
}

} // namespace

PanelPictures loadPanelPictures(const std::string& libraryPath) {
    PanelPictures pictures;
    HMODULE library = LoadLibraryExA(libraryPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (library != nullptr) {
        pictures.background = pictureOf(library, 128);
        pictures.handle = pictureOf(library, 129);
        FreeLibrary(library);
    }
    return pictures;
}

int handleLeftEdge(const RgbImage& shot, const PanelPictures& pictures, int top) {
    if (!pictures.loaded() || shot.width() != pictures.background.width() ||
        shot.height() != pictures.background.height()) {
        return -1;
    }
    for (int left = kSliderLeft; left + pictures.handle.width() <= kSliderRight; ++left) {
        if (matchesAt(shot, pictures, top, left)) {
            return left;
        }
    }
    return -1;
}

int handleLeftEdgeFor(float value) {
    return kSliderLeft + static_cast<int>(static_cast<float>(kHandleTravel) * value);
}

int differencesOutsideSliders(const RgbImage& shot, const PanelPictures& pictures) {
    if (shot.width() != pictures.background.width() ||
        shot.height() != pictures.background.height()) {
        return shot.width() * shot.height() + 1;
    }
    int differences = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            differences +=
                !insideSlider(x, y) && shot.pixel(x, y) != pictures.background.pixel(x, y);
        }
    }
    return differences;
}
