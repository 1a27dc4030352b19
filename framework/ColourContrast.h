// The contrast of two colours as the web's accessibility guidelines work it out, from 1 (the
// same) to 21 (black on white); text needs 4.5 to stand out.
#pragma once

#include <windows.h>

double ContrastRatio(COLORREF a, COLORREF b);
