// The sphere patch and the cylinder sector, counted and measured as they are sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/gl.h"
#include "render/primitives.h"
#include "support/gl_counting.h"
#include "support/gl_views.h"

namespace {

constexpr double kTurn = 6.283184, kPole = 1.570796;

class Primitives : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gl.ok()); }
  test::GLContext gl;
};

// A whole sphere, pole to pole and all the way round.
const test::GlRecording& Sphere(double radius, int detail, int mode) {
  return test::Record([&] { DrawPartialSphere(radius, detail, mode, 0, kTurn, -kPole, kPole); });
}

TEST_F(Primitives, SphereStripsAndDegenerateCases) {
  // Too few columns or no radius: one point at the origin.
  for (const auto& [radius, detail] : {std::pair{1.0, 3}, {0.0, 16}}) {
    const test::GlRecording& r = Sphere(radius, detail, 0);
    ASSERT_TRUE(r.primitives.size() == 1u && r.vertices.size() == 1u) << radius << " " << detail;
    EXPECT_TRUE(r.primitives[0].mode == GL_POINTS && r.vertices[0].x == 0 && r.vertices[0].y == 0 && r.vertices[0].z == 0);
  }
  // An odd detail loses its remainder in the bands but not in the columns.
  for (const auto& [detail, mode, glMode, strips, perStrip] : {std::array<unsigned, 5>{8, 0, GL_QUAD_STRIP, 4, 18},
                                                                 {5, 1, GL_TRIANGLE_STRIP, 2, 12}}) {
    const test::GlRecording& r = Sphere(0.1, static_cast<int>(detail), static_cast<int>(mode));
    ASSERT_EQ(r.primitives.size(), strips) << detail;
    for (const auto& p : r.primitives) EXPECT_TRUE(p.mode == glMode && p.count == perStrip) << detail;
  }
  // Negative radius and detail draw the same shape as positive ones.
  std::vector<std::array<float, 3>> shapes[2];
  for (int sign : {1, -1})
    for (const auto& v : Sphere(0.5 * sign, 8 * sign, 0).vertices) shapes[sign < 0].push_back({v.x, v.y, v.z});
  EXPECT_TRUE(shapes[0].size() == 72u && shapes[1] == shapes[0]) << shapes[1].size();
  EXPECT_TRUE(std::all_of(shapes[0].begin(), shapes[0].end(), [](auto& v) { return std::abs(std::hypot(v[0], v[1], v[2]) - 0.5) < 1e-6; }))
      << "a vertex off the sphere";
}

}  // namespace
