// Which maze cells lie inside the view volume, so that the maze and the
// ghosts outside it are not drawn.
#pragma once

#include <cstdint>

constexpr int kVisibilityMaxCells = 100;

class VisibilityGrid {
 public:
  VisibilityGrid() = default;
  virtual ~VisibilityGrid() = default;

  // The level's size; larger sizes are held to the grid's 100 x 100 cells.
  void SetSize(int newWidth, int newHeight);
  // Recomputes the marks from the current projection matrix (camera applied).
  void Update();
  // True when culling is off; otherwise the mark of the cell. Cells outside
  // the grid are not visible.
  bool IsCellVisible(int x, int z) const;
  bool IsEnabled() const { return enabled; }
  void ToggleEnabled() { enabled = !enabled; }

  // left, right, top, bottom, near, far: (a, b, c, d), not normalised.
  float planes[6][4] = {};
  std::uint8_t visible[kVisibilityMaxCells * kVisibilityMaxCells] = {};  // x * 100 + z
  bool enabled = false;
  int width = 0;
  int height = 0;

  // How far, in plane units, a cell centre may lie outside a plane and still
  // count as visible: a wall or ghost on a cell just off screen still shows.
  static constexpr float kMargin = -4.0f;
};
