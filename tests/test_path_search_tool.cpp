// Grid files as text, and the glumbo-tool command that searches them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "actors/maze_grid.h"
#include "actors/maze_grid_text.h"
#include "support/test_support.h"

namespace {

std::string Slurp(const std::string& path) {
  const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

TEST(PathGridText, ReadsSizeThenRowsInAnyBaseWithinThirtyTwoBits) {
  MazeGrid grid;
  std::string error;
  // 0x27 and 047 are both 39, the ghost-house door.
  ASSERT_TRUE(ParseMazeGridText("3 2\n0 0x27 -5\n\t4 047 -2147483648\n", grid, error)) << error;
  EXPECT_TRUE(grid.width == 3 && grid.height == 2);
  const int expected[2][3] = {{0, 39, -5}, {4, 39, -2147483647 - 1}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(grid.cells[x][y], expected[y][x]) << x << "," << y;
  int value = 0;
  EXPECT_TRUE(ParseGridInteger("+0X7fffffff", value) && value == 2147483647) << value;
  for (const std::string& text : {std::string("2147483648"), std::string("-"), std::string(), std::string(41, '0')})
    EXPECT_FALSE(ParseGridInteger(text, value)) << text;
}

TEST(PathGridText, RefusesDamagedGridsNamingTheCellAndLeavesTheOldOne) {
  const char* damaged[] = {"", "3", "0 3", "101 1 0", "2 -1", "2 2 0 0 0", "2 1 0 0 0", "2 1 0 08", "2 1 0 1.5",
                           "1e1 1 0"};
  for (const char* text : damaged) {
    MazeGrid grid;
    grid.SetSize(1, 1);
    grid.SetCell(0, 0, 17);
    std::string error;
    EXPECT_FALSE(ParseMazeGridText(text, grid, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
    EXPECT_TRUE(grid.width == 1 && grid.cells[0][0] == 17) << text;
  }
  // The message names the cell that is wrong and what stood there.
  MazeGrid grid;
  std::string error;
  EXPECT_FALSE(ParseMazeGridText("2 2 0 0 0 oops", grid, error));
  EXPECT_NE(error.find("cell (1, 1) is not an integer: "), std::string::npos) << error;
  EXPECT_NE(error.find("oops"), std::string::npos) << error;
}

TEST(PathTool, PrintsThePathOrFailsWithAReason) {
  test::TempDir dir;
  // A wall across the middle row with the ghost-house door (39, in hexadecimal).
  test::WriteFile(dir.File("house.txt"), "3 3  0 0 0  4 0x27 4  0 0 0");
  test::WriteFile(dir.File("short.txt"), "4 4\n0 0 0 0\n");
  struct Case {
    const char *grid, *args;
    int status;
    const char *out, *errPart;  // errPart null: nothing on stderr
  };
  const Case cases[] = {{"house.txt", "1 0 1 2", 0, "none\n", nullptr},
                        {"house.txt", "1 0 1 2 --door-open", 0, "1,0 1,1 1,2\n", nullptr},
                        {"house.txt", "0 0 2 2 --door-open", 0, "0,0 1,0 1,1 1,2 2,2\n", nullptr},
                        {"short.txt", "0 0 1 1", 1, "", "needs 16 cell codes, found 4"},
                        {"absent.txt", "0 0 1 1", 1, "", "cannot open"},
                        {"house.txt", "0 0 0 x", 2, "", ""},
                        {nullptr, "", 2, "", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.grid ? c.grid : "-") << " " << c.args);
    const std::string out = dir.File("out.txt"), err = dir.File("err.txt");
    const std::string file = c.grid ? "'" + dir.File(c.grid) + "' " : "";
    const int raw = std::system(("'" GLUMBO_BINARY_DIR "/glumbo-tool' path " + file + c.args + " >'" + out + "' 2>'" +
                                 err + "'").c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, c.status);
    EXPECT_EQ(Slurp(out), c.out);
    if (c.errPart == nullptr) {
      EXPECT_EQ(Slurp(err), "");
    } else {
      EXPECT_NE(Slurp(err), "");
      EXPECT_NE(Slurp(err).find(c.errPart), std::string::npos) << Slurp(err);
    }
  }
}

}  // namespace
