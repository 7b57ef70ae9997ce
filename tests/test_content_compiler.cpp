// The level compiler: wall pieces chosen from the neighbours, shapes it must
// refuse, and the play checks that keep a level finishable.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "level_compile.h"
#include "level_source.h"
#include "support/replay_runs.h"
#include "support/test_support.h"
#include "wall_pieces.h"
#include "world/level_files.h"

namespace {

using Rows = std::vector<std::string>;

std::string Source(const std::string& header, const Rows& rows) {
  std::string text = header + "\nmap\n";
  for (const std::string& r : rows) text += r + "\n";
  return text;
}

struct Result {
  bool ok = false;
  levelc::CompiledLevel level;
  std::string errors;  // every message, one a line
  int At(int x, int y) const { return level.walls[static_cast<std::size_t>(y * level.width + x)]; }
};

Result Compile(const std::string& text, const std::string& name = "test.lvl") {
  Result r;
  std::vector<std::string> errors;
  const auto src = levelc::ParseLevelSource(text, name, errors);
  r.ok = src && levelc::CompileLevel(*src, r.level, errors);
  for (const std::string& e : errors) r.errors += e + "\n";
  return r;
}

// The compiler refuses the level, saying why.
void ExpectRefused(const std::string& text, const std::string& why, const std::string& name = "test.lvl") {
  const Result r = Compile(text, name);
  EXPECT_FALSE(r.ok) << why;
  EXPECT_NE(r.errors.find(why), std::string::npos) << r.errors;
}

// Compiles the level and checks the wall codes {x, y, code} chosen for the given cells.
Result ExpectPieces(const std::string& text, std::initializer_list<std::array<int, 3>> pieces) {
  Result r = Compile(text);
  EXPECT_TRUE(r.ok) << r.errors;
  for (const auto& [x, y, code] : pieces) EXPECT_TRUE(!r.ok || r.At(x, y) == code) << "cell " << x << ", " << y << ": " << r.At(x, y);
  return r;
}

// A bonus-level number, so that no ghost house is needed for small maps.
const char* kBonus = "level 60";
const Rows kJunction = {"#######", "#P....#", "#.###.#", "#..#..#", "#.....#", "#######"};

TEST(LevelCompiler, WallPiecesFollowTheirNeighbours) {
  // Corners (joining south+east, west+south, east+north, north+west) and straights.
  const Result corners = ExpectPieces(Source(kBonus, {"#####", "#P..#", "#...#", "#####"}),
                                      {{0, 0, 4}, {4, 0, 5}, {0, 3, 6}, {4, 3, 7}, {2, 0, 20}, {0, 1, 21}, {1, 1, 37}});
  EXPECT_EQ(corners.level.coins, 5);
  // Buried in a 3 x 3 block: no geometry; its face; upright and flat bars with rounded ends.
  ExpectPieces(Source(kBonus, {"#########", "#P......#", "#.###.#.#", "#.###.#.#", "#.###.#.#", "#.......#",
                               "#.##....#", "#.......#", "#########"}),
               {{3, 3, 9}, {2, 3, 21}, {6, 2, 16}, {6, 4, 17}, {2, 6, 18}, {3, 6, 19}});
  // Walls beside a door run on into it; the door's leaves swing out to the north.
  const Result door =
      ExpectPieces(Source("level 60\ndoor 1 portal 2 61", {"###11###", "#P.....#", "########"}),
                   {{2, 0, 20}, {5, 0, 20}, {3, 0, 28}, {4, 0, 0}});
  const std::string text = levelc::WallFileText(door.level);
  EXPECT_EQ(text.substr(text.size() - 7), "N\n2 61\n");
}

TEST(LevelCompiler, DoorTokensFollowTheDoorsDirectionAndSwing) {
  const Rows room = {"##########", "#P.......#", "#.######.#", "#.#____#.#", "#.3____#.#",
                     "#.3____#.#", "#.###44#.#", "#........#", "##########"};
  ExpectRefused(Source("level 60\ndoor 3 locked swing east\ndoor 4 locked swing south", room), "cannot be reached");
  // A column pair swinging east, a row pair swinging south, walls running into both.
  const Result open = ExpectPieces(Source("level 60\ndoor 3 timed 2 swing east\ndoor 4 timed 1 swing south", room),
                                   {{2, 4, 31}, {2, 5, 0}, {5, 6, 29}, {2, 3, 21}, {4, 6, 20}});
  const std::string text = levelc::WallFileText(open.level);
  EXPECT_NE(text.find("S\n2 0\nS\n1 0\n"), std::string::npos) << text;
  ExpectRefused(Source("level 60\ndoor 3 timed 2 swing north\ndoor 4 timed 1", room), "cannot swing north or south");
}

TEST(LevelCompiler, RefusesWallShapesThePiecesCannotDrawAndArrowsThatLeadNowhere) {
  // A thin wall meeting another one is a junction no piece draws: see the tool's test.
  ExpectRefused(Source(kBonus, {"#####", "#P..#", "#.#.#", "#...#", "#####"}), "cell (2, 2): a lone wall");
  ExpectRefused(Source(kBonus, {"######", "#P..>#", "######"}), "cell (4, 1): the arrow points into a wall");
  ExpectRefused(Source(kBonus, {"######", "#P...#", "#.>v.#", "#.^<.#", "#....#", "######"}), "circle");
  // A player on an arrow cannot turn, so a pocket beside the lane is out of reach.
  ExpectRefused(Source(kBonus, {"#######", "#P>>>_#", "#_#.#_#", "#_###_#", "#_____#", "#######"}),
                "cell (3, 2): this coin cannot be reached");
  ExpectPieces(Source(kBonus, {"######", "#P>>.#", "######"}), {{2, 1, 23}});
}

TEST(LevelCompiler, PortalsNeedCoinsThePlayerCanEat) {
  ExpectRefused(Source("level 60\ndoor 1 portal 5 61", {"##11##", "#P...#", "######"}), "needs 5 coins but only 3");
  // Coins behind a coin door count once the door has opened.
  const Rows vault = {"###11####", "#P......#", "#.#22##.#", "#.#...#.#", "#.#####.#", "#.......#", "#########"};
  EXPECT_TRUE(Compile(Source("level 60\ndoor 1 portal 21 61\ndoor 2 coins 2", vault)).ok);
  ExpectRefused(Source("level 60\ndoor 1 portal 21 61\ndoor 2 coins 20", vault), "needs 21 coins but only 19");
}

TEST(LevelCompiler, GhostsMustBeAbleToLeaveTheirHouseAndWallsTurnTowardItsGate) {
  Rows house = {"#########", "#P......#", "#.##=##.#", "#.#xGx#.#", "#.#####.#", "#.......#", "#########"};
  ExpectRefused(Source("level 4", house), "nothing opens '='");
  house[2] = "#.##x##.#";
  // The house's top wall ends in rounded ends beside the gate.
  ExpectPieces(Source("level 4", house), {{3, 2, 19}, {5, 2, 18}, {4, 2, 38}, {4, 3, 36}});
  // One-armed walls climb to the gate and turn into it.
  ExpectPieces(Source("level 4", {"#######", "#P....#", "#.#x#.#", "#.#G#.#", "#.###.#", "#.....#", "#######"}),
               {{2, 2, 8}, {4, 2, 13}});
}

TEST(LevelCompiler, HeaderAndMapMistakesAreNamedWithTheirLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"level 3\nmap\n#####\n#P.#\n#####\n", "a.lvl:4: map row has 4 cells"},
      {"level 3\ndoor 1 sometimes\nmap\n###\n#P#\n###\n", "a.lvl:2: unknown door kind"},
      {"level 3\nmap\n###\n#P?\n###\n", "unknown map character '?'"},
  };
  for (const auto& [text, why] : cases) ExpectRefused(text, why, "a.lvl");
}

TEST(LevelCompiler, OutputReadsBackThroughTheGamesLoader) {
  const Result r = Compile(Source("level 60\ndoor 1 portal 3 61\ndoor 2 coins 2\ndoor 3 timed 2.5",
                                  {"###11#####", "#Po......#", "#.##22##.#", "#.#____#.#", "#.##33##.#", "#.....v..#",
                                   "#.....<..#", "##########"}));
  ASSERT_TRUE(r.ok) << r.errors;
  LevelFileError error;
  const auto parsed = ParseLevelTexts(levelc::WallFileText(r.level), "walls", levelc::ObjectFileText(r.level),
                                      "objects", error);
  ASSERT_NE(parsed, nullptr) << error.Describe();
  ASSERT_EQ(parsed->doorEntries.size(), 3u);
  const auto& doors = parsed->doorEntries;
  EXPECT_EQ(doors[0].kind, LevelDoorEntry::Kind::Counter);
  EXPECT_EQ(std::pair(doors[0].coins, doors[0].target), std::pair(3, 61));
  EXPECT_EQ(doors[1].target, -1);  // opens by coins, leads nowhere
  EXPECT_EQ(std::pair(doors[2].kind, doors[2].period), std::pair(LevelDoorEntry::Kind::Periodic, 2.5f));
  int counts[4] = {};  // by kind: coins, large pellets, floor arrows, doors
  for (const LevelItemPlacement& item : parsed->items) ++counts[static_cast<int>(item.kind)];
  EXPECT_EQ(counts[0], r.level.coins);
  EXPECT_EQ(std::pair(counts[1], counts[2]), std::pair(1, 2));
}

TEST(LevelCompiler, TheToolNamesTheBadCellAndFails) {
  test::TempDir dir;
  test::WriteFile(dir.File("bad.lvl"), Source(kBonus, kJunction));
  // The braces keep the tool's own error stream, which the runner would drop.
  const test::CommandResult r = test::RunCommand("{ " + test::ShellQuote(GLUMBO_BINARY_DIR "/tools/levelc/levelc") + " " +
                                                 test::ShellQuote(dir.path().string()) + " " +
                                                 test::ShellQuote(dir.File("bad.lvl")) + " 2>&1; }");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.output.find("bad.lvl (level 60): cell (3, 2): walls meet here"), std::string::npos) << r.output;
  EXPECT_FALSE(std::filesystem::exists(dir.File("paredes60.txt")));
}

TEST(LevelCompiler, DamagedSourcesAreRefusedWithAReasonOrCompileSoundly) {
  // Random damage to the real levels: every outcome is either a clean refusal
  // with a message, or a level the game's own loader reads back.
  std::mt19937 random(20261207);
  const std::string chars = "#%.o_^>v<PQGBx=123?\n ";
  int refused = 0, compiled = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(GLUMBO_SOURCE_DIR) / "content" / "levels")) {
    std::stringstream buffer;
    buffer << std::ifstream(entry.path()).rdbuf();
    const std::string original = buffer.str();
    for (int round = 0; round < 60; ++round) {
      std::string text = original;
      for (int e = 0, edits = 1 + static_cast<int>(random() % 4); e < edits; ++e) {
        const std::size_t at = random() % text.size();
        switch (random() % 3) {
          case 0: text[at] = chars[random() % chars.size()]; break;
          case 1: text.erase(at, 1 + random() % 3); break;
          default: text.insert(at, 1, chars[random() % chars.size()]); break;
        }
      }
      const Result r = Compile(text, entry.path().filename().string());
      (r.ok ? compiled : refused)++;
      EXPECT_TRUE(r.ok || !r.errors.empty());
      LevelFileError error;
      EXPECT_TRUE(!r.ok || ParseLevelTexts(levelc::WallFileText(r.level), "walls", levelc::ObjectFileText(r.level),
                                           "objects", error) != nullptr) << error.Describe();
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(compiled, 0);
}

}  // namespace
