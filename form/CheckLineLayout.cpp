#include "form/CheckLineLayout.h"

#include <algorithm>

namespace {

int TextWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    return size.cx;
}

// How many characters of `text` fit in `width` pixels.
size_t Fitting(HDC dc, const std::string& text, int width) {
    INT fit = 0;
    SIZE size{};
    if (width <= 0 ||
        !GetTextExtentExPointA(dc, text.c_str(), int(text.size()), width, &fit, nullptr, &size))
        return 0;
    return size_t(fit);
}

// Where a line that may hold `fit` characters of `text` ends: after the last word that fits,
// else after the last backslash, else where the room ends (one character at least).
size_t LineEnd(const std::string& text, size_t fit) {
    if (fit < text.size() && text[fit] == ' ')
        return fit;
    const size_t space = fit == 0 ? std::string::npos : text.rfind(' ', fit - 1);
    if (space != std::string::npos && space > 0)
        return space;
    const size_t slash = fit == 0 ? std::string::npos : text.rfind('\\', fit - 1);
    if (slash != std::string::npos && slash + 1 < fit)
        return slash + 1;
    return std::max<size_t>(fit, 1);
}

} // namespace

CheckLineLayout LayOutCheckLine(HDC dc, int width, int maxLines, const std::string& text,
                                const std::string& code) {
    CheckLineLayout layout;
    const int codeWidth = TextWidth(dc, code);
    const int besideCode = code.empty() ? width : width - codeWidth - TextWidth(dc, " ");
    layout.codeLeft = std::max(0, width - codeWidth);
    size_t at = 0;
    while (at < text.size()) {
        const std::string rest = text.substr(at);
        if (TextWidth(dc, rest) <= besideCode) {
            layout.lines.push_back(rest);
            break;
        }
        if (int(layout.lines.size()) + 1 >= std::max(1, maxLines)) {
            const std::string cut =
                rest.substr(0, Fitting(dc, rest, besideCode - TextWidth(dc, "...")));
            layout.lines.push_back(cut.substr(0, cut.find_last_not_of(' ') + 1) + "...");
            layout.whole = false;
            break;
        }
        // The rest goes on, one character at least, where the code leaves it no room.
        const size_t end = LineEnd(rest, std::min(Fitting(dc, rest, width), rest.size() - 1));
        layout.lines.push_back(rest.substr(0, end));
        at += end;
        while (at < text.size() && text[at] == ' ')
            ++at;
    }
    return layout;
}
