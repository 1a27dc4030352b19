#include "framework/ColourContrast.h"

#include <algorithm>
#include <cmath>

namespace {

// The relative luminance of a colour.
double Luminance(COLORREF colour) {
    auto channel = [](BYTE value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) +
           0.0722 * channel(GetBValue(colour));
}

} // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
