#include "platform/glyph_outline_finish.h"

#include <algorithm>

namespace platform {

void FinishOutline(GlyphOutline& out) {
  bool any = false;
  for (auto& contour : out.contours) {
    if (contour.size() > 1 && contour.front().x == contour.back().x && contour.front().y == contour.back().y) {
      contour.pop_back();
    }
    for (const OutlinePoint& p : contour) {
      if (!any) {
        out.minX = out.maxX = p.x;
        out.minY = out.maxY = p.y;
        any = true;
      }
      out.minX = std::min(out.minX, p.x);
      out.maxX = std::max(out.maxX, p.x);
      out.minY = std::min(out.minY, p.y);
      out.maxY = std::max(out.maxY, p.y);
    }
  }
  std::erase_if(out.contours, [](const std::vector<OutlinePoint>& c) { return c.size() < 3; });
}

}  // namespace platform
