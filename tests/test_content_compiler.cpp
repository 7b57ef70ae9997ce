// The level compiler: wall pieces chosen from their neighbours, doors and the
// ghost house's gate.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "level_compile.h"
#include "level_source.h"

using Rows = std::vector<std::string>;

std::string Source(const std::string& header, const Rows& rows) {
  std::string text = header + "\nmap\n";
  for (const std::string& r : rows) text += r + "\n";
  return text;
}

// A level source compiled as the tool compiles it.
struct Compiled {
  explicit Compiled(const std::string& text, const std::string& name = "test.lvl") {
    std::vector<std::string> messages;
    const auto src = levelc::ParseLevelSource(text, name, messages);
    ok = src && levelc::CompileLevel(*src, level, messages);
    for (const std::string& e : messages) errors += e + "\n";
  }
  int At(int x, int y) const { return level.walls[static_cast<std::size_t>(y * level.width + x)]; }
  bool ok = false;
  levelc::CompiledLevel level;
  std::string errors;  // every message, one a line
};

// Compiles the level and checks the wall codes {x, y, code} chosen for the given cells.
Compiled ExpectPieces(const std::string& text, std::initializer_list<std::array<int, 3>> pieces) {
  Compiled r(text);
  EXPECT_TRUE(r.ok) << r.errors;
  for (const auto& [x, y, code] : pieces) EXPECT_TRUE(!r.ok || r.At(x, y) == code) << "cell " << x << ", " << y << ": " << r.At(x, y);
  return r;
}

// A bonus-level number, so that no ghost house is needed for small maps.
const char* kBonus = "level 60";
const Rows kRoom = {"##########", "#P.......#", "#.######.#", "#.#____#.#", "#.3____#.#",
                    "#.3____#.#", "#.###44#.#", "#........#", "##########"};
const Rows kVault = {"###11####", "#P......#", "#.#22##.#", "#.#...#.#", "#.#####.#", "#.......#", "#########"};
const Rows kHouse = {"#########", "#P......#", "#.##x##.#", "#.#xGx#.#", "#.#####.#", "#.......#", "#########"};

TEST(LevelCompiler, WallPiecesFollowTheirNeighboursDoorsAndTheGhostHouseGate) {
  // Corners (joining south+east, west+south, east+north, north+west) and straights.
  const Compiled corners = ExpectPieces(Source(kBonus, {"#####", "#P..#", "#...#", "#####"}),
                                      {{0, 0, 4}, {4, 0, 5}, {0, 3, 6}, {4, 3, 7}, {2, 0, 20}, {0, 1, 21}, {1, 1, 37}});
  EXPECT_EQ(corners.level.coins, 5);
  // Buried in a 3 x 3 block: no geometry; its face; upright and flat bars with rounded ends.
  ExpectPieces(Source(kBonus, {"#########", "#P......#", "#.###.#.#", "#.###.#.#", "#.###.#.#", "#.......#",
                               "#.##....#", "#.......#", "#########"}),
               {{3, 3, 9}, {2, 3, 21}, {6, 2, 16}, {6, 4, 17}, {2, 6, 18}, {3, 6, 19}});
  ExpectPieces(Source(kBonus, {"######", "#P>>.#", "######"}), {{2, 1, 23}});  // a floor arrow
  // Walls beside a door run on into it; the door's leaves swing out to the north.
  const Compiled door =
      ExpectPieces(Source("level 60\ndoor 1 portal 2 61", {"###11###", "#P.....#", "########"}),
                   {{2, 0, 20}, {5, 0, 20}, {3, 0, 28}, {4, 0, 0}});
  EXPECT_TRUE(levelc::WallFileText(door.level).ends_with("N\n2 61\n"));
  // A column pair swinging east, a row pair swinging south, walls running into both.
  const Compiled open = ExpectPieces(Source("level 60\ndoor 3 timed 2 swing east\ndoor 4 timed 1 swing south", kRoom),
                                   {{2, 4, 31}, {2, 5, 0}, {5, 6, 29}, {2, 3, 21}, {4, 6, 20}});
  EXPECT_NE(levelc::WallFileText(open.level).find("S\n2 0\nS\n1 0\n"), std::string::npos);
  // The house's top wall ends in rounded ends beside the gate; one-armed walls climb to the gate and turn into it.
  ExpectPieces(Source("level 4", kHouse), {{3, 2, 19}, {5, 2, 18}, {4, 2, 38}, {4, 3, 36}});
  ExpectPieces(Source("level 4", {"#######", "#P....#", "#.#x#.#", "#.#G#.#", "#.###.#", "#.....#", "#######"}),
               {{2, 2, 8}, {4, 2, 13}});
  // Coins behind a coin door count towards a portal once the door has opened.
  EXPECT_TRUE(Compiled(Source("level 60\ndoor 1 portal 21 61\ndoor 2 coins 2", kVault)).ok);
}
