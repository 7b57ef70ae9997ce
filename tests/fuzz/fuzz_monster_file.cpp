// Monster files of any content over mazes of any size up to the largest: the
// reader must stay inside the level's cells and never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "actors/ghost_monster_file.h"
#include "actors/maze_grid.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int width = data[0] % (MazeGrid::kMaxSize + 1);
  const int height = data[1] % (MazeGrid::kMaxSize + 1);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  constexpr int kUntouched = -123456789;
  static MazeGrid grid;
  for (auto& column : grid.cells) column.fill(kUntouched);
  grid.SetSize(width, height);
  const MonsterFileResult r = ReadMonsterText(text, width, height, grid);

  if (r.cellsRead < 0 || r.cellsRead > width * height) __builtin_trap();
  if (r.cellsRead < width * height && r.error.empty()) __builtin_trap();
  if (r.homeFound && (r.homeX < 0 || r.homeX >= width || r.homeY < 0 || r.homeY >= height)) __builtin_trap();
  for (int x = 0; x < MazeGrid::kMaxSize; ++x) {
    for (int y = 0; y < MazeGrid::kMaxSize; ++y) {
      // Cells beyond the level's size are never written.
      if (x < width && y < height) continue;
      if (grid.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] != kUntouched) __builtin_trap();
    }
  }
  return 0;
}
