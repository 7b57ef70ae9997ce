#include "level_compile.h"

#include <cstdio>

#include "level_check.h"
#include "wall_pieces.h"

namespace levelc {

namespace {

std::string Cell(const LevelSource& s, int x, int y) {
  return s.Label() + ": cell (" + std::to_string(x) + ", " + std::to_string(y) + "): ";
}

// Door tokens: 28 + k, where k picks the pair's direction and the side the
// leaves swing to (0 north, 1 south for a pair along a row; 2 west, 3 east for
// a pair down a column).
int DoorToken(const LevelSource& s, const DoorSpec& d, int x, int y, bool alongRow) {
  char swing = d.swing;
  if (alongRow) {
    if (swing == 0) swing = y == s.height - 1 ? 's' : 'n';
    if (swing != 'n' && swing != 's') return -1;
    return swing == 'n' ? 28 : 29;
  }
  if (swing == 0) swing = x == s.width - 1 ? 'e' : 'w';
  if (swing != 'w' && swing != 'e') return -1;
  return swing == 'w' ? 30 : 31;
}

bool Solid(const LevelSource& s, int x, int y) { return !s.Inside(x, y) || IsWallChar(s.At(x, y)); }

}  // namespace

bool CompileLevel(const LevelSource& s, CompiledLevel& out, std::vector<std::string>& errors) {
  const std::size_t errorsBefore = errors.size();
  out = CompiledLevel{};
  out.number = s.number;
  out.finalScene = s.finalScene;
  out.width = s.width;
  out.height = s.height;
  const std::size_t cells = static_cast<std::size_t>(s.width * s.height);
  out.walls.assign(cells, 0);
  out.objects.assign(cells, 0);
  const bool boss = !s.finalScene && s.number >= 100;
  const bool ghostsPlay = !s.finalScene && (s.number <= 50 || s.number >= 100);

  std::vector<int> pieces;
  ChooseWallPieces(s, pieces, errors);

  int players = 0, partners = 0, ghosts = 0, bosses = 0;
  std::vector<bool> doorSeen(10, false);
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * s.width + x);
      const char c = s.At(x, y);
      int& w = out.walls[i];
      switch (c) {
        case kWall: case kBossWall: w = pieces[i]; break;
        case kCoin: out.objects[i] = 1; ++out.coins; break;
        case kPellet: out.objects[i] = 2; ++out.pellets; break;
        case '^': w = 22; break;
        case '>': w = 23; break;
        case 'v': w = 24; break;
        case '<': w = 25; break;
        case kPlayer: w = 37; ++players; break;
        case kPartner: w = 40; ++partners; break;
        case kGhost: w = 36; ++ghosts; break;
        case kNoPlayer: w = 38; break;
        case kHouseDoor: w = 39; break;
        case kBoss: ++bosses; break;
        default: break;
      }
      if (c == kBossWall && !boss) errors.push_back(Cell(s, x, y) + "'%' walls belong to boss levels (100 and above)");
      if (IsDoorChar(c) && !doorSeen[static_cast<std::size_t>(c - '0')]) {
        doorSeen[static_cast<std::size_t>(c - '0')] = true;
        const DoorSpec* doorEntry = s.Door(c);
        const bool alongRow = x + 1 < s.width && s.At(x + 1, y) == c;
        const bool downColumn = y + 1 < s.height && s.At(x, y + 1) == c;
        int count = 0;
        for (int yy = 0; yy < s.height; ++yy)
          for (int xx = 0; xx < s.width; ++xx) count += s.At(xx, yy) == c;
        if (doorEntry == nullptr) {
          errors.push_back(Cell(s, x, y) + "door " + std::string(1, c) + " has no 'door' line in the header");
        } else if (count != 2 || alongRow == downColumn) {
          errors.push_back(Cell(s, x, y) + "door " + std::string(1, c) +
                           " must be exactly two neighbouring cells in a row or a column");
        } else {
          // The door stands in a wall line: the cells beyond its two ends are walls.
          const int bx = alongRow ? x - 1 : x, by = alongRow ? y : y - 1;
          const int ax = alongRow ? x + 2 : x, ay = alongRow ? y : y + 2;
          if (!Solid(s, bx, by) || !Solid(s, ax, ay)) {
            errors.push_back(Cell(s, x, y) + "door " + std::string(1, c) +
                             " must stand between walls, or it could be walked round");
          }
          const int token = DoorToken(s, *doorEntry, x, y, alongRow);
          if (token < 0) {
            errors.push_back(Cell(s, x, y) + "door " + std::string(1, c) + " cannot swing " +
                             (alongRow ? "west or east: it stands in a row" : "north or south: it stands in a column"));
          }
          w = token;
          if (s.finalScene && doorEntry->kind != DoorSpec::Kind::Locked) {
            errors.push_back(s.Label() + ": the closing scene's doors are opened by the scene: make door " +
                             std::string(1, c) + " 'locked'");
          }
          out.doors.push_back(*doorEntry);
        }
      }
    }
  }
  for (const DoorSpec& d : s.doors) {
    if (!doorSeen[static_cast<std::size_t>(d.label - '0')])
      errors.push_back(s.name + ":" + std::to_string(d.line) + ": door " + std::string(1, d.label) + " is not on the map");
  }
  if (players != 1) errors.push_back(s.Label() + ": the map needs exactly one player start 'P', not " + std::to_string(players));
  if (partners > 1) errors.push_back(s.Label() + ": at most one partner start 'Q'");
  if (ghosts > 1) errors.push_back(s.Label() + ": at most one ghost start 'G' (every ghost starts on the last one)");
  if (ghostsPlay && ghosts == 0) errors.push_back(s.Label() + ": ghosts play in this level and need a start cell 'G'");
  if (boss && bosses != 1) errors.push_back(s.Label() + ": a boss level needs exactly one boss start 'B'");
  if (!boss && bosses != 0) errors.push_back(s.Label() + ": 'B' belongs to boss levels (100 and above)");
  if (out.pellets > 7) errors.push_back(s.Label() + ": at most 7 large pellets: each one lights one of seven lamps");
  if (out.pellets > 0 && (boss || s.number == 58)) {
    errors.push_back(s.Label() + ": no large pellets here: this level's lamps use their lights, and eating one would put a lamp out");
  }
  if (s.finalScene) {
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) {
        const char c = s.At(x, y);
        if (c == kCoin || c == kPellet || IsArrowChar(c) || c == kGhost || c == kNoPlayer || c == kHouseDoor)
          errors.push_back(Cell(s, x, y) + "the closing scene has only walls, floor '_', doors and the two starts");
      }
    if (partners != 1) errors.push_back(s.Label() + ": the closing scene needs the partner's start 'Q'");
  }
  if (errors.size() != errorsBefore) return false;

  CheckArrows(s, errors);
  CheckReach(s, errors);

  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      if (s.At(x, y) != kGhost && s.At(x, y) != kBoss) continue;
      // Levels up to 50 never open the ghost-house door, so there the ghosts
      // must get out on their own.
      const bool houseDoorOpens = s.At(x, y) == kGhost && boss;
      const std::vector<bool> g = GhostReach(s, x, y, houseDoorOpens);
      for (int yy = 0; yy < s.height; ++yy)
        for (int xx = 0; xx < s.width; ++xx) {
          const char c = s.At(xx, yy);
          const bool bossBlocked = s.At(x, y) == kBoss && (c == kNoPlayer || c == kHouseDoor || c == kGhost);
          if (c == kCoin && !bossBlocked && !g[static_cast<std::size_t>(yy * s.width + xx)]) {
            errors.push_back(Cell(s, x, y) + (s.At(x, y) == kGhost ? "the ghosts" : "the boss") +
                             " cannot get from here to the coin at (" + std::to_string(xx) + ", " +
                             std::to_string(yy) + ")" +
                             (houseDoorOpens || s.At(x, y) == kBoss ? "" : "; nothing opens '=' in this level, use 'x'"));
            return false;
          }
        }
    }
  }
  if (errors.size() != errorsBefore) return false;

  if (boss) {
    out.monster.assign(cells, 0);
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x) {
        const std::size_t i = static_cast<std::size_t>(y * s.width + x);
        const char c = s.At(x, y);
        int& m = out.monster[i];
        if (c == kWall) m = pieces[i];
        else if (c == kBoss) m = 36;
        // Doors and the ghost house stay shut for the boss: a bonus pellet
        // placed there could never be eaten.
        else if (IsDoorChar(c) || c == kNoPlayer || c == kHouseDoor || c == kGhost) m = 9;
      }
  }
  return true;
}

namespace {

std::string Grid(const CompiledLevel& l, const std::vector<int>& v) {
  std::string text = std::to_string(l.width) + " " + std::to_string(l.height) + "\n";
  for (int y = 0; y < l.height; ++y) {
    for (int x = 0; x < l.width; ++x) {
      text += std::to_string(v[static_cast<std::size_t>(y * l.width + x)]);
      text += x + 1 < l.width ? ' ' : '\n';
    }
  }
  return text;
}

}  // namespace

std::string WallFileText(const CompiledLevel& l) {
  std::string text = Grid(l, l.walls);
  if (l.finalScene) return text;
  // Each entry is its letter alone on a line, the numbers on the next.
  for (const DoorSpec& d : l.doors) {
    char numbers[64];
    switch (d.kind) {
      case DoorSpec::Kind::Portal: std::snprintf(numbers, sizeof numbers, "N\n%d %d\n", d.coins, d.target); break;
      case DoorSpec::Kind::Coins: std::snprintf(numbers, sizeof numbers, "N\n%d -1\n", d.coins); break;
      case DoorSpec::Kind::Timed: std::snprintf(numbers, sizeof numbers, "S\n%g 0\n", d.period); break;
      case DoorSpec::Kind::Locked: std::snprintf(numbers, sizeof numbers, "N\n1000 0\n"); break;
    }
    text += numbers;
  }
  return text;
}

std::string ObjectFileText(const CompiledLevel& l) { return Grid(l, l.objects); }

std::string MonsterFileText(const CompiledLevel& l) { return Grid(l, l.monster); }

}  // namespace levelc
