// The per-cell visibility marks read from the projection matrix.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

#include "platform/gl.h"
#include "render/visibility_grid.h"
#include "support/test_support.h"

namespace {

class VisibilityTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gl.ok()); grid.SetSize(60, 60); }
  // Loads a projection whose rows are given directly (transposed into
  // OpenGL's column order) and updates the marks.
  void UpdateWithRows(const float (&rows)[4][4]) {
    float m[16];
    for (int i = 0; i < 16; ++i) m[i] = rows[i % 4][i / 4];
    glMatrixMode(GL_PROJECTION), glLoadMatrixf(m), glMatrixMode(GL_MODELVIEW), grid.Update();
  }
  void ExpectVisible(std::initializer_list<std::array<int, 3>> cells) {
    for (const auto& [x, z, visible] : cells) EXPECT_EQ(grid.IsCellVisible(x, z), visible != 0) << x << "," << z;
  }
  test::GLContext gl;
  VisibilityGrid grid;
};

TEST_F(VisibilityTest, PlanesAndTheMarginOfFour) {
  // x rows: left = x - 9 and right = 11 - x, so the view spans 9..11 in x and
  // the margin widens it to 5..15. z rows: near = 1 + 0.1 z, far = 1 - 0.1 z,
  // so far rejects z centres past 50.
  grid.ToggleEnabled(), UpdateWithRows({{1, 0, 0, -10}, {0, 0, 0, 0}, {0, 0, 0.1f, 0}, {0, 0, 0, 1}});
  // Centre 4.5 is 4.5 outside the left plane, 5.5 only 3.5; 14.5 and 15.5
  // likewise for the right one; the far plane is at 1 - 4.95 and 1 - 5.05.
  ExpectVisible({{4, 10, 0}, {5, 10, 1}, {10, 10, 1}, {14, 10, 1}, {15, 10, 0}, {10, 49, 1}, {10, 50, 0}, {10, 59, 0}});
}

TEST_F(VisibilityTest, SizeIsHeldToTheGridAndOutsideCellsAreNotVisible) {
  grid.SetSize(150, -3);
  EXPECT_TRUE(grid.width == 100 && grid.height == 0);
  grid.SetSize(100, 100), grid.ToggleEnabled();
  UpdateWithRows({{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 1}});
  ExpectVisible({{0, 0, 1}, {99, 99, 1}, {100, 5, 0}, {-1, 5, 0}, {5, 100, 0}});
}

}  // namespace
