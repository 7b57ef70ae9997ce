// One layer of maze cells: a code per cell, indexed [column][row].
#pragma once

#include <cstdint>

constexpr int kMaxCells = 100;  // the largest maze is 100 x 100 cells

struct CellLayer {
  std::int32_t cells[kMaxCells][kMaxCells] = {};
  std::int32_t width = 0;   // columns in use
  std::int32_t height = 0;  // rows in use
};
