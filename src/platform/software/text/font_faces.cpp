#include "font_faces.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cctype>
#include <cmath>
#include <map>
#include <string>
#include <utility>

#include "../kept.h"

namespace software::text {
namespace {

const char* const kSansFiles[4] = {
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Italic.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-BoldItalic.ttf",
};
const char* const kSymbolFiles[4] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf",
};

// FreeType and the faces opened so far, by file; given back with the
// library (see kept.h).
struct OpenFaces {
    FT_Library library = nullptr;
    bool tried = false;
    std::map<std::string, FT_Face> faces;
    ~OpenFaces() {
        for (const auto& entry : faces)
            if (entry.second)
                FT_Done_Face(entry.second);
        if (library)
            FT_Done_FreeType(library);
    }
};

OpenFaces& openFaces() {
    static Kept<OpenFaces> open;
    return *open;
}

FT_Library library() {
    OpenFaces& open = openFaces();
    if (!open.tried) {
        open.tried = true;
        if (FT_Init_FreeType(&open.library) != 0)
            open.library = nullptr;
    }
    return open.library;
}

FT_Face openFace(const char* path) {
    auto& open = openFaces().faces;
    const auto it = open.find(path);
    if (it != open.end())
        return it->second;
    FT_Face face = nullptr;
    if (!library() || FT_New_Face(library(), path, 0, &face) != 0)
        face = nullptr;
    open.emplace(path, face);
    return face;
}

bool isSymbolName(const char* name) {
    const char symbol[] = "symbol";
    for (std::size_t i = 0; i < sizeof symbol; ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != symbol[i])
            return false;
    return true;
}

// Symbol layout: printable bytes stand for Greek letters and mathematical signs.
const std::uint16_t kSymbolLow[95] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
    0x002C, 0x2212, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7,
    0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F, 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C,
};
const std::pair<unsigned char, std::uint16_t> kSymbolHigh[] = {
    {0xA3, 0x2264}, {0xA5, 0x221E}, {0xAC, 0x2190}, {0xAD, 0x2191}, {0xAE, 0x2192}, {0xAF, 0x2193},
    {0xB0, 0x00B0}, {0xB1, 0x00B1}, {0xB3, 0x2265}, {0xB4, 0x00D7}, {0xB8, 0x00F7}, {0xB9, 0x2260},
    {0xBB, 0x2248}, {0xD6, 0x221A}, {0xE5, 0x2211}, {0xF2, 0x222B},
};
// The 8-bit Western text layout's characters at 0x80 to 0x9F.
const std::uint16_t kWestern80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::uint32_t characterOf(unsigned char byte, bool symbol) {
    if (symbol) {
        if (byte >= 0x20 && byte <= 0x7E)
            return kSymbolLow[byte - 0x20];
        for (const auto& entry : kSymbolHigh)
            if (entry.first == byte)
                return entry.second;
        return byte;
    }
    if (byte >= 0x80 && byte <= 0x9F)
        return kWestern80[byte - 0x80];
    return byte;
}

SizedFace faceFor(const platform::FontDescription& d) {
    SizedFace sized;
    sized.symbol = isSymbolName(d.faceName);
    const int style = (d.weight >= 600 ? 1 : 0) + (d.italic ? 2 : 0);
    sized.face = openFace(sized.symbol ? kSymbolFiles[style] : kSansFiles[style]);
    if (!sized.face)
        return sized;
    FT_Face f = sized.face;
    const TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    const double winAscent = os2 ? os2->usWinAscent : f->ascender;
    const double winDescent = os2 ? os2->usWinDescent : -f->descender;
    const double units = f->units_per_EM;
    // A negative height asks for the character height, a positive one for
    // the cell height (ascent plus descent); zero takes a common default.
    double em = 16;
    if (d.height < 0)
        em = -d.height;
    else if (d.height > 0)
        em = d.height * units / (winAscent + winDescent);
    const auto pixels = static_cast<FT_UInt>(std::lround(em));
    FT_Set_Pixel_Sizes(f, 0, pixels < 1 ? 1 : pixels);
    sized.ascent = static_cast<int>(std::lround(winAscent * em / units));
    sized.descent = static_cast<int>(std::lround(winDescent * em / units));
    return sized;
}

} // namespace software::text
