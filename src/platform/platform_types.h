// Handles and plain records shared by the toolkit and the platform backends.
// The records have the layout of the operating system's own (points,
// rectangles, blend descriptions), so a backend can pass them straight on.
#pragma once

#include <cstdint>

#if defined(_WIN32) && defined(__i386__)
#define TARVEL_SYSCALL __stdcall
#else
#define TARVEL_SYSCALL
#endif

namespace platform {

struct DeviceContextTag;
struct WindowTag;
struct GraphicsObjectTag;
struct ModuleTag;
struct CursorTag;

using DeviceContext = DeviceContextTag*;   // a drawing target: window, memory surface or screen
using Window = WindowTag*;                 // a window on the screen
using GraphicsObject = GraphicsObjectTag*; // pen, brush, font, bitmap or region
using Module = ModuleTag*;                 // a loaded library
using Cursor = CursorTag*;                 // a mouse pointer shape

// A colour as the platform stores it: red + 256 * green + 65536 * blue.
using ColorValue = std::uint32_t;
constexpr ColorValue kInvalidColor = 0xFFFFFFFFu;

constexpr ColorValue rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<ColorValue>(r) | static_cast<ColorValue>(g) << 8 |
           static_cast<ColorValue>(b) << 16;
}
constexpr std::uint8_t redOf(ColorValue c) {
    return static_cast<std::uint8_t>(c);
}
constexpr std::uint8_t greenOf(ColorValue c) {
    return static_cast<std::uint8_t>(c >> 8);
}
constexpr std::uint8_t blueOf(ColorValue c) {
    return static_cast<std::uint8_t>(c >> 16);
}

struct DevicePoint {
    std::int32_t x;
    std::int32_t y;
};

struct DeviceRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

enum class ObjectKind { Pen, Brush, Font, Bitmap };

enum PenStyle : int { kPenSolid = 0, kPenDot = 2, kPenNull = 5 };

// Mix modes: how a pen or brush colour combines with the pixel under it.
enum MixMode : int { kMixNotXorPen = 10, kMixCopyPen = 13, kMixMergePen = 15 };

enum BackgroundMode : int { kBackgroundTransparent = 1, kBackgroundOpaque = 2 };

// Raster operations of block copies.
enum RasterOp : std::uint32_t {
    kRopSourceCopy = 0x00CC0020,   // destination = source
    kRopSourceInvert = 0x00660046, // destination = destination xor source
    kRopSourceAnd = 0x008800C6,    // destination = destination and source
};

enum FloodFillType : int { kFloodFillBorder = 0, kFloodFillSurface = 1 };

// Text layout flags.
enum TextFormat : unsigned {
    kTextLeft = 0x0,
    kTextCenter = 0x1,
    kTextRight = 0x2,
    kTextVerticalCenter = 0x4,
    kTextSingleLine = 0x20,
    kTextNoPrefix = 0x800,
};

// A font request; face names hold at most 31 characters and a terminating zero.
struct FontDescription {
    std::int32_t height; // negative: character height in pixels
    std::int32_t width;
    std::int32_t escapement;
    std::int32_t orientation;
    std::int32_t weight; // 400 normal, 700 bold
    std::uint8_t italic;
    std::uint8_t underline;
    std::uint8_t strikeOut;
    std::uint8_t charSet;
    std::uint8_t outPrecision;
    std::uint8_t clipPrecision;
    std::uint8_t quality;
    std::uint8_t pitchAndFamily;
    char faceName[32];
};
static_assert(sizeof(FontDescription) == 60, "font description has the platform's layout");

enum FontFamily : std::uint8_t {
    kVariablePitchSwiss = 0x22,
    kFamilyDecorative = 0x50,
};

// Constant-opacity blending of a block copy.
struct BlendFunction {
    std::uint8_t operation; // 0: source over destination
    std::uint8_t flags;
    std::uint8_t constantAlpha; // 0 transparent to 255 opaque
    std::uint8_t alphaFormat;   // 0: the source has no per-pixel alpha
};
static_assert(sizeof(BlendFunction) == 4, "blend function is passed by value as one word");

// The two blending services of the optional blending library.
using TransparentBlitFunction = int(TARVEL_SYSCALL*)(DeviceContext dest, int x, int y, int width,
                                                     int height, DeviceContext source, int sourceX,
                                                     int sourceY, int sourceWidth, int sourceHeight,
                                                     unsigned transparent);
using AlphaBlendFunction = int(TARVEL_SYSCALL*)(DeviceContext dest, int x, int y, int width,
                                                int height, DeviceContext source, int sourceX,
                                                int sourceY, int sourceWidth, int sourceHeight,
                                                BlendFunction blend);
using ProcAddress = void (*)();

// Keys and buttons as the key-state query names them.
enum VirtualKey : int {
    kKeyLeftButton = 0x01,
    kKeyRightButton = 0x02,
    kKeyMiddleButton = 0x04,
    kKeyShift = 0x10,
    kKeyControl = 0x11,
    kKeyAlt = 0x12,
};

// Colours of the system's own elements, as `systemColor` numbers them.
enum SystemColor : int {
    kColorMenu = 4,
    kColorMenuText = 7,
    kColorHighlight = 13,
    kColorHighlightText = 14,
    kColorGrayText = 17,
};

enum SystemMetric : int {
    kMetricDialogFrameHeight = 8,
    kMetricSwapButton = 23,
};

} // namespace platform
