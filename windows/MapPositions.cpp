#include "windows/MapPositions.h"

CMapPositions theMapPositions;
