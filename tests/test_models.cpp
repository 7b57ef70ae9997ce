// The player's and the ghosts' models: what they send, their colours, their
// sizes, the trail, the mouth, and a whole scene drawn for people to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "actors/ghost.h"
#include "actors/player.h"
#include "platform/gl.h"
#include "render/camera.h"
#include "support/draw_scene.h"
#include "support/gl_counting.h"
#include "support/test_support.h"

namespace {

constexpr int kW = 640, kH = 480;
// Body 16 bands of 66, mouth fans 2 x 18, eyes 2 x 8 bands of 34.
constexpr std::size_t kPlayerVertices = 1056 + 36 + 544;
// Lips 2 x 17 points and the bow's two triangles.
constexpr std::size_t kPartnerExtra = 34 + 6;
// Dome 1056, skirt 66, hem 8 x 6, eyes 544.
constexpr std::size_t kGhostVertices = 1056 + 66 + 48 + 544;

class Models : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    glViewport(0, 0, kW, kH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  }
  // Front view along -z of world x, y in -size..size, lit from the viewer.
  static void FrontView(float size) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-size * kW / kH, size * kW / kH, -size, size, -20, 20);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float towardsViewer[4] = {0, 0, 1, 0};
    const float white[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  static std::vector<std::uint8_t> Frame() {
    std::vector<std::uint8_t> rgb(kW * kH * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
  }
  // Height in pixels of what was drawn.
  static int DrawnHeight() {
    const std::vector<std::uint8_t> rgb = Frame();
    int top = -1, bottom = -1;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * kW + x) * 3];
        if (p[0] + p[1] + p[2] > 30) {
          if (bottom < 0) bottom = y;
          top = y;
        }
      }
    return bottom < 0 ? 0 : top - bottom + 1;
  }
  test::GLContext gl;
};

const test::GlRecording& RecordPlayer(Player& p) {
  test::StartGlRecording();
  p.DrawPlayer();
  test::StopGlRecording();
  return test::GlRecorded();
}

TEST_F(Models, PlayerSendsBodyMouthAndEyesAndThePartnerHisLipsAndBow) {
  Player main(true);
  const test::GlRecording& r = RecordPlayer(main);
  EXPECT_EQ(r.vertices.size(), kPlayerVertices);
  EXPECT_EQ(r.CountInMode(GL_LINE_STRIP), 0u);

  Player partner(false);
  partner.mouth = 7.0f;
  partner.powered = true;  // powered or not, the partner wears the bow
  const test::GlRecording& q = RecordPlayer(partner);
  EXPECT_EQ(q.vertices.size(), kPlayerVertices + kPartnerExtra);
  EXPECT_EQ(q.CountInMode(GL_LINE_STRIP), 34u);
  EXPECT_EQ(q.CountInMode(GL_TRIANGLES), 6u);
  // The bow is drawn with culling off, and culling comes back on after it.
  for (const auto& p : q.primitives)
    if (p.mode == GL_TRIANGLES) {
      EXPECT_FALSE(p.culled);
    }
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(Models, MouthAngleIsTheTruncatedMouthOverThirtyFive) {
  Player p(true);
  for (const auto& [mouth, step] : {std::pair{0.0f, 0}, std::pair{19.9f, 19}, std::pair{20.3f, 20}}) {
    p.mouth = mouth;
    const test::GlRecording& r = RecordPlayer(p);
    // Vertex 66 starts the body's second band, on the first column at theta = m.
    const auto& v = r.vertices[66];
    EXPECT_NEAR(std::atan2(v.z, v.x), step / 35.0, 1e-5) << mouth;
    const auto& last = r.vertices[66 + 64];  // last column of that band's lower ring
    EXPECT_NEAR(std::atan2(-last.z, last.x), step / 35.0, 1e-4) << mouth;
    // The two jaw fans, centre first, 17 rim points each.
    const auto& lower = r.primitives[16];
    const auto& upper = r.primitives[17];
    ASSERT_EQ(lower.mode, static_cast<unsigned>(GL_TRIANGLE_FAN));
    ASSERT_EQ(upper.count, 18u);
    for (int k = 0; k <= 16; ++k) {
      const auto& a = r.vertices[lower.first + 1 + (16 - k)];
      const auto& b = r.vertices[upper.first + 1 + k];
      EXPECT_NEAR(a.x, b.x, 1e-6);
      EXPECT_NEAR(a.z, b.z, 1e-6);
      EXPECT_NEAR(a.y, -b.y, 1e-6);  // mirror images across the mouth's middle
      EXPECT_LE(a.x, 1e-6);          // the rim lies on the -x side
      if (step == 0) {
        EXPECT_NEAR(a.y, 0.0, 1e-6);  // a shut mouth: the fans coincide
      }
    }
  }
}

TEST_F(Models, PlayerColoursFollowThePowerAndTheGlow) {
  Player p(true);
  p.lightIntensity = 0.8f;
  const test::GlRecording& r = RecordPlayer(p);
  float c[4];
  ASSERT_TRUE(r.MaterialAt(0, GL_DIFFUSE, c));
  EXPECT_FLOAT_EQ(c[0], 1.0f);
  EXPECT_FLOAT_EQ(c[1], 1.0f);
  EXPECT_FLOAT_EQ(c[2], 0.0f);
  ASSERT_TRUE(r.MaterialAt(0, GL_AMBIENT, c));
  EXPECT_FLOAT_EQ(c[0], 1.0f / 3.0f);
  ASSERT_TRUE(r.MaterialAt(0, GL_EMISSION, c));
  EXPECT_FLOAT_EQ(c[0], 0.8f);
  EXPECT_FLOAT_EQ(c[1], 0.8f);
  EXPECT_FLOAT_EQ(c[2], 0.0f);
  // Mouth red with half ambient; eyes white.
  ASSERT_TRUE(r.MaterialAt(1056, GL_DIFFUSE, c));
  EXPECT_FLOAT_EQ(c[1], 0.0f);
  ASSERT_TRUE(r.MaterialAt(1056, GL_AMBIENT, c));
  EXPECT_FLOAT_EQ(c[0], 0.5f);
  ASSERT_TRUE(r.MaterialAt(kPlayerVertices - 1, GL_DIFFUSE, c));
  EXPECT_FLOAT_EQ(c[2], 1.0f);

  p.powered = true;
  const test::GlRecording& q = RecordPlayer(p);
  ASSERT_TRUE(q.MaterialAt(0, GL_DIFFUSE, c));
  EXPECT_FLOAT_EQ(c[0], 1.0f);
  EXPECT_FLOAT_EQ(c[1], 0.0f);
  EXPECT_FLOAT_EQ(c[2], 0.6f);
}

TEST_F(Models, TrailCopiesFadeOldestFirstAndOnlyWhileOn) {
  Player p(true);
  p.powered = true;
  p.trailLength = 3;
  p.trailOn = false;
  EXPECT_EQ(RecordPlayer(p).vertices.size(), kPlayerVertices);  // whatever trailLength holds

  p.trailOn = true;
  const test::GlRecording& r = RecordPlayer(p);
  ASSERT_EQ(r.vertices.size(), 4 * kPlayerVertices);
  const float expected[4] = {1.0f, 1.0f / 3.0f, 1.0f / 2.0f, 1.0f};  // the player, then oldest first
  for (int copy = 0; copy < 4; ++copy) {
    float c[4];
    ASSERT_TRUE(r.MaterialAt(copy * kPlayerVertices, GL_DIFFUSE, c));
    EXPECT_FLOAT_EQ(c[0], expected[copy]) << copy;
    EXPECT_FLOAT_EQ(c[2], 0.6f * expected[copy]) << copy;  // the powered hue
  }
  // The player is solid; its copies are blended without depth writes.
  EXPECT_FALSE(r.primitives.front().blended);
  EXPECT_TRUE(r.primitives.front().depthWrites);
  EXPECT_TRUE(r.primitives.back().blended);
  EXPECT_FALSE(r.primitives.back().depthWrites);

  // A damaged length never reads past the records.
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  p.trailLength = 1000;
  EXPECT_EQ(RecordPlayer(p).vertices.size(), (1 + kPlayerTrailCapacity) * kPlayerVertices);
  glDepthMask(GL_TRUE);
}

TEST_F(Models, MouthOpensAndClosesAtItsLimits) {
  Player p(true);
  p.mouth = 10.0f;
  p.mouthDir = 1;
  p.AnimateMouth(0.0);
  EXPECT_EQ(p.mouth, 10.0f);
  EXPECT_EQ(p.mouthDir, 1);
  p.AnimateMouth(2.0);
  EXPECT_FLOAT_EQ(p.mouth, 11.0f);

  p.mouth = 19.8f;
  p.AnimateMouth(1.0);
  EXPECT_EQ(p.mouthDir, -1);
  EXPECT_NEAR(p.mouth, 20.2f, 1e-5);
  p.AnimateMouth(1.0);
  EXPECT_NEAR(p.mouth, 19.7f, 1e-5);

  p.mouth = 0.3f;
  p.AnimateMouth(1.0);
  EXPECT_EQ(p.mouthDir, 1);
  EXPECT_NEAR(p.mouth, -0.1f, 1e-5);

  // A whole cycle from shut to shut takes 80 ticks.
  p.mouth = 0.1f;
  p.mouthDir = 1;
  int ticks = 0;
  bool closing = false;
  while (ticks < 1000) {
    p.AnimateMouth(1.0);
    ++ticks;
    if (p.mouthDir < 0) closing = true;
    if (closing && p.mouthDir > 0) break;
  }
  EXPECT_NEAR(ticks, 80, 1);
}

TEST_F(Models, GhostSendsDomeSkirtHemAndEyes) {
  Ghost ghost(2);
  test::StartGlRecording();
  ghost.Draw();  // no list yet: immediate mode
  test::StopGlRecording();
  const test::GlRecording& r = test::GlRecorded();
  EXPECT_EQ(r.vertices.size(), kGhostVertices);
  EXPECT_EQ(r.CountInMode(GL_TRIANGLES), 48u);
  int tips = 0;
  for (const auto& p : r.primitives) {
    if (p.mode != GL_TRIANGLES) continue;
    for (std::size_t i = p.first; i < p.first + p.count; ++i) {
      const auto& v = r.vertices[i];
      EXPECT_TRUE(v.y == -1.3f || v.y == -1.7f);
      EXPECT_NEAR(std::hypot(v.x, v.z), 1.0, 1e-5);
      EXPECT_EQ(v.ny, v.y);  // the hem's normals are its own coordinates
      tips += v.y == -1.7f;
    }
  }
  EXPECT_EQ(tips, 16);  // each tip is shared by the two triangles of its tooth

  test::StartGlRecording();
  ghost.BuildDisplayList();
  test::StopGlRecording();
  ASSERT_NE(ghost.displayList, 0u);
  EXPECT_EQ(test::GlRecorded().vertices.size(), kGhostVertices);
  test::StartGlRecording();
  ghost.Draw();
  test::StopGlRecording();
  EXPECT_EQ(test::GlRecorded().vertices.size(), 0u);  // the list does the sending
  glDeleteLists(ghost.displayList, 1);
}

TEST_F(Models, GhostBodyMaterialFollowsEatenWithoutARebuild) {
  Ghost ghost(1);
  ghost.SetColour(0.01f, 0.5f, 0.01f);
  ghost.BuildDisplayList();
  const std::uint32_t list = ghost.displayList;
  auto diffuseAfterDraw = [&](float out[4]) {
    ghost.Draw();
    // The list ends with the eyes' material, so read what Draw set first.
    test::StartGlRecording();
    ghost.displayList = 0;
    ghost.Draw();
    ghost.displayList = list;
    test::StopGlRecording();
    ASSERT_TRUE(test::GlRecorded().MaterialAt(0, GL_DIFFUSE, out));
  };
  float c[4];
  diffuseAfterDraw(c);
  EXPECT_FLOAT_EQ(c[1], 0.5f);
  ghost.SetEaten(true);
  diffuseAfterDraw(c);
  EXPECT_FLOAT_EQ(c[0], 0.07f);
  EXPECT_FLOAT_EQ(c[1], 0.07f);
  const test::GlRecording& r = test::GlRecorded();
  float eye[4];
  ASSERT_TRUE(r.MaterialAt(kGhostVertices - 1, GL_DIFFUSE, eye));
  EXPECT_FLOAT_EQ(eye[0], 0.9f);  // eyes stay light grey
  ghost.SetEaten(false);
  diffuseAfterDraw(c);
  EXPECT_FLOAT_EQ(c[1], 0.5f);
  EXPECT_EQ(ghost.displayList, list);

  // Seen on screen: coloured, then dark.
  FrontView(1.5f);
  ghost.SetPosition(0, 0, 0);
  ghost.Draw();
  std::uint8_t px[3];
  test::ReadPixel(kW / 2, kH / 2 + 60, px);  // on the dome
  EXPECT_GT(px[1], 100);
  EXPECT_LT(px[0], 40);
  FrontView(1.5f);
  ghost.SetEaten(true);
  ghost.Draw();
  test::ReadPixel(kW / 2, kH / 2 + 60, px);
  EXPECT_LT(px[1], 60);
  glDeleteLists(list, 1);
}

TEST_F(Models, BossIsThreeTimesAsLargeAndBothWaysDrawTheSame) {
  Ghost small(3), boss(100);
  for (Ghost* g : {&small, &boss}) {
    g->SetColour(0.5f, 0.5f, 0.01f);
    g->SetPosition(0, 0, 0);
    g->heading = 30.0f;
  }
  FrontView(3.0f);
  small.Draw();
  const int smallHeight = DrawnHeight();
  const std::vector<std::uint8_t> smallImmediate = Frame();
  FrontView(3.0f);
  boss.Draw();
  const int bossHeight = DrawnHeight();
  // 1.7 + 1 = 2.7 model units tall, at 80 pixels a unit.
  EXPECT_NEAR(smallHeight, 2.7 * 0.5 * 80, 3);
  EXPECT_NEAR(bossHeight, 3.0 * smallHeight, 4);

  // Compiled or not, the same picture.
  small.BuildDisplayList();
  ASSERT_NE(small.displayList, 0u);
  FrontView(3.0f);
  small.Draw();
  EXPECT_EQ(Frame(), smallImmediate);
  glDeleteLists(small.displayList, 1);
}

TEST_F(Models, GhostEyesLookAlongPlusX) {
  Ghost ghost(0);
  ghost.SetColour(0.5f, 0.01f, 0.01f);
  ghost.SetPosition(0, 0, 0);
  ghost.heading = 90.0f;  // +x turns towards -z... and the eyes away from the viewer
  FrontView(1.5f);
  ghost.Draw();
  GLdouble mv[16], pr[16];
  GLint vp[4] = {0, 0, kW, kH};
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  auto colourAt = [&](double x, double y, double z, std::uint8_t rgb[3]) {
    GLdouble sx, sy, sz;
    gluProject(x, y, z, mv, pr, vp, &sx, &sy, &sz);
    test::ReadPixel(static_cast<int>(sx), static_cast<int>(sy), rgb);
  };
  std::uint8_t c[3];
  colourAt(0.0, 0.0, 0.45, c);  // where the eyes would be if they faced the viewer: body red
  EXPECT_GT(c[0], 60);
  EXPECT_LT(c[2], 30);
  ghost.heading = -90.0f;  // +x now faces the viewer (+z)
  FrontView(1.5f);
  ghost.Draw();
  const double e = 0.5 * 0.95 * std::sin(22.5 * 3.14159265 / 180.0);
  for (double side : {-1.0, 1.0}) {
    colourAt(side * e, 0.0, 0.6, c);
    EXPECT_GT(c[2], 120) << side;  // light grey eye
    EXPECT_GT(c[1], 120) << side;
  }
  colourAt(0.0, 0.0, 0.6, c);  // between the eyes: body
  EXPECT_LT(c[2], 30);
}

TEST_F(Models, PlaySceneFromAbove) {
  test::DrawSceneOptions options;
  options.width = 10;
  options.height = 8;
  options.coins = 12;
  options.largePellets = 1;
  options.ghosts = 2;
  test::DrawScene scene(options);
  scene.Render();

  const std::string dir = std::string(GLUMBO_BINARY_DIR) + "/pictures";
  std::filesystem::create_directories(dir);
  EXPECT_TRUE(test::SaveFramebufferPng(dir + "/play_scene_overhead.png", kW, kH));

  // Pixels found through the camera's own projection.
  scene.camera->Apply();
  GLdouble mv[16], pr[16];
  GLint vp[4] = {0, 0, kW, kH};
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  auto colourAt = [&](double x, double y, double z, std::uint8_t rgb[3]) {
    GLdouble sx, sy, sz;
    ASSERT_TRUE(gluProject(x, y, z, mv, pr, vp, &sx, &sy, &sz));
    ASSERT_GE(sx, 0);
    ASSERT_LT(sx, kW);
    ASSERT_GE(sy, 0);
    ASSERT_LT(sy, kH);
    test::ReadPixel(static_cast<int>(sx), static_cast<int>(sy), rgb);
  };
  std::uint8_t wall[3], floor[3], body[3], red[3], blue[3];
  // The player stands on (4.5, 3.5), the ghosts on (2.5, 3.5) and (6.5, 3.5).
  ASSERT_EQ(scene.player->x, 4.5f);
  ASSERT_EQ(scene.player->z, 3.5f);
  colourAt(9.5, 1.5, 4.5, wall);   // top of the east border wall
  colourAt(1.3, 0.0, 1.3, floor);  // an empty cell in the north-west corner
  colourAt(4.5, 1.0, 3.5, body);   // top of the player
  colourAt(2.5, 1.4, 3.5, red);    // top of ghost 0's dome
  colourAt(6.5, 1.4, 3.5, blue);   // top of ghost 1's dome
  SCOPED_TRACE(::testing::Message() << "wall " << +wall[0] << "," << +wall[1] << "," << +wall[2] << " floor "
                                    << +floor[0] << "," << +floor[1] << "," << +floor[2] << " player "
                                    << +body[0] << "," << +body[1] << "," << +body[2] << " ghosts "
                                    << +red[0] << "," << +red[1] << "," << +red[2] << " / " << +blue[0]
                                    << "," << +blue[1] << "," << +blue[2]);
  EXPECT_GT(wall[2], wall[0] + 60);
  EXPECT_GT(wall[2], wall[1] + 60);
  EXPECT_GT(floor[1], floor[0] + 50);
  EXPECT_GT(floor[1], floor[2] + 50);
  EXPECT_GT(body[0], 150);
  EXPECT_GT(body[1], 150);
  EXPECT_LT(body[2], 60);
  // The ghosts add their colour to the bright green floor behind them, so
  // they are told apart by the channels the floor leaves free.
  EXPECT_GT(red[0], blue[0] + 80);
  EXPECT_GT(blue[2], red[2] + 80);
}

}  // namespace

namespace {

TEST_F(Models, CloseUpOfThePlayersAndAGhost) {
  // The main player, the partner and a ghost side by side, looked at from
  // the front and a little above, with the mouths facing the viewer.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 640.0 / 480.0, 1.0, 50.0);
  gluLookAt(0, 1.5, 4, 0, 0.3, 0, 0, 1, 0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const float light[4] = {1, 3, 4, 0};
  const float white[4] = {1, 1, 1, 1};
  glLightfv(GL_LIGHT0, GL_POSITION, light);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  Player main(true), partner(false);
  main.SetPosition(-1.2f, 0.5f, 0);
  partner.SetPosition(0, 0.5f, 0);
  main.heading = partner.heading = 90.0f;  // the mouth (-x) turned towards +z
  main.mouth = partner.mouth = 14.0f;
  main.DrawPlayer();
  partner.DrawPlayer();
  Ghost ghost(0);
  ghost.SetColour(0.5f, 0.01f, 0.01f);
  ghost.SetPosition(1.3f, 0.9f, 0);
  ghost.heading = -90.0f;  // eyes (+x) towards +z
  glDisable(GL_CULL_FACE);
  ghost.Draw();
  glEnable(GL_CULL_FACE);

  const std::string dir = std::string(GLUMBO_BINARY_DIR) + "/pictures";
  std::filesystem::create_directories(dir);
  EXPECT_TRUE(test::SaveFramebufferPng(dir + "/models_close_up.png", kW, kH));

  GLdouble mv[16], pr[16];
  GLint vp[4] = {0, 0, kW, kH};
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  auto colourAt = [&](double x, double y, double z, std::uint8_t rgb[3]) {
    GLdouble sx, sy, sz;
    gluProject(x, y, z, mv, pr, vp, &sx, &sy, &sz);
    test::ReadPixel(static_cast<int>(sx), static_cast<int>(sy), rgb);
  };
  std::uint8_t c[3];
  colourAt(-1.2, 0.5, 0.45, c);  // the main player's open mouth: red inside
  EXPECT_GT(c[0], 100);
  EXPECT_LT(c[1], 60);
  colourAt(-1.2, 0.85, 0.2, c);  // above the mouth: yellow body
  EXPECT_GT(c[1], 100);
  EXPECT_LT(c[2], 60);
}

}  // namespace
