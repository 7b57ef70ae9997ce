// The last step of reading a glyph's outline, the same for every font backend.
#pragma once

#include "platform/font_face.h"

namespace platform {

// Drops the repeated first point that closes a contour (the seam is implied),
// drops contours of fewer than three points, and sets the ink box.
void FinishOutline(GlyphOutline& out);

}  // namespace platform
