#include "tools/artwork/Artwork.h"

#include <cstring>

namespace {

const int kMapWidth = 190, kMapHeight = 274;
const int kBannerWidth = 130, kBannerHeight = 44;
const int kScale = 2; // font pixels to picture pixels

// A 5 by 7 pixel font of the letters the pictures use; '#' is ink.
struct Glyph {
    char letter;
    const char* rows[7];
};
const Glyph kFont[] = {
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'G', {".####", "#....", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'J', {"#####", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
};

const Glyph* GlyphOf(char letter) {
    for (const Glyph& glyph : kFont) {
        if (glyph.letter == letter)
            return &glyph;
    }
    return nullptr;
}

// Calls ink(x, y) for every picture pixel of the letter whose top-left corner is (left, top).
template <class Ink> void DrawLetter(char letter, int left, int top, Ink ink) {
    const Glyph* glyph = GlyphOf(letter);
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 5; ++column) {
            if (glyph->rows[row][column] != '#')
                continue;
            for (int dy = 0; dy < kScale; ++dy) {
                for (int dx = 0; dx < kScale; ++dx)
                    ink(left + column * kScale + dx, top + row * kScale + dy);
            }
        }
    }
}

// A small deterministic generator for the star field.
class Stars {
public:
    explicit Stars(uint32_t seed) : m_state(seed) {}
    uint32_t Next(uint32_t range) {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) % range;
    }

private:
    uint32_t m_state;
};

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// The file and info headers of an uncompressed bottom-up bitmap.
std::vector<uint8_t> BitmapHeaders(int width, int height, int bits, int colours) {
    const uint32_t rowBytes = uint32_t((width * bits + 31) / 32 * 4);
    const uint32_t offset = 14 + 40 + uint32_t(colours) * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + rowBytes * uint32_t(height));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height)); // positive: rows stored bottom-up
    Put16(out, 1);
    Put16(out, uint32_t(bits));
    Put32(out, 0); // BI_RGB
    Put32(out, rowBytes * uint32_t(height));
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, uint32_t(colours));
    Put32(out, 0);
    return out;
}

struct Rgb {
    uint8_t r, g, b;
};

} // namespace

const LetterPlace kMapLetters[kMapLetterCount] = {
    {'X', 66, 20},   {'Y', 93, 20},  {'Z', 118, 20}, {'W', 94, 49},  {'R', 40, 75},
    {'S', 66, 75},   {'T', 94, 75},  {'U', 116, 75}, {'V', 142, 75}, {'Q', 94, 97},
    {'G', 92, 181},  {'H', 42, 201}, {'I', 68, 201}, {'J', 91, 201}, {'K', 118, 201},
    {'L', 141, 201}, {'M', 93, 224}, {'N', 66, 252}, {'O', 94, 251}, {'P', 118, 252},
};

std::vector<uint8_t> MakeMapBitmap() {
    std::vector<Rgb> pixels(size_t(kMapWidth * kMapHeight), Rgb{0, 0, 0});
    auto at = [&](int x, int y) -> Rgb* {
        if (x < 0 || y < 0 || x >= kMapWidth || y >= kMapHeight)
            return nullptr;
        return &pixels[size_t(y * kMapWidth + x)];
    };
    // Stars in greys, never in the letters' colours.
    Stars stars(0x4B455354); // "KEST"
    for (int i = 0; i < 420; ++i) {
        int x = int(stars.Next(kMapWidth)), y = int(stars.Next(kMapHeight));
        uint8_t level = uint8_t(50 + stars.Next(150));
        *at(x, y) = Rgb{level, level, level};
        if (stars.Next(12) == 0) { // a few brighter stars with a glow
            for (auto [dx, dy] : {std::pair<int, int>{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                if (Rgb* p = at(x + dx, y + dy))
                    *p = Rgb{uint8_t(level / 3), uint8_t(level / 3), uint8_t(level / 3)};
            }
        }
    }
    const Rgb upper{255, 255, 204}, lower{102, 255, 255};
    for (const LetterPlace& place : kMapLetters) {
        // Clear a dark patch so that no star touches the letter, then paint it centred.
        for (int y = place.y - 9; y <= place.y + 8; ++y) {
            for (int x = place.x - 7; x <= place.x + 6; ++x) {
                if (Rgb* p = at(x, y))
                    *p = Rgb{0, 0, 0};
            }
        }
        Rgb colour = place.letter >= 'Q' ? upper : lower;
        DrawLetter(place.letter, place.x - 5, place.y - 7, [&](int x, int y) {
            if (Rgb* p = at(x, y))
                *p = colour;
        });
    }
    std::vector<uint8_t> out = BitmapHeaders(kMapWidth, kMapHeight, 32, 0);
    for (int y = kMapHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kMapWidth; ++x) {
            const Rgb& p = pixels[size_t(y * kMapWidth + x)];
            out.insert(out.end(), {p.b, p.g, p.r, 0});
        }
    }
    return out;
}

std::vector<uint8_t> MakeBannerBitmap() {
    // Colour table: 0..239 a night-blue to violet gradient, 240..255 the title's gold.
    std::vector<Rgb> table(256);
    for (int i = 0; i < 240; ++i)
        table[size_t(i)] = Rgb{uint8_t(10 + i * 60 / 239), uint8_t(12 + i * 20 / 239),
                               uint8_t(40 + i * 110 / 239)};
    for (int i = 240; i < 256; ++i)
        table[size_t(i)] = Rgb{255, uint8_t(200 + (i - 240) * 3), 60};

    std::vector<uint8_t> pixels(size_t(kBannerWidth * kBannerHeight));
    for (int y = 0; y < kBannerHeight; ++y) {
        for (int x = 0; x < kBannerWidth; ++x)
            pixels[size_t(y * kBannerWidth + x)] =
                uint8_t((x + 2 * y) * 239 / (kBannerWidth + 2 * kBannerHeight));
    }
    Stars stars(0x42414E52); // "BANR"
    for (int i = 0; i < 40; ++i)
        pixels[size_t(stars.Next(kBannerHeight) * kBannerWidth + stars.Next(kBannerWidth))] = 239;
    const char title[] = "KESTRINE";
    const int advance = 6 * kScale;
    const int width = 8 * advance - kScale;
    int left = (kBannerWidth - width) / 2, top = (kBannerHeight - 7 * kScale) / 2;
    for (int i = 0; i < 8; ++i) {
        DrawLetter(title[i], left + i * advance, top, [&](int x, int y) {
            pixels[size_t(y * kBannerWidth + x)] = uint8_t(240 + (y - top) * 15 / (7 * kScale));
        });
    }

    std::vector<uint8_t> out = BitmapHeaders(kBannerWidth, kBannerHeight, 8, 256);
    for (const Rgb& c : table)
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    const int rowBytes = (kBannerWidth + 3) / 4 * 4;
    for (int y = kBannerHeight - 1; y >= 0; --y) {
        out.insert(out.end(), pixels.begin() + y * kBannerWidth,
                   pixels.begin() + (y + 1) * kBannerWidth);
        out.insert(out.end(), size_t(rowBytes - kBannerWidth), 0);
    }
    return out;
}
