#include "wall_pieces.h"

namespace levelc {

namespace {

constexpr int kDx[4] = {0, 1, 0, -1};
constexpr int kDy[4] = {-1, 0, 1, 0};
constexpr int kBit[4] = {kJoinN, kJoinE, kJoinS, kJoinW};
constexpr const char* kName[4] = {"north", "east", "south", "west"};

// Outside the map counts as solid rock: the outer walls need no back face.
bool Solid(const LevelSource& s, int x, int y) { return !s.Inside(x, y) || IsWallChar(s.At(x, y)); }

bool Open(const LevelSource& s, int x, int y) { return !Solid(s, x, y); }

// Two neighbouring wall cells share a wall line only where open floor runs
// along it on one side; inside thick walls they stay apart.
bool WallsJoin(const LevelSource& s, int x, int y, int dir) {
  const int nx = x + kDx[dir], ny = y + kDy[dir];
  if (dir == 1 || dir == 3) {
    return Open(s, x, y - 1) || Open(s, nx, ny - 1) || Open(s, x, y + 1) || Open(s, nx, ny + 1);
  }
  return Open(s, x - 1, y) || Open(s, x - 1, ny) || Open(s, x + 1, y) || Open(s, x + 1, ny);
}

// A wall meets a door's jamb when the door's two cells run on in the same
// direction as the step from the wall into the door.
bool MeetsDoor(const LevelSource& s, int x, int y, int dir) {
  const int nx = x + kDx[dir], ny = y + kDy[dir];
  if (!s.Inside(nx, ny) || !IsDoorChar(s.At(nx, ny))) return false;
  const int fx = nx + kDx[dir], fy = ny + kDy[dir];
  return s.Inside(fx, fy) && s.At(fx, fy) == s.At(nx, ny);
}

bool IsHouseGate(const LevelSource& s, int x, int y) {
  return s.Inside(x, y) && (s.At(x, y) == kNoPlayer || s.At(x, y) == kHouseDoor);
}

bool BordersOpen(const LevelSource& s, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if ((dx != 0 || dy != 0) && s.Inside(x + dx, y + dy) && !IsWallChar(s.At(x + dx, y + dy)))
        return true;
  return false;
}

}  // namespace

int PieceForJoins(int joins, int hookTurn) {
  switch (joins) {
    case kJoinS | kJoinE: return 4;
    case kJoinW | kJoinS: return 5;
    case kJoinE | kJoinN: return 6;
    case kJoinN | kJoinW: return 7;
    case kJoinW | kJoinE: return 20;
    case kJoinN | kJoinS: return 21;
    case kJoinS: return hookTurn == kJoinE ? 8 : hookTurn == kJoinW ? 13 : 16;
    case kJoinN: return hookTurn == kJoinW ? 11 : hookTurn == kJoinE ? 14 : 17;
    case kJoinE: return 18;
    case kJoinW: return 19;
    default: return 0;
  }
}

int JoinsOfPiece(int code) {
  switch (code) {
    case 4: return kJoinS | kJoinE;
    case 5: return kJoinW | kJoinS;
    case 6: return kJoinE | kJoinN;
    case 7: return kJoinN | kJoinW;
    case 20: return kJoinW | kJoinE;
    case 21: return kJoinN | kJoinS;
    case 8: case 13: case 16: return kJoinS;
    case 11: case 14: case 17: return kJoinN;
    case 18: return kJoinE;
    case 19: return kJoinW;
    default: return 0;
  }
}

bool ChooseWallPieces(const LevelSource& s, std::vector<int>& codes, std::vector<std::string>& errors) {
  codes.assign(static_cast<std::size_t>(s.width * s.height), 0);
  bool ok = true;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      if (!IsWallChar(s.At(x, y))) continue;
      int& code = codes[static_cast<std::size_t>(y * s.width + x)];
      if (!BordersOpen(s, x, y)) {
        code = 9;  // buried inside a thick wall: solid, nothing to draw
        continue;
      }
      int joins = 0, arms = 0;
      std::string armNames;
      for (int dir = 0; dir < 4; ++dir) {
        const int nx = x + kDx[dir], ny = y + kDy[dir];
        const bool join = s.Inside(nx, ny) && IsWallChar(s.At(nx, ny)) ? WallsJoin(s, x, y, dir)
                                                                       : MeetsDoor(s, x, y, dir);
        if (!join) continue;
        joins |= kBit[dir];
        armNames += (arms++ == 0 ? "" : ", ") + std::string(kName[dir]);
      }
      const std::string where = s.Label() + ": cell (" + std::to_string(x) + ", " + std::to_string(y) + "): ";
      if (arms == 0) {
        errors.push_back(where + "a lone wall cell with no wall beside it cannot be drawn; "
                                 "make it part of a wall line or a block of at least 2 x 2");
        ok = false;
        continue;
      }
      if (arms > 2) {
        errors.push_back(where + "walls meet here from " + armNames +
                         ": no wall piece draws a junction; leave a gap or make the wall it meets two cells thick");
        ok = false;
        continue;
      }
      int hook = 0;
      if (joins == kJoinN || joins == kJoinS) {
        const bool east = IsHouseGate(s, x + 1, y), west = IsHouseGate(s, x - 1, y);
        if (east != west) hook = east ? kJoinE : kJoinW;
      }
      code = PieceForJoins(joins, hook);
    }
  }
  return ok;
}

}  // namespace levelc
