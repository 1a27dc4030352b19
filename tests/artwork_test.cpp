// The committed pictures are exactly what the artwork code draws, in the size and format the
// windows expect, with every start letter centred on its place.
#include "tools/artwork/Artwork.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::vector<uint8_t> Committed(const char* name) {
    std::string path = KESTRINE_SOURCE_DIR "/resources/";
#ifdef _WIN32
    path = "Z:" + path; // the source tree as Wine shows it
#endif
    std::ifstream in(path + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
    return uint16_t(b[at] | b[at + 1] << 8);
}

TEST(Artwork, CommittedPicturesAreWhatTheCodeDraws) {
    EXPECT_EQ(Committed("map.bmp"), MakeMapBitmap()) << "run make_artwork resources";
    EXPECT_EQ(Committed("banner.bmp"), MakeBannerBitmap()) << "run make_artwork resources";
}

TEST(Artwork, MapIs190By274At32BitsBottomUp) {
    std::vector<uint8_t> map = MakeMapBitmap();
    ASSERT_GE(map.size(), 54u);
    EXPECT_EQ(map[0], 'B');
    EXPECT_EQ(map[1], 'M');
    EXPECT_EQ(U32(map, 2), map.size());
    EXPECT_EQ(U32(map, 10), 54u);
    EXPECT_EQ(U32(map, 18), 190u);
    EXPECT_EQ(int32_t(U32(map, 22)), 274); // positive: bottom-up
    EXPECT_EQ(U16(map, 28), 32);
    EXPECT_EQ(U32(map, 30), 0u); // uncompressed
    EXPECT_EQ(map.size(), 54u + 190 * 274 * 4);
}

TEST(Artwork, BannerIs130By44At8BitsWithAFullColourTable) {
    std::vector<uint8_t> banner = MakeBannerBitmap();
    EXPECT_EQ(U32(banner, 18), 130u);
    EXPECT_EQ(int32_t(U32(banner, 22)), 44);
    EXPECT_EQ(U16(banner, 28), 8);
    EXPECT_EQ(U32(banner, 30), 0u);
    EXPECT_EQ(U32(banner, 46), 256u);
    EXPECT_EQ(U32(banner, 10), 54u + 1024);
    EXPECT_EQ(banner.size(), 54u + 1024 + 132 * 44); // rows padded to 132 bytes
}

TEST(Artwork, EveryLetterIsPaintedInItsColourCentredOnItsPlace) {
    std::vector<uint8_t> map = MakeMapBitmap();
    auto pixel = [&](int x, int y) {
        size_t at = 54 + size_t((273 - y) * 190 + x) * 4; // rows are stored bottom-up
        return std::make_tuple(map[at + 2], map[at + 1], map[at]);
    };
    for (const LetterPlace& place : kMapLetters) {
        auto colour =
            place.letter >= 'Q' ? std::make_tuple(255, 255, 204) : std::make_tuple(102, 255, 255);
        int left = 999, right = -1, top = 999, bottom = -1;
        for (int y = place.y - 11; y <= place.y + 11; ++y) {
            for (int x = place.x - 11; x <= place.x + 11; ++x) {
                if (x < 0 || y < 0 || x >= 190 || y >= 274)
                    continue;
                auto [r, g, b] = pixel(x, y);
                if (std::make_tuple(int(r), int(g), int(b)) != colour)
                    continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        ASSERT_LE(left, right) << place.letter << " is not painted";
        EXPECT_LE(std::abs(left + right - 2 * place.x), 2) << place.letter;
        EXPECT_LE(std::abs(top + bottom - 2 * place.y), 2) << place.letter;
        EXPECT_GE(right - left, 7) << place.letter; // a letter, not a stray pixel
    }
}

} // namespace
