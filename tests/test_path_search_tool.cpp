// Grid files as text, and the glumbo-tool command that searches them.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include "actors/maze_grid.h"
#include "actors/maze_grid_text.h"
#include "support/test_support.h"

namespace {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

ToolRun RunTool(const test::TempDir& dir, const std::string& args) {
  const std::string out = dir.File("out.txt");
  const std::string err = dir.File("err.txt");
  const std::string command =
      std::string("'") + GLUMBO_BINARY_DIR "/glumbo-tool' path " + args + " >'" + out + "' 2>'" + err + "'";
  ToolRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = Slurp(out);
  run.err = Slurp(err);
  return run;
}

TEST(PathGridText, ReadsSizeThenRowsInAnyBase) {
  MazeGrid grid;
  std::string error;
  // 0x27 and 047 are both 39, the ghost-house door; -5 and 3001 are floor.
  ASSERT_TRUE(ParseMazeGridText("3 2\n0 0x27 -5\n\t4 047 3001\n", grid, error)) << error;
  EXPECT_EQ(grid.width, 3);
  EXPECT_EQ(grid.height, 2);
  EXPECT_EQ(grid.cells[0][0], 0);
  EXPECT_EQ(grid.cells[1][0], 39);
  EXPECT_EQ(grid.cells[2][0], -5);
  EXPECT_EQ(grid.cells[0][1], 4);
  EXPECT_EQ(grid.cells[1][1], 39);
  EXPECT_EQ(grid.cells[2][1], 3001);
}

TEST(PathGridText, RefusesDamagedGridsAndLeavesTheOldOne) {
  const char* damaged[] = {
      "",                   // nothing at all
      "3",                  // no height
      "0 3",                // no columns
      "101 1 0",            // too wide
      "2 -1",               // negative height
      "2 2 0 0 0",          // a cell short
      "2 1 0 0 0",          // a cell too many
      "2 1 0 zero",         // not a number
      "2 1 0 08",           // 8 is no octal digit
      "2 1 0 0x",           // hexadecimal without digits
      "2 1 0 4294967296",   // beyond 32 bits
      "2 1 0 1.5",          // not an integer
      "1e1 1 0",            // size not an integer
  };
  for (const char* text : damaged) {
    MazeGrid grid;
    grid.SetSize(1, 1);
    grid.SetCell(0, 0, 17);
    std::string error;
    EXPECT_FALSE(ParseMazeGridText(text, grid, error)) << "\"" << text << "\"";
    EXPECT_FALSE(error.empty()) << "\"" << text << "\"";
    EXPECT_EQ(grid.width, 1);
    EXPECT_EQ(grid.cells[0][0], 17);
  }
}

TEST(PathGridText, NamesTheCellThatIsWrong) {
  MazeGrid grid;
  std::string error;
  EXPECT_FALSE(ParseMazeGridText("2 2 0 0 0 oops", grid, error));
  EXPECT_NE(error.find("(1, 1)"), std::string::npos) << error;
  EXPECT_NE(error.find("oops"), std::string::npos) << error;
}

TEST(PathGridText, IntegersFitThirtyTwoBits) {
  int value = 0;
  EXPECT_TRUE(ParseGridInteger("2147483647", value));
  EXPECT_EQ(value, 2147483647);
  EXPECT_TRUE(ParseGridInteger("-2147483648", value));
  EXPECT_EQ(value, -2147483647 - 1);
  EXPECT_TRUE(ParseGridInteger("+0X1f", value));
  EXPECT_EQ(value, 31);
  EXPECT_TRUE(ParseGridInteger("036", value));
  EXPECT_EQ(value, 30);
  EXPECT_FALSE(ParseGridInteger("2147483648", value));
  EXPECT_FALSE(ParseGridInteger("-", value));
  EXPECT_FALSE(ParseGridInteger("", value));
  EXPECT_FALSE(ParseGridInteger(std::string(41, '0'), value));
}

TEST(PathTool, PrintsThePathStartFirst) {
  test::TempDir dir;
  test::WriteFile(dir.File("grid.txt"), "3 3\n0 0 0\n0 4 0\n0 0 0\n");
  const ToolRun run = RunTool(dir, "'" + dir.File("grid.txt") + "' 0 0 2 2");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "0,0 0,1 0,2 1,2 2,2\n");
  EXPECT_EQ(run.err, "");

  const ToolRun same = RunTool(dir, "'" + dir.File("grid.txt") + "' 1 1 1 1");
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out, "1,1\n");
}

TEST(PathTool, DoorOpensOnlyWhenAsked) {
  test::TempDir dir;
  // A wall across the middle row with the ghost-house door (39, written in hexadecimal).
  test::WriteFile(dir.File("house.txt"), "3 3  0 0 0  4 0x27 4  0 0 0");
  const std::string grid = "'" + dir.File("house.txt") + "'";
  const ToolRun shut = RunTool(dir, grid + " 1 0 1 2");
  EXPECT_EQ(shut.status, 0);
  EXPECT_EQ(shut.out, "none\n");
  const ToolRun open = RunTool(dir, grid + " 1 0 1 2 --door-open");
  EXPECT_EQ(open.status, 0);
  EXPECT_EQ(open.out, "1,0 1,1 1,2\n");
  const ToolRun outside = RunTool(dir, grid + " 1 0 7 7 --door-open");
  EXPECT_EQ(outside.status, 0);
  EXPECT_EQ(outside.out, "none\n");
}

TEST(PathTool, BadGridFileFailsWithAReason) {
  test::TempDir dir;
  test::WriteFile(dir.File("short.txt"), "4 4\n0 0 0 0\n");
  const ToolRun shortGrid = RunTool(dir, "'" + dir.File("short.txt") + "' 0 0 1 1");
  EXPECT_EQ(shortGrid.status, 1);
  EXPECT_EQ(shortGrid.out, "");
  EXPECT_NE(shortGrid.err.find("needs 16 cell codes, found 4"), std::string::npos) << shortGrid.err;

  const ToolRun missing = RunTool(dir, "'" + dir.File("absent.txt") + "' 0 0 1 1");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;

  test::WriteBytes(dir.File("binary.txt"), {'2', ' ', '1', ' ', 0xff, 0x00, ' ', '0'});
  const ToolRun binary = RunTool(dir, "'" + dir.File("binary.txt") + "' 0 0 1 0");
  EXPECT_EQ(binary.status, 1);
  EXPECT_FALSE(binary.err.empty());
}

TEST(PathTool, BadArgumentsShowUsage) {
  test::TempDir dir;
  test::WriteFile(dir.File("grid.txt"), "1 1 0");
  const std::string grid = "'" + dir.File("grid.txt") + "'";
  for (const std::string& args : {grid + " 0 0 0", grid + " 0 0 0 x", grid + " 0 0 0 0 --door", std::string()}) {
    const ToolRun run = RunTool(dir, args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(run.out, "") << args;
    EXPECT_FALSE(run.err.empty()) << args;
  }
}

}  // namespace
