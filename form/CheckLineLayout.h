// How the check line's words are laid out over the lines it has: wrapped between words (or
// after a backslash, where a long path has no space), the last line keeping room at its end
// for the set's code and cut with "..." only where the rest does not fit.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct CheckLineLayout {
    std::vector<std::string> lines; // as drawn, the first at the top
    int codeLeft = 0;               // where the code starts on the last line
    bool whole = true;              // every word of the text is drawn
};

// `text` in the font selected into `dc`, in `width` pixels and at most `maxLines` lines.
CheckLineLayout LayOutCheckLine(HDC dc, int width, int maxLines, const std::string& text,
                                const std::string& code);
