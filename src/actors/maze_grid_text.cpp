#include "actors/maze_grid_text.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Splits at whitespace; offsets are kept for the messages.
struct Token {
  std::string_view text;
  std::size_t offset;
};

std::vector<Token> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    const std::size_t begin = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (i > begin) tokens.push_back({text.substr(begin, i - begin), begin});
  }
  return tokens;
}

std::string Describe(const Token& token) {
  std::string shown(token.text.substr(0, 20));
  if (token.text.size() > 20) shown += "...";
  char where[64];
  std::snprintf(where, sizeof where, " at byte %zu", token.offset);
  return "\"" + shown + "\"" + where;
}

}  // namespace

bool ParseGridInteger(std::string_view token, int& value) {
  // Longer than any 32-bit number can be written, even with leading zeros we would
  // rather not accept without end.
  if (token.empty() || token.size() > 40) return false;
  const std::string copy(token);
  errno = 0;
  char* end = nullptr;
  const long long parsed = std::strtoll(copy.c_str(), &end, 0);
  if (end != copy.c_str() + copy.size() || errno == ERANGE) return false;
  // strtoll also skips leading whitespace, which a token never has.
  if (parsed < std::numeric_limits<std::int32_t>::min() || parsed > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  value = static_cast<int>(parsed);
  return true;
}

bool ParseMazeGridText(std::string_view text, MazeGrid& grid, std::string& error) {
  const std::vector<Token> tokens = Tokens(text);
  if (tokens.size() < 2) {
    error = "the grid does not start with its width and height";
    return false;
  }
  int values[2];
  for (int i = 0; i < 2; ++i) {
    if (!ParseGridInteger(tokens[static_cast<std::size_t>(i)].text, values[i])) {
      error = "not an integer: " + Describe(tokens[static_cast<std::size_t>(i)]);
      return false;
    }
  }
  const int width = values[0];
  const int height = values[1];
  if (width < 1 || width > MazeGrid::kMaxSize || height < 1 || height > MazeGrid::kMaxSize) {
    char message[128];
    std::snprintf(message, sizeof message, "size %d x %d outside 1..%d", width, height, MazeGrid::kMaxSize);
    error = message;
    return false;
  }
  const std::size_t cellCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (tokens.size() - 2 != cellCount) {
    char message[160];
    std::snprintf(message, sizeof message, "a %d x %d grid needs %zu cell codes, found %zu", width, height,
                  cellCount, tokens.size() - 2);
    error = message;
    return false;
  }
  MazeGrid filled = grid;
  filled.SetSize(width, height);
  std::size_t next = 2;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int code = 0;
      if (!ParseGridInteger(tokens[next].text, code)) {
        char cell[64];
        std::snprintf(cell, sizeof cell, "cell (%d, %d) is not an integer: ", x, y);
        error = cell + Describe(tokens[next]);
        return false;
      }
      filled.SetCell(x, y, code);
      ++next;
    }
  }
  grid = filled;
  return true;
}
