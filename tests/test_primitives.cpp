// The sphere patch and the cylinder sector, counted and measured as they are sent.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

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

const test::GlRecording& Sphere(double radius, int detail, int mode, double t1, double t2, double p1 = -kPole,
                                double p2 = kPole) {
  return test::Record([&] { DrawPartialSphere(radius, detail, mode, t1, t2, p1, p2); });
}

TEST_F(Primitives, SphereStripsAndDegenerateCases) {
  // Too few columns or no radius: one point at the origin.
  for (const auto& [radius, detail] : {std::pair{1.0, 3}, {0.0, 16}}) {
    const test::GlRecording& r = Sphere(radius, detail, 0, 0, kTurn);
    ASSERT_TRUE(r.primitives.size() == 1u && r.vertices.size() == 1u) << radius << " " << detail;
    EXPECT_EQ(r.primitives[0].mode, static_cast<unsigned>(GL_POINTS));
    EXPECT_TRUE(r.vertices[0].x == 0 && r.vertices[0].y == 0 && r.vertices[0].z == 0);
  }
  // An odd detail loses its remainder in the bands but not in the columns.
  struct Case { int detail, mode; unsigned glMode; std::size_t strips, perStrip; };
  for (const Case& c : {Case{8, 0, GL_QUAD_STRIP, 4, 18}, Case{5, 1, GL_TRIANGLE_STRIP, 2, 12}}) {
    const test::GlRecording& r = Sphere(0.1, c.detail, c.mode, 0, kTurn);
    ASSERT_EQ(r.primitives.size(), c.strips) << c.detail;
    for (const auto& p : r.primitives) EXPECT_TRUE(p.mode == c.glMode && p.count == c.perStrip) << c.detail;
  }
  // Negative radius and detail draw the same shape as positive ones.
  const test::GlRecording positive = Sphere(0.5, 8, 0, 0, kTurn);
  const test::GlRecording& negative = Sphere(-0.5, -8, 0, 0, kTurn);
  ASSERT_EQ(negative.vertices.size(), positive.vertices.size());
  for (std::size_t i = 0; i < positive.vertices.size(); ++i) {
    const auto &a = negative.vertices[i], &b = positive.vertices[i];
    EXPECT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << i;
  }
}

TEST_F(Primitives, SphereVerticesLieOnTheSurfaceWithOutwardUnitNormals) {
  const double radius = 0.75;
  const test::GlRecording& r = Sphere(radius, 16, 0, 1.0, 2.0, 0.0, kPole);
  ASSERT_FALSE(r.vertices.empty());
  for (const auto& v : r.vertices) {
    EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), radius, 1e-5);
    EXPECT_NEAR(std::abs(v.nx * radius - v.x) + std::abs(v.ny * radius - v.y) + std::abs(v.nz * radius - v.z), 0, 3e-5);
    const double lon = std::atan2(v.z, v.x);
    EXPECT_TRUE(v.y >= -1e-6 && lon >= 1.0 - 1e-5 && lon <= 2.0 + 1e-5) << v.y << " " << lon;  // +y is the pole
  }
  // The first strip starts on the equator at theta1 and the last ends at the pole.
  EXPECT_NEAR(r.vertices.front().x, radius * std::cos(1.0), 1e-6);
  EXPECT_NEAR(r.vertices.front().y, 0.0, 1e-6);
  EXPECT_NEAR(r.vertices.back().y, radius, 1e-6);
}

TEST_F(Primitives, CylinderSectorSendsSideStripThenCapFan) {
  const test::GlRecording& r = test::Record([] { DrawCylinderSector(0.0f, 360.0f); });
  ASSERT_EQ(r.primitives.size(), 2u);
  EXPECT_TRUE(r.primitives[0].mode == GL_QUAD_STRIP && r.primitives[0].count == 10u);
  EXPECT_TRUE(r.primitives[1].mode == GL_TRIANGLE_FAN && r.primitives[1].count == 6u);
  for (std::size_t i = 0; i < 10; ++i) {
    const auto& v = r.vertices[i];
    EXPECT_NEAR(std::hypot(v.x, v.z), 0.15, 1e-6);
    EXPECT_NEAR(v.nx * 0.15, v.x, 1e-6);
    EXPECT_TRUE(v.y == (i % 2 == 0 ? 0.0f : 1.5f) && v.ny == 0.0f) << i;
    EXPECT_TRUE(v.s == static_cast<float>(i / 2) / 4.0f && v.t == (i % 2 == 0 ? 0.0f : 1.0f)) << i;
  }
  const auto& centre = r.vertices[10];
  EXPECT_TRUE(centre.x == 0 && centre.y == 1.5f && centre.z == 0 && centre.s == 0.5f && centre.ny == 1.0f);
  for (std::size_t i = 11; i < 16; ++i) {
    const auto& v = r.vertices[i];
    EXPECT_NEAR(std::hypot(v.s - 0.5f, v.t - 0.5f), 0.3, 1e-6);
    // The cap's rim walks back over the side's columns, so it faces up.
    EXPECT_TRUE(v.y == 1.5f && std::abs(v.x - r.vertices[2 * (15 - i)].x) < 1e-6f &&
                std::abs(v.z - r.vertices[2 * (15 - i)].z) < 1e-6f) << i;
  }
  // A quarter sector runs from +z to -x.
  const auto& q = test::Record([] { DrawCylinderSector(90.0f, 90.0f); }).vertices;
  ASSERT_EQ(q.size(), 16u);
  EXPECT_TRUE(std::abs(q[0].x) < 1e-5f && std::abs(q[0].z - 0.15f) < 1e-6f);
  EXPECT_TRUE(std::abs(q[8].x + 0.15f) < 1e-6f && std::abs(q[8].z) < 1e-5f);
}

TEST_F(Primitives, CylinderSectorFacesOutwardAndUpWithBackFaceCulling) {
  // Seen from the side it shows its wall, and from above its cap; either
  // would vanish under back-face culling if it were wound the wrong way.
  glViewport(0, 0, 640, 480);
  glDisable(GL_LIGHTING), glDisable(GL_TEXTURE_2D), glEnable(GL_CULL_FACE), glCullFace(GL_BACK), glFrontFace(GL_CCW);
  glColor3f(1, 1, 1);
  std::uint8_t px[3];
  for (bool fromAbove : {false, true}) {
    test::Ortho(-0.2, 0.2, -0.2, fromAbove ? 0.2 : 1.7, -5, 5);  // looking along -z, or
    if (fromAbove) glRotatef(90, 1, 0, 0);                      // down from +y
    glClear(GL_COLOR_BUFFER_BIT);
    DrawCylinderSector(0.0f, 360.0f);
    test::ReadPixel(320, 240, px);
    EXPECT_GT(px[0], 200) << (fromAbove ? "top cap culled" : "side wall culled");
  }
}

TEST(Vectors, LengthAndNormalisation) {
  const float v[3] = {3.0f, 4.0f, 12.0f};
  EXPECT_FLOAT_EQ(VectorLength(v), 13.0f);
  // A zero vector stays zero instead of becoming NaN.
  for (const auto& c : {std::array{-1.0f, 2.0f, -2.0f, -1.0f / 3, 2.0f / 3, -2.0f / 3}, {0, 0, 0, 0, 0, 0}}) {
    float x = c[0], y = c[1], z = c[2];
    NormalizeVector(&x, &y, &z);
    EXPECT_TRUE(std::abs(x - c[3]) < 1e-6f && std::abs(y - c[4]) < 1e-6f && std::abs(z - c[5]) < 1e-6f) << x << y << z;
  }
}

}  // namespace
