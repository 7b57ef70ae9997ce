// Feeds arbitrary bytes to the level reader. The first byte picks the format
// (odd: the closing scene's file); the rest is the wall text, then a NUL byte,
// then the object text. Whatever the bytes, a level that is accepted must be
// sound: every code and item inside its declared grid.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "world/level_files.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckSound(const ParsedLevel& level) {
  const int w = level.walls.width, h = level.walls.height;
  Check(w >= 1 && w <= kMaxCells && h >= 1 && h <= kMaxCells);
  Check(level.objects.width == w && level.objects.height == h);
  Check(static_cast<int>(level.doorEntries.size()) == level.doorCount);
  Check(level.doorEntriesFound >= 0 && level.doorEntriesFound <= level.doorCount);
  int doors = 0, coins = 0, pellets = 0;
  for (const LevelItemPlacement& item : level.items) {
    Check(item.x >= 0 && item.x < w && item.y >= 0 && item.y < h);
    switch (item.kind) {
      case LevelItemPlacement::Kind::Door: {
        Check(item.code >= 28 && item.code <= 35);
        const bool east = item.code % 4 < 2;
        const int px = east ? item.x + 1 : item.x, py = east ? item.y : item.y + 1;
        Check(px < w && py < h);
        Check(level.walls.cells[item.x][item.y] == 3000 + doors);
        // A later door may take over the second cell (as the game's own files allow).
        Check(level.walls.cells[px][py] >= 3000 + doors && level.walls.cells[px][py] < 3000 + level.doorCount);
        ++doors;
        break;
      }
      case LevelItemPlacement::Kind::FloorArrow:
        Check(item.code >= 22 && item.code <= 25);
        break;
      case LevelItemPlacement::Kind::Coin:
        Check(level.objects.cells[item.x][item.y] == 1000 + coins++);
        break;
      case LevelItemPlacement::Kind::LargePellet:
        Check(level.objects.cells[item.x][item.y] == 2000 + pellets++);
        break;
    }
  }
  Check(doors == level.doorCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool final = (data[0] & 1) != 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = rest.find('\0');
  const std::string_view walls = rest.substr(0, split);
  const std::string_view objects = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
  LevelFileError error;
  const auto level = final ? ParseFinalText(walls, "final.txt", error)
                           : ParseLevelTexts(walls, "walls.txt", objects, "objects.txt", error);
  if (level != nullptr) {
    CheckSound(*level);
  } else {
    Check(!error.reason.empty() && !error.file.empty());
    Check(error.Describe().find('\n') == std::string::npos);
  }
  return 0;
}
