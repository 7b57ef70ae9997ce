#include "support/player_maze.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "world/level.h"
#include "world/world_graphics.h"

namespace test {

namespace {

int WallCode(char c) {
  static const std::string kChars = "#PQGXH^>v<DdE";
  static const int kCodes[] = {4, 37, 40, 36, 38, 39, 22, 23, 24, 25, 28, 28, 30};
  if (const auto at = kChars.find(c); at != std::string::npos) return kCodes[at];
  if (c == ' ' || c == '.' || c == 'o' || c == '=') return 0;
  throw std::invalid_argument(std::string("unknown maze character '") + c + "'");
}

int ObjectCode(char c) { return c == '.' || c == 'd' ? 1 : c == 'o' ? 2 : 0; }

// Short rows are padded with floor.
std::string Grid(const Rows& rows, int (*code)(char)) {
  size_t width = 0;
  for (const std::string& row : rows) width = std::max(width, row.size());
  std::ostringstream out;
  out << width << ' ' << rows.size() << '\n';
  for (const std::string& row : rows) {
    for (size_t x = 0; x < width; ++x) out << (x ? " " : "") << code(x < row.size() ? row[x] : ' ');
    out << '\n';
  }
  return out.str();
}

}  // namespace

std::string MazeWallText(const Rows& rows, const Rows& doorEntries) {
  std::string text = Grid(rows, WallCode);
  // An entry is its letter alone on a line; the numbers follow on the next,
  // the target level 0 when none is given.
  for (const std::string& entry : doorEntries)
    text += entry.substr(0, 1) + "\n" + entry.substr(2) + (entry.find(' ', 2) == std::string::npos ? " 0\n" : "\n");
  return text;
}

LoadedMaze::LoadedMaze(const Rows& rows, int levelNumber, const Rows& doorEntries) : levelNumber_(levelNumber) {
  std::filesystem::create_directories("pantallas");
  const std::string n = std::to_string(levelNumber);
  WriteFile("./pantallas/paredes" + n + ".txt", MazeWallText(rows, doorEntries));
  WriteFile("./pantallas/objetos" + n + ".txt", Grid(rows, ObjectCode));
  worldGraphicsEnabled = false;
  level_ = std::make_unique<Level>(2);
  level_->SetLevelNumber(levelNumber);
  level_->Load();
}

LoadedMaze::~LoadedMaze() = default;

}  // namespace test
