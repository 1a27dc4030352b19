// The two pictures of the side windows, drawn from code alone so that they can be made again
// byte for byte: the map of start positions and the about window's banner.
#pragma once

#include <cstdint>
#include <vector>

// 190 by 274 pixels, 32 bits per pixel, bottom-up, as a .bmp file: a black star field with the
// letters "Q".."Z" in pale yellow and "G".."P" in cyan, each centred on its start position.
std::vector<uint8_t> MakeMapBitmap();
// 130 by 44 pixels, 8 bits per pixel with a 256-entry colour table, bottom-up, as a .bmp file.
std::vector<uint8_t> MakeBannerBitmap();

struct LetterPlace {
    char letter;
    int x, y; // the centre, in pixels from the top-left corner
};
constexpr int kMapLetterCount = 20;
extern const LetterPlace kMapLetters[kMapLetterCount];
