#include "actors/ghost_monster_file.h"

#include <cstdio>

#include "actors/ghost.h"
#include "actors/maze_grid.h"
#include "actors/maze_grid_text.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Hands out the text's whitespace-separated tokens one by one.
class TokenReader {
 public:
  explicit TokenReader(std::string_view text) : text_(text) {}
  bool Next(std::string_view& token) {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    const std::size_t begin = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_])) ++pos_;
    token = text_.substr(begin, pos_ - begin);
    return !token.empty();
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::string Shown(std::string_view token) {
  std::string shown(token.substr(0, 20));
  if (token.size() > 20) shown += "...";
  return "\"" + shown + "\"";
}

}  // namespace

std::string MonsterFileName(int levelNumber) {
  char name[64];
  std::snprintf(name, sizeof name, kMonsterFilePattern, levelNumber);
  return name;
}

MonsterFileResult ReadMonsterText(std::string_view text, int width, int height, MazeGrid& grid) {
  MonsterFileResult result;
  TokenReader reader(text);
  std::string_view token;
  bool damaged = false;

  // The file's own width and height are not used, but they must be there.
  for (int i = 0; i < 2 && !damaged; ++i) {
    int ignored = 0;
    if (!reader.Next(token)) {
      result.error = "the file does not start with a width and a height";
      damaged = true;
    } else if (!ParseGridInteger(token, ignored)) {
      result.error = "the size is not an integer: " + Shown(token);
      damaged = true;
    }
  }

  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int code = 0;
      if (!damaged) {
        if (!reader.Next(token)) {
          char message[128];
          std::snprintf(message, sizeof message, "the file ends after %d of the level's %d x %d cells",
                        result.cellsRead, width, height);
          result.error = message;
          damaged = true;
        } else if (!ParseGridInteger(token, code)) {
          char message[96];
          std::snprintf(message, sizeof message, "cell (%d, %d) is not an integer: ", x, y);
          result.error = message + Shown(token);
          damaged = true;
        }
      }
      if (damaged) {
        // Whatever the earlier level left in the grid means nothing here.
        grid.SetCell(x, y, 0);
        continue;
      }
      grid.SetCell(x, y, code);
      ++result.cellsRead;
      if (code == kGhostHomeCode) {
        result.homeFound = true;
        result.homeX = x;
        result.homeY = y;
      }
    }
  }
  return result;
}
