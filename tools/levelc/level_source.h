// The editable form of a level: a character map with a short header. The
// compiler reads this and writes the game's own number files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace levelc {

// How a door behaves, as its header line asks.
struct DoorSpec {
  enum class Kind { Portal, Coins, Timed, Locked };
  char label = 0;
  Kind kind = Kind::Locked;
  int coins = 0;        // Portal, Coins: coins to eat before it opens
  int target = -1;      // Portal: the level it leads to
  double period = 0;    // Timed: in hundreds of frame ticks
  char swing = 0;       // 'n', 's', 'w', 'e', or 0 for the default
  int line = 0;
};

struct LevelSource {
  std::string name;     // for messages: the file name
  bool finalScene = false;
  int number = 0;       // the level's number (0 for the closing scene)
  int width = 0;
  int height = 0;
  std::vector<std::string> rows;  // rows[y][x]
  std::vector<DoorSpec> doors;

  char At(int x, int y) const { return rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  const DoorSpec* Door(char label) const;
  // "FILE (level N)" or "FILE (closing scene)", the start of every message.
  std::string Label() const;
};

// Cell characters of the map.
constexpr char kWall = '#';
constexpr char kBossWall = '%';   // a wall the boss walks through
constexpr char kCoin = '.';
constexpr char kPellet = 'o';
constexpr char kFloor = '_';
constexpr char kPlayer = 'P';
constexpr char kPartner = 'Q';
constexpr char kGhost = 'G';
constexpr char kBoss = 'B';
constexpr char kNoPlayer = 'x';   // ghosts only
constexpr char kHouseDoor = '=';

inline bool IsWallChar(char c) { return c == kWall || c == kBossWall; }
inline bool IsDoorChar(char c) { return c >= '1' && c <= '9'; }
inline bool IsArrowChar(char c) { return c == '^' || c == '>' || c == 'v' || c == '<'; }
bool IsKnownChar(char c);

// Parses a source text. On failure returns nothing and appends messages to
// errors ("NAME:LINE: why").
std::optional<LevelSource> ParseLevelSource(std::string_view text, const std::string& name,
                                            std::vector<std::string>& errors);

}  // namespace levelc
