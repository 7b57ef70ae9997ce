// The per-cell visibility marks read from the projection matrix.
#include <gtest/gtest.h>

#include "platform/gl.h"
#include "render/camera.h"
#include "render/visibility_grid.h"
#include "support/test_support.h"

namespace {

class VisibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    grid.SetSize(60, 60);
  }
  // A projection whose rows are given directly (row-major here, transposed
  // into OpenGL's column order).
  static void LoadRows(const float rows[4][4]) {
    float m[16];
    for (int i = 0; i < 4; ++i)
      for (int k = 0; k < 4; ++k) m[k * 4 + i] = rows[i][k];
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(m);
    glMatrixMode(GL_MODELVIEW);
  }
  test::GLContext gl;
  VisibilityGrid grid;
};

TEST_F(VisibilityTest, CullingOffAnswersTrueAndKeepsTheMarks) {
  EXPECT_FALSE(grid.IsEnabled());
  grid.visible[3 * 100 + 4] = 0;
  grid.visible[5 * 100 + 6] = 1;
  const float far[4][4] = {{0, 0, 0, 100}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 1}};
  LoadRows(far);  // would reject every cell
  grid.Update();
  EXPECT_EQ(grid.visible[3 * 100 + 4], 0);
  EXPECT_EQ(grid.visible[5 * 100 + 6], 1);
  for (int x = 0; x < 60; ++x)
    for (int z = 0; z < 60; ++z) ASSERT_TRUE(grid.IsCellVisible(x, z));

  grid.ToggleEnabled();
  EXPECT_TRUE(grid.IsEnabled());
  grid.Update();
  EXPECT_FALSE(grid.IsCellVisible(3, 4));
  EXPECT_FALSE(grid.IsCellVisible(5, 6));
  grid.ToggleEnabled();
  EXPECT_TRUE(grid.IsCellVisible(5, 6));
}

TEST_F(VisibilityTest, PlanesAndTheMarginOfFour) {
  // x rows: left = x - 9 and right = 11 - x, so the view spans 9..11 in x and
  // the margin widens it to 5..15. z rows: near = 1 + 0.1 z, far = 1 - 0.1 z,
  // so far rejects z centres past 50.
  const float rows[4][4] = {{1, 0, 0, -10}, {0, 0, 0, 0}, {0, 0, 0.1f, 0}, {0, 0, 0, 1}};
  LoadRows(rows);
  grid.ToggleEnabled();
  grid.Update();
  EXPECT_FLOAT_EQ(grid.planes[0][0], 1.0f);
  EXPECT_FLOAT_EQ(grid.planes[0][3], -9.0f);
  EXPECT_FLOAT_EQ(grid.planes[1][0], -1.0f);
  EXPECT_FLOAT_EQ(grid.planes[1][3], 11.0f);
  EXPECT_FLOAT_EQ(grid.planes[5][2], -0.1f);

  EXPECT_FALSE(grid.IsCellVisible(4, 10));  // centre 4.5: left plane -4.5
  EXPECT_TRUE(grid.IsCellVisible(5, 10));   // centre 5.5: -3.5, outside but within the margin
  EXPECT_TRUE(grid.IsCellVisible(10, 10));
  EXPECT_TRUE(grid.IsCellVisible(14, 10));  // right plane -3.5
  EXPECT_FALSE(grid.IsCellVisible(15, 10)); // right plane -4.5
  EXPECT_TRUE(grid.IsCellVisible(10, 49));  // far plane 1 - 4.95 = -3.95
  EXPECT_FALSE(grid.IsCellVisible(10, 50)); // far plane 1 - 5.05
  EXPECT_FALSE(grid.IsCellVisible(10, 59));
}

TEST_F(VisibilityTest, ChaseCameraSeesAheadAndNotBehind) {
  grid.ToggleEnabled();
  Camera camera;
  const float eye[3] = {30.5f, 3.0f, 37.5f};
  const float target[3] = {30.5f, 0.5f, 30.5f};
  camera.SetEye(eye);
  camera.SetTarget(target);
  camera.Apply();
  grid.Update();
  EXPECT_TRUE(grid.IsCellVisible(30, 30));
  EXPECT_TRUE(grid.IsCellVisible(30, 20));
  EXPECT_FALSE(grid.IsCellVisible(30, 45));  // behind the eye
  EXPECT_FALSE(grid.IsCellVisible(5, 30));   // far to the side
  int count = 0;
  for (int x = 0; x < 60; ++x)
    for (int z = 0; z < 60; ++z) count += grid.IsCellVisible(x, z);
  EXPECT_GT(count, 50);
  EXPECT_LT(count, 60 * 60 / 2);
}

TEST_F(VisibilityTest, SizeIsHeldToTheGridAndOutsideCellsAreNotVisible) {
  grid.SetSize(150, -3);
  EXPECT_EQ(grid.width, 100);
  EXPECT_EQ(grid.height, 0);
  grid.SetSize(100, 100);
  grid.ToggleEnabled();
  const float all[4][4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 1}};
  LoadRows(all);
  grid.Update();
  EXPECT_TRUE(grid.IsCellVisible(0, 0));
  EXPECT_TRUE(grid.IsCellVisible(99, 99));
  EXPECT_FALSE(grid.IsCellVisible(100, 5));
  EXPECT_FALSE(grid.IsCellVisible(-1, 5));
  EXPECT_FALSE(grid.IsCellVisible(5, 100));
}

}  // namespace
