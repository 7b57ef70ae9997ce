#include "level_source.h"

#include <cstdlib>
#include <sstream>

namespace levelc {

namespace {

std::string Trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
  return std::string(s.substr(b, e - b));
}

bool ParseInt(const std::string& s, int& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  if (*end != '\0' || v < -1000000 || v > 1000000) return false;
  out = static_cast<int>(v);
  return true;
}

bool ParseNumber(const std::string& s, double& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return *end == '\0' && out >= 0 && out < 1.0e6;
}

}  // namespace

bool IsKnownChar(char c) {
  switch (c) {
    case kWall: case kBossWall: case kCoin: case kPellet: case kFloor: case kPlayer:
    case kPartner: case kGhost: case kBoss: case kNoPlayer: case kHouseDoor:
      return true;
    default:
      return IsDoorChar(c) || IsArrowChar(c);
  }
}

const DoorSpec* LevelSource::Door(char label) const {
  for (const DoorSpec& d : doors)
    if (d.label == label) return &d;
  return nullptr;
}

std::string LevelSource::Label() const {
  return name + (finalScene ? " (closing scene)" : " (level " + std::to_string(number) + ")");
}

std::optional<LevelSource> ParseLevelSource(std::string_view text, const std::string& name,
                                            std::vector<std::string>& errors) {
  LevelSource src;
  src.name = name;
  const std::size_t errorsBefore = errors.size();
  auto fail = [&](int line, const std::string& why) {
    errors.push_back(name + ":" + std::to_string(line) + ": " + why);
  };

  bool haveKind = false, inMap = false;
  int lineNo = 0;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string_view::npos) nl = text.size();
    std::string_view raw = text.substr(pos, nl - pos);
    pos = nl + 1;
    ++lineNo;
    if (inMap) {
      std::string row = Trim(raw);
      if (row.empty() && pos > text.size()) break;
      if (row.empty()) continue;  // blank lines inside the map are allowed
      for (std::size_t i = 0; i < row.size(); ++i) {
        if (!IsKnownChar(row[i])) {
          fail(lineNo, "unknown map character '" + std::string(1, row[i]) + "' at column " +
                           std::to_string(i + 1));
        }
      }
      if (!src.rows.empty() && row.size() != src.rows.front().size()) {
        fail(lineNo, "map row has " + std::to_string(row.size()) + " cells, the first row has " +
                         std::to_string(src.rows.front().size()));
      }
      src.rows.push_back(row);
      continue;
    }
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') {
      if (pos > text.size()) break;
      continue;
    }
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string s; words >> s;) w.push_back(s);
    if (w[0] == "level") {
      if (w.size() != 2 || !ParseInt(w[1], src.number) || src.number < 1 || src.number > 999) {
        fail(lineNo, "expected 'level N' with N from 1 to 999");
      }
      haveKind = true;
    } else if (w[0] == "scene") {
      if (w.size() != 2 || w[1] != "final") fail(lineNo, "the only scene is 'scene final'");
      src.finalScene = true;
      haveKind = true;
    } else if (w[0] == "door") {
      DoorSpec d;
      d.line = lineNo;
      if (w.size() < 3 || w[1].size() != 1 || !IsDoorChar(w[1][0])) {
        fail(lineNo, "expected 'door DIGIT KIND ...'");
        continue;
      }
      d.label = w[1][0];
      std::size_t next = 3;
      if (w[2] == "portal") {
        d.kind = DoorSpec::Kind::Portal;
        if (w.size() < 5 || !ParseInt(w[3], d.coins) || !ParseInt(w[4], d.target) || d.coins < 1 ||
            d.coins >= 1000 || d.target < 1) {
          fail(lineNo, "expected 'door D portal COINS LEVEL' with 1 <= COINS < 1000");
        }
        next = 5;
      } else if (w[2] == "coins") {
        d.kind = DoorSpec::Kind::Coins;
        if (w.size() < 4 || !ParseInt(w[3], d.coins) || d.coins < 1 || d.coins >= 1000) {
          fail(lineNo, "expected 'door D coins COINS' with 1 <= COINS < 1000");
        }
        next = 4;
      } else if (w[2] == "timed") {
        d.kind = DoorSpec::Kind::Timed;
        if (w.size() < 4 || !ParseNumber(w[3], d.period) || d.period < 0.5) {
          fail(lineNo, "expected 'door D timed PERIOD' with PERIOD of at least 0.5");
        }
        next = 4;
      } else if (w[2] == "locked") {
        d.kind = DoorSpec::Kind::Locked;
      } else {
        fail(lineNo, "unknown door kind '" + w[2] + "' (portal, coins, timed or locked)");
        continue;
      }
      if (next < w.size()) {
        if (w[next] == "swing" && next + 2 == w.size() &&
            (w[next + 1] == "north" || w[next + 1] == "south" || w[next + 1] == "west" ||
             w[next + 1] == "east")) {
          d.swing = w[next + 1][0] == 'n' ? 'n' : w[next + 1][0] == 's' ? 's' : w[next + 1][0];
        } else {
          fail(lineNo, "unexpected words after the door (only 'swing north|south|west|east')");
        }
      }
      if (src.Door(d.label) != nullptr) fail(lineNo, "door " + std::string(1, d.label) + " described twice");
      src.doors.push_back(d);
    } else if (w[0] == "map") {
      if (w.size() != 1) fail(lineNo, "'map' stands alone on its line");
      inMap = true;
    } else {
      fail(lineNo, "unknown header line '" + w[0] + "'");
    }
    if (pos > text.size()) break;
  }
  if (!haveKind) fail(1, "missing 'level N' or 'scene final'");
  if (!inMap || src.rows.empty()) fail(lineNo, "missing map");
  if (errors.size() != errorsBefore) return std::nullopt;
  src.height = static_cast<int>(src.rows.size());
  src.width = static_cast<int>(src.rows.front().size());
  if (src.width < 3 || src.height < 3 || src.width > 100 || src.height > 100) {
    fail(lineNo, "the map must be 3 to 100 cells wide and high, not " + std::to_string(src.width) +
                     " x " + std::to_string(src.height));
    return std::nullopt;
  }
  return src;
}

}  // namespace levelc
