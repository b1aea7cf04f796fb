// Drawing JPEG entries of an archive (CReadPGR::DrawImage): Windows only.
#pragma once

#include "pgr/DisplayInfo.h"

// The current display mode, as DrawImage converts and centres for it.
DisplayInfo CurrentDisplayInfo();
