// The sphere patch and the cylinder sector, counted and measured as they are sent.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/gl.h"
#include "render/primitives.h"
#include "support/gl_counting.h"
#include "support/test_support.h"

namespace {

class Primitives : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gl.ok()); }
  test::GLContext gl;
};

const test::GlRecording& RecordSphere(double radius, int detail, int mode, double t1, double t2, double p1,
                                      double p2) {
  test::StartGlRecording();
  DrawPartialSphere(radius, detail, mode, t1, t2, p1, p2);
  test::StopGlRecording();
  return test::GlRecorded();
}

TEST_F(Primitives, TooFewColumnsOrNoRadiusDrawsOnePointAtTheOrigin) {
  for (const auto& [radius, detail] : {std::pair{1.0, 3}, std::pair{0.0, 16}, std::pair{0.0, 3}}) {
    const test::GlRecording& r = RecordSphere(radius, detail, 0, 0, 6.283184, -1.570796, 1.570796);
    ASSERT_EQ(r.primitives.size(), 1u) << radius << " " << detail;
    EXPECT_EQ(r.primitives[0].mode, static_cast<unsigned>(GL_POINTS));
    ASSERT_EQ(r.vertices.size(), 1u);
    EXPECT_EQ(r.vertices[0].x, 0.0f);
    EXPECT_EQ(r.vertices[0].y, 0.0f);
    EXPECT_EQ(r.vertices[0].z, 0.0f);
  }
}

TEST_F(Primitives, SphereStripsAndVertexCounts) {
  const test::GlRecording& whole = RecordSphere(0.1, 8, 0, 0, 6.283184, -1.570796, 1.570796);
  ASSERT_EQ(whole.primitives.size(), 4u);
  for (const auto& p : whole.primitives) {
    EXPECT_EQ(p.mode, static_cast<unsigned>(GL_QUAD_STRIP));
    EXPECT_EQ(p.count, 18u);
  }
  EXPECT_EQ(whole.vertices.size(), 72u);

  // An odd detail loses its remainder in the bands but not in the columns.
  const test::GlRecording& odd = RecordSphere(0.1, 5, 1, 0, 6.283184, -1.570796, 1.570796);
  ASSERT_EQ(odd.primitives.size(), 2u);
  for (const auto& p : odd.primitives) {
    EXPECT_EQ(p.mode, static_cast<unsigned>(GL_TRIANGLE_STRIP));
    EXPECT_EQ(p.count, 12u);
  }

  // A zero-width longitude range is degenerate but still sends every column.
  const test::GlRecording& flat = RecordSphere(1.0, 16, 0, 0.5, 0.5, -1.570796, 1.570796);
  EXPECT_EQ(flat.vertices.size(), 8u * 2u * 17u);
  for (const auto& v : flat.vertices) EXPECT_NEAR(std::atan2(v.z, v.x), 0.5, 1e-5);
}

TEST_F(Primitives, NegativeRadiusAndDetailDrawTheSameShapeAsPositive) {
  const test::GlRecording positive = RecordSphere(0.5, 8, 0, 0, 6.283184, -1.570796, 1.570796);
  const test::GlRecording& negative = RecordSphere(-0.5, -8, 0, 0, 6.283184, -1.570796, 1.570796);
  ASSERT_EQ(negative.vertices.size(), positive.vertices.size());
  for (std::size_t i = 0; i < positive.vertices.size(); ++i) {
    EXPECT_EQ(negative.vertices[i].x, positive.vertices[i].x);
    EXPECT_EQ(negative.vertices[i].y, positive.vertices[i].y);
    EXPECT_EQ(negative.vertices[i].z, positive.vertices[i].z);
  }
}

TEST_F(Primitives, SphereVerticesLieOnTheSurfaceWithOutwardUnitNormals) {
  const double radius = 0.75;
  const test::GlRecording& r = RecordSphere(radius, 16, 0, 1.0, 2.0, 0.0, 1.570796);
  ASSERT_FALSE(r.vertices.empty());
  for (const auto& v : r.vertices) {
    EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), radius, 1e-5);
    EXPECT_NEAR(v.nx * radius, v.x, 1e-5);
    EXPECT_NEAR(v.ny * radius, v.y, 1e-5);
    EXPECT_NEAR(v.nz * radius, v.z, 1e-5);
    EXPECT_GE(v.y, -1e-6);  // upper hemisphere only: +y is the pole
    const double lon = std::atan2(v.z, v.x);
    EXPECT_GE(lon, 1.0 - 1e-5);
    EXPECT_LE(lon, 2.0 + 1e-5);
  }
  // The first strip starts on the equator at theta1 and the last ends at the pole.
  EXPECT_NEAR(r.vertices.front().x, radius * std::cos(1.0), 1e-6);
  EXPECT_NEAR(r.vertices.front().y, 0.0, 1e-6);
  EXPECT_NEAR(r.vertices.back().y, radius, 1e-6);
}

TEST_F(Primitives, CylinderSectorSendsSideStripThenCapFan) {
  test::StartGlRecording();
  DrawCylinderSector(0.0f, 360.0f);
  test::StopGlRecording();
  const test::GlRecording& r = test::GlRecorded();
  ASSERT_EQ(r.primitives.size(), 2u);
  EXPECT_EQ(r.primitives[0].mode, static_cast<unsigned>(GL_QUAD_STRIP));
  EXPECT_EQ(r.primitives[0].count, 10u);
  EXPECT_EQ(r.primitives[1].mode, static_cast<unsigned>(GL_TRIANGLE_FAN));
  EXPECT_EQ(r.primitives[1].count, 6u);

  for (std::size_t i = 0; i < 10; ++i) {
    const auto& v = r.vertices[i];
    EXPECT_NEAR(std::hypot(v.x, v.z), 0.15, 1e-6);
    EXPECT_FLOAT_EQ(v.y, i % 2 == 0 ? 0.0f : 1.5f);
    EXPECT_NEAR(std::hypot(v.nx, v.nz), 1.0, 1e-6);
    EXPECT_NEAR(v.nx * 0.15, v.x, 1e-6);
    EXPECT_FLOAT_EQ(v.ny, 0.0f);
    EXPECT_FLOAT_EQ(v.s, static_cast<float>(i / 2) / 4.0f);
    EXPECT_FLOAT_EQ(v.t, i % 2 == 0 ? 0.0f : 1.0f);
  }
  // A full turn closes on itself: the first and last columns coincide.
  EXPECT_NEAR(r.vertices[0].x, r.vertices[8].x, 1e-5);
  EXPECT_NEAR(r.vertices[0].z, r.vertices[8].z, 1e-5);

  const auto& centre = r.vertices[10];
  EXPECT_FLOAT_EQ(centre.x, 0.0f);
  EXPECT_FLOAT_EQ(centre.y, 1.5f);
  EXPECT_FLOAT_EQ(centre.z, 0.0f);
  EXPECT_FLOAT_EQ(centre.s, 0.5f);
  EXPECT_FLOAT_EQ(centre.ny, 1.0f);
  for (std::size_t i = 11; i < 16; ++i) {
    const auto& v = r.vertices[i];
    EXPECT_FLOAT_EQ(v.y, 1.5f);
    EXPECT_NEAR(std::hypot(v.s - 0.5f, v.t - 0.5f), 0.3, 1e-6);
    // The cap's rim walks back over the side's columns, so it faces up.
    EXPECT_NEAR(v.x, r.vertices[2 * (15 - i)].x, 1e-6);
    EXPECT_NEAR(v.z, r.vertices[2 * (15 - i)].z, 1e-6);
  }
}

TEST_F(Primitives, QuarterSectorRunsFromPlusZToMinusX) {
  test::StartGlRecording();
  DrawCylinderSector(90.0f, 90.0f);
  test::StopGlRecording();
  const auto& v = test::GlRecorded().vertices;
  ASSERT_EQ(v.size(), 16u);
  EXPECT_NEAR(v[0].x, 0.0, 1e-5);
  EXPECT_NEAR(v[0].z, 0.15, 1e-6);
  EXPECT_NEAR(v[8].x, -0.15, 1e-6);
  EXPECT_NEAR(v[8].z, 0.0, 1e-5);
  for (const auto& p : v) {
    EXPECT_LE(p.x, 1e-5);
    EXPECT_GE(p.z, -1e-5);
  }
}

TEST_F(Primitives, CylinderSectorFacesOutwardAndUpWithBackFaceCulling) {
  // A full sector seen from the side shows its wall, and from above its cap;
  // either would vanish under back-face culling if it were wound the wrong way.
  glViewport(0, 0, 640, 480);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CCW);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-0.2, 0.2, -0.2, 1.7, -5, 5);  // looking along -z
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  DrawCylinderSector(0.0f, 360.0f);
  std::uint8_t px[3];
  test::ReadPixel(320, 240, px);
  EXPECT_GT(px[0], 200) << "side wall culled";

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-0.2, 0.2, -0.2, 0.2, -5, 5);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(90, 1, 0, 0);  // now looking down from +y
  glClear(GL_COLOR_BUFFER_BIT);
  DrawCylinderSector(0.0f, 360.0f);
  test::ReadPixel(320, 240, px);
  EXPECT_GT(px[0], 200) << "top cap culled";
}

TEST(Vectors, LengthAndNormalisation) {
  const float v[3] = {3.0f, 4.0f, 12.0f};
  EXPECT_FLOAT_EQ(VectorLength(v), 13.0f);

  float x = 0.15f, y = 0.0f, z = 0.0f;
  NormalizeVector(&x, &y, &z);
  EXPECT_FLOAT_EQ(x, 1.0f);
  EXPECT_FLOAT_EQ(y, 0.0f);
  EXPECT_FLOAT_EQ(z, 0.0f);

  x = -1.0f, y = 2.0f, z = -2.0f;
  NormalizeVector(&x, &y, &z);
  EXPECT_FLOAT_EQ(x, -1.0f / 3.0f);
  EXPECT_FLOAT_EQ(y, 2.0f / 3.0f);
  EXPECT_FLOAT_EQ(z, -2.0f / 3.0f);

  // A zero vector stays zero instead of becoming NaN.
  x = y = z = 0.0f;
  NormalizeVector(&x, &y, &z);
  EXPECT_EQ(x, 0.0f);
  EXPECT_EQ(y, 0.0f);
  EXPECT_EQ(z, 0.0f);
}

}  // namespace
