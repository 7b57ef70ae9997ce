#include "level_check.h"

#include <deque>

namespace levelc {

namespace {

constexpr int kDx[4] = {0, 1, 0, -1};
constexpr int kDy[4] = {-1, 0, 1, 0};

std::string Cell(const LevelSource& s, int x, int y) {
  return s.Label() + ": cell (" + std::to_string(x) + ", " + std::to_string(y) + "): ";
}

int ArrowDir(char c) { return c == '^' ? 0 : c == '>' ? 1 : c == 'v' ? 2 : c == '<' ? 3 : -1; }

bool PlayerFloor(char c) { return !IsWallChar(c) && c != kNoPlayer && c != kHouseDoor && !IsDoorChar(c); }

bool DoorOpens(const DoorSpec* d) { return d != nullptr && d->kind == DoorSpec::Kind::Timed; }

}  // namespace

PlayerReach ReachFromStart(const LevelSource& s, int sx, int sy) {
  PlayerReach r;
  const auto idx = [&](int x, int y) { return static_cast<std::size_t>(y * s.width + x); };
  std::vector<bool> open(10, false);
  for (const DoorSpec& d : s.doors) open[static_cast<std::size_t>(d.label - '0')] = DoorOpens(&d);
  for (;;) {
    r.reached.assign(static_cast<std::size_t>(s.width * s.height), false);
    r.coins = 0;
    std::deque<std::pair<int, int>> todo{{sx, sy}};
    r.reached[idx(sx, sy)] = true;
    while (!todo.empty()) {
      auto [x, y] = todo.front();
      todo.pop_front();
      if (s.At(x, y) == kCoin) ++r.coins;
      const int forced = ArrowDir(s.At(x, y));
      for (int dir = 0; dir < 4; ++dir) {
        if (forced >= 0 && dir != forced) continue;  // an arrow allows no turning
        const int nx = x + kDx[dir], ny = y + kDy[dir];
        if (!s.Inside(nx, ny) || r.reached[idx(nx, ny)]) continue;
        const char c = s.At(nx, ny);
        const bool pass = PlayerFloor(c) || (IsDoorChar(c) && open[static_cast<std::size_t>(c - '0')]);
        if (!pass) continue;
        r.reached[idx(nx, ny)] = true;
        todo.emplace_back(nx, ny);
      }
    }
    bool more = false;
    for (const DoorSpec& d : s.doors) {
      auto o = open[static_cast<std::size_t>(d.label - '0')];
      if (!o && d.kind == DoorSpec::Kind::Coins && d.coins <= r.coins) o = more = true;
    }
    if (!more) return r;
  }
}

std::vector<bool> GhostReach(const LevelSource& s, int sx, int sy, bool houseDoorOpen) {
  std::vector<bool> seen(static_cast<std::size_t>(s.width * s.height), false);
  std::deque<std::pair<int, int>> todo{{sx, sy}};
  seen[static_cast<std::size_t>(sy * s.width + sx)] = true;
  while (!todo.empty()) {
    auto [x, y] = todo.front();
    todo.pop_front();
    for (int dir = 0; dir < 4; ++dir) {
      const int nx = x + kDx[dir], ny = y + kDy[dir];
      if (!s.Inside(nx, ny)) continue;
      const char c = s.At(nx, ny);
      auto&& mark = seen[static_cast<std::size_t>(ny * s.width + nx)];
      if (mark || IsWallChar(c) || (c == kHouseDoor && !houseDoorOpen)) continue;
      mark = true;
      todo.emplace_back(nx, ny);
    }
  }
  return seen;
}

bool CheckArrows(const LevelSource& s, std::vector<std::string>& errors) {
  bool ok = true;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      if (!IsArrowChar(s.At(x, y))) continue;
      // Follow the chain; a player on an arrow cannot turn, so the chain must
      // end on plain floor that is not behind a door.
      int cx = x, cy = y, steps = 0;
      while (IsArrowChar(s.At(cx, cy))) {
        const int dir = ArrowDir(s.At(cx, cy));
        const int nx = cx + kDx[dir], ny = cy + kDy[dir];
        if (!s.Inside(nx, ny) || !PlayerFloor(s.At(nx, ny))) {
          errors.push_back(Cell(s, cx, cy) + "the arrow points into a wall, a door or out of the map, "
                                             "where the player would be stuck");
          ok = false;
          break;
        }
        cx = nx;
        cy = ny;
        if (++steps > s.width * s.height) {
          errors.push_back(Cell(s, x, y) + "the arrows run in a circle: the player could never leave them");
          ok = false;
          break;
        }
      }
      if (!ok) return false;
    }
  }
  return ok;
}

bool CheckReach(const LevelSource& s, std::vector<std::string>& errors) {
  int px = -1, py = -1;
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      if (s.At(x, y) == kPlayer) px = x, py = y;
  if (px < 0) return false;  // reported by the compiler
  const PlayerReach r = ReachFromStart(s, px, py);
  bool ok = true;
  int unreached = 0;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const char c = s.At(x, y);
      if (!PlayerFloor(c) || c == kGhost || r.reached[static_cast<std::size_t>(y * s.width + x)]) continue;
      if (unreached++ < 3) {
        errors.push_back(Cell(s, x, y) + (c == kCoin ? "this coin" : "this floor cell") +
                         " cannot be reached from the player's start");
      }
      ok = false;
    }
  }
  for (const DoorSpec& d : s.doors) {
    if (d.kind != DoorSpec::Kind::Portal) continue;
    bool touched = false;
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) {
        if (s.At(x, y) != d.label) continue;
        for (int dir = 0; dir < 4; ++dir) {
          const int nx = x + kDx[dir], ny = y + kDy[dir];
          if (s.Inside(nx, ny) && r.reached[static_cast<std::size_t>(ny * s.width + nx)]) touched = true;
        }
      }
    }
    if (!touched) {
      errors.push_back(s.Label() + ": portal door " + std::string(1, d.label) + " cannot be reached");
      ok = false;
    } else if (d.coins > r.coins) {
      errors.push_back(s.Label() + ": portal door " + std::string(1, d.label) + " needs " +
                       std::to_string(d.coins) + " coins but only " + std::to_string(r.coins) +
                       " can be eaten");
      ok = false;
    }
  }
  return ok;
}

}  // namespace levelc
