#include "render/visibility_grid.h"

#include <algorithm>

#include "platform/gl.h"

void VisibilityGrid::SetSize(int newWidth, int newHeight) {
  width = std::clamp(newWidth, 0, kVisibilityMaxCells);
  height = std::clamp(newHeight, 0, kVisibilityMaxCells);
}

void VisibilityGrid::Update() {
  if (!enabled) return;
  float m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  float r[4][4];
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 4; ++k) r[i][k] = m[k * 4 + i];
  for (int k = 0; k < 4; ++k) {
    planes[0][k] = r[3][k] + r[0][k];
    planes[1][k] = r[3][k] - r[0][k];
    planes[2][k] = r[3][k] - r[1][k];
    planes[3][k] = r[3][k] + r[1][k];
    planes[4][k] = r[3][k] + r[2][k];
    planes[5][k] = r[3][k] - r[2][k];
  }
  for (int z = 0; z < height; ++z) {
    for (int x = 0; x < width; ++x) {
      const float px = x + 0.5f;
      const float pz = z + 0.5f;
      bool inside = true;
      for (const auto& p : planes) {
        if (p[0] * px + p[2] * pz + p[3] < kMargin) {  // the cell centre lies on the floor, y = 0
          inside = false;
          break;
        }
      }
      visible[x * kVisibilityMaxCells + z] = inside ? 1 : 0;
    }
  }
}

bool VisibilityGrid::IsCellVisible(int x, int z) const {
  if (!enabled) return true;
  if (x < 0 || z < 0 || x >= kVisibilityMaxCells || z >= kVisibilityMaxCells) return false;
  return visible[x * kVisibilityMaxCells + z] != 0;
}
