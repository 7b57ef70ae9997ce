// The maze as it is sent to OpenGL: wall pieces, floor, doors and items,
// counted at the GL boundary and looked at from above and from the sides.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <memory>

#include "game/game_values.h"
#include "platform/gl.h"
#include "render/visibility_grid.h"
#include "support/draw_scene.h"
#include "support/gl_counting.h"
#include "support/test_support.h"
#include "world/level.h"
#include "world/texture.h"
#include "world/world_graphics.h"

namespace {

constexpr int kW = 640, kH = 480;

class MazeDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    glViewport(0, 0, kW, kH);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    worldGraphicsEnabled = false;
    level = std::make_unique<Level>(2);
    worldGraphicsEnabled = true;
    texturesEnabled = true;
  }
  // Flat white drawing, so coverage alone is seen.
  static void Unlit() {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor3f(1, 1, 1);
  }
  // An orthographic view straight down on world x0..x1, z0..z1, north at the top.
  static void TopView(float x0, float x1, float z0, float z1) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(x0, x1, -z1, -z0, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(90, 1, 0, 0);
  }
  static bool CoveredAt(float fx, float fz, float x0 = 0, float x1 = 1, float z0 = 0, float z1 = 1) {
    const int px = static_cast<int>((fx - x0) / (x1 - x0) * kW);
    const int py = static_cast<int>((z1 - fz) / (z1 - z0) * kH);
    std::uint8_t rgb[3];
    test::ReadPixel(std::min(px, kW - 1), std::min(py, kH - 1), rgb);
    return rgb[0] + rgb[1] + rgb[2] > 60;
  }
  static int CoveredPixels() {
    std::vector<std::uint8_t> rgb(kW * kH * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int n = 0;
    for (std::size_t i = 0; i < rgb.size(); i += 3) n += rgb[i] + rgb[i + 1] + rgb[i + 2] > 60;
    return n;
  }
  static std::size_t CountWallPiece(int code) {
    test::StartGlRecording();
    glPushMatrix();
    DrawWallPiece(code);
    glPopMatrix();
    test::StopGlRecording();
    return test::GlRecorded().vertices.size();
  }

  test::GLContext gl;
  std::unique_ptr<Level> level;
};

TEST_F(MazeDraw, EachWallCodeSendsItsPieceSize) {
  const std::map<int, std::size_t> expected = {
      {4, 44},  {5, 44},  {6, 44},  {7, 44},  {8, 56},  {9, 0},   {10, 0},  {11, 56}, {12, 0},
      {13, 56}, {14, 56}, {15, 0},  {16, 28}, {17, 28}, {18, 28}, {19, 28}, {20, 12}, {21, 12},
      {0, 0},   {3, 0},   {22, 0},  {3000, 0}, {-4, 0}};
  for (const auto& [code, count] : expected) EXPECT_EQ(CountWallPiece(code), count) << "code " << code;
}

// What a wall piece reaches at each edge of its cell: nothing, an open join,
// or a rounded end.
enum Edge { None, Open, Round };
struct Shape {
  Edge north, east, south, west;
};

const std::map<int, Shape>& Shapes() {
  static const std::map<int, Shape> shapes = {
      {4, {None, Open, Open, None}},   {5, {None, None, Open, Open}},  {6, {Open, Open, None, None}},
      {7, {Open, None, None, Open}},   {8, {None, Round, Open, None}}, {11, {Open, None, None, Round}},
      {13, {None, None, Open, Round}}, {14, {Open, Round, None, None}}, {16, {Round, None, Open, None}},
      {17, {Open, None, Round, None}}, {18, {None, Open, None, Round}}, {19, {None, Round, None, Open}},
      {20, {None, Open, None, Open}},  {21, {Open, None, Open, None}},  {9, {None, None, None, None}},
      {10, {None, None, None, None}},  {12, {None, None, None, None}}, {15, {None, None, None, None}}};
  return shapes;
}

TEST_F(MazeDraw, WallPiecesSeenFromAboveReachTheirEdges) {
  const std::map<int, Shape>& shapes = Shapes();
  Unlit();
  TopView(0, 1, 0, 1);
  for (const auto& [code, shape] : shapes) {
    SCOPED_TRACE(code);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslatef(0.5f, 0, 0.5f);
    DrawWallPiece(code);
    glPopMatrix();
    // Edge midpoints, and a point off the centre line near each edge that an
    // open join covers and a rounded end does not.
    struct Probe {
      Edge edge;
      float mx, mz, ox, oz;
    } probes[4] = {{shape.north, 0.5f, 0.01f, 0.38f, 0.02f},
                   {shape.east, 0.99f, 0.5f, 0.98f, 0.38f},
                   {shape.south, 0.5f, 0.99f, 0.62f, 0.98f},
                   {shape.west, 0.01f, 0.5f, 0.02f, 0.62f}};
    const char* names[4] = {"north", "east", "south", "west"};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(CoveredAt(probes[i].mx, probes[i].mz), probes[i].edge != None) << names[i] << " midpoint";
      EXPECT_EQ(CoveredAt(probes[i].ox, probes[i].oz), probes[i].edge == Open) << names[i] << " off centre";
    }
    // The quarter cells away from the centre lines are always open floor.
    for (float qx : {0.2f, 0.8f})
      for (float qz : {0.2f, 0.8f}) EXPECT_FALSE(CoveredAt(qx, qz));
    // A corner is rounded on the outside and square on the inside.
    if (code >= 4 && code <= 7) {
      const float dx = (shape.east == Open) - (shape.west == Open);
      const float dz = (shape.south == Open) - (shape.north == Open);
      EXPECT_TRUE(CoveredAt(0.5f + 0.13f * dx, 0.5f + 0.13f * dz)) << "inner corner";
      EXPECT_FALSE(CoveredAt(0.5f - 0.13f * dx, 0.5f - 0.13f * dz)) << "outer corner";
    }
  }
}

TEST_F(MazeDraw, EveryFacingSideOfAWallShowsUnderBackFaceCulling) {
  // From each side and from above, a piece drawn with back faces culled
  // covers what it covers with culling off: no face that looks at the
  // viewer is wound away from it. Looking into an open join shows the
  // piece's inside, which the neighbouring wall hides in a maze; those
  // views are left out.
  Unlit();
  struct View {
    float angle, ax, ay, az;
    int side;  // the side seen: 0 north, 1 east, 2 south, 3 west, -1 top
  } views[5] = {{90, 1, 0, 0, -1}, {0, 0, 1, 0, 2}, {90, 0, 1, 0, 3}, {180, 0, 1, 0, 0}, {270, 0, 1, 0, 1}};
  for (const auto& [code, shape] : Shapes()) {
    const Edge edges[4] = {shape.north, shape.east, shape.south, shape.west};
    for (const View& v : views) {
      if (v.side >= 0 && edges[v.side] == Open) continue;
      int counts[2];
      for (int culled = 0; culled < 2; ++culled) {
        if (culled) glEnable(GL_CULL_FACE); else glDisable(GL_CULL_FACE);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-0.8, 0.8, -0.8, 1.8, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotatef(v.angle, v.ax, v.ay, v.az);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawWallPiece(code);
        counts[culled] = CoveredPixels();
      }
      EXPECT_NEAR(counts[1], counts[0], counts[0] / 200 + 8) << "code " << code << " side " << v.side;
      if (code != 9 && code != 10 && code != 12 && code != 15) {
        EXPECT_GT(counts[1], 1000) << "code " << code << " side " << v.side;
      }
    }
  }
  glEnable(GL_CULL_FACE);
}

TEST_F(MazeDraw, CornerInALevelCellTurnsAboutTheCellCentre) {
  // Lit from straight above, the walls show blue and the floor green.
  level->walls.width = 6;
  level->walls.height = 6;
  level->walls.cells[3][4] = 6;
  TopView(3, 4, 4, 5);
  const float down[4] = {0, 1, 0, 0};
  const float white[4] = {1, 1, 1, 1};
  const float none[4] = {0, 0, 0, 1};
  glLightfv(GL_LIGHT0, GL_POSITION, down);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_SPECULAR, none);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  texturesEnabled = false;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  level->Draw();
  auto colourAt = [](float x, float z, std::uint8_t rgb[3]) {
    test::ReadPixel(static_cast<int>((x - 3) * kW), static_cast<int>((5 - z) * kH), rgb);
  };
  auto isWall = [&](float x, float z) {
    std::uint8_t c[3];
    colourAt(x, z, c);
    return c[2] > 200 && c[1] < 100 && c[0] < 100;
  };
  auto isFloor = [&](float x, float z) {
    std::uint8_t c[3];
    colourAt(x, z, c);
    return c[1] > 160 && c[2] < 100 && c[0] < 100;
  };
  EXPECT_TRUE(isWall(3.5f, 4.01f));   // north edge z = 4
  EXPECT_TRUE(isWall(3.99f, 4.5f));   // east edge x = 4
  EXPECT_TRUE(isWall(3.5f, 4.5f));
  EXPECT_TRUE(isFloor(3.5f, 4.99f));  // not the south edge
  EXPECT_TRUE(isFloor(3.01f, 4.5f));  // nor the west edge
  EXPECT_TRUE(isFloor(3.2f, 4.2f));
}

TEST_F(MazeDraw, FloorIsOneStripPerRowOrTheVisibleCells) {
  level->walls.width = 10;
  level->walls.height = 3;
  VisibilityGrid grid;
  grid.SetSize(10, 3);
  level->SetVisibilityGrid(&grid);

  test::StartGlRecording();
  level->Draw();
  test::StopGlRecording();
  EXPECT_EQ(test::GlRecorded().CountInMode(GL_QUAD_STRIP), 66u);
  EXPECT_EQ(test::GlRecorded().vertices.size(), 66u);

  grid.ToggleEnabled();
  const int visibleCells[7][2] = {{0, 0}, {9, 0}, {4, 1}, {5, 1}, {0, 2}, {1, 2}, {2, 2}};
  for (const auto& c : visibleCells) grid.visible[c[0] * 100 + c[1]] = 1;
  test::StartGlRecording();
  level->Draw();
  test::StopGlRecording();
  const test::GlRecording& r = test::GlRecorded();
  EXPECT_EQ(r.CountInMode(GL_QUADS), 28u);
  EXPECT_EQ(r.vertices.size(), 28u);
  // Each square is its own cell, wound to face up.
  for (std::size_t q = 0; q < r.vertices.size(); q += 4) {
    const auto& a = r.vertices[q];
    const auto& c = r.vertices[q + 2];
    EXPECT_FLOAT_EQ(c.x - a.x, 1.0f);
    EXPECT_FLOAT_EQ(c.z - a.z, 1.0f);
    EXPECT_FLOAT_EQ(a.ny, 1.0f);
    EXPECT_EQ(grid.visible[static_cast<int>(a.x) * 100 + static_cast<int>(a.z)], 1);
  }
}

TEST_F(MazeDraw, CulledCellsSendNoWalls) {
  level->walls.width = 4;
  level->walls.height = 1;
  for (int x = 0; x < 4; ++x) level->walls.cells[x][0] = 21;
  VisibilityGrid grid;
  grid.SetSize(4, 1);
  grid.ToggleEnabled();
  grid.visible[1 * 100 + 0] = 1;
  level->SetVisibilityGrid(&grid);
  test::StartGlRecording();
  level->Draw();
  test::StopGlRecording();
  // One wall piece and one floor square.
  EXPECT_EQ(test::GlRecorded().vertices.size(), 12u + 4u);
}

TEST_F(MazeDraw, ItemsSendTheirShapesAndNothingWhenGone) {
  auto record = [](auto draw) {
    test::StartGlRecording();
    draw();
    test::StopGlRecording();
    return test::GlRecorded().vertices.size();
  };
  Coin coin;
  EXPECT_EQ(record([&] { coin.Draw(); }), 0u);  // never placed: not visible
  coin.SetPosition(1.5f, 0.6f, 1.5f);
  EXPECT_EQ(record([&] { coin.Draw(); }), 6u);
  coin.SetVisible(false);
  EXPECT_EQ(record([&] { coin.Draw(); }), 0u);

  worldGraphicsEnabled = false;  // no lights wanted here
  LargePellet pellet(0);
  worldGraphicsEnabled = true;
  EXPECT_EQ(record([&] { pellet.DrawSparks(); pellet.DrawSphere(); }), 0u);
  pellet.active = true;
  EXPECT_EQ(record([&] { pellet.DrawSparks(); }), 1800u);
  EXPECT_EQ(record([&] { pellet.DrawSphere(); }), 72u);

  FloorArrow arrow;
  EXPECT_EQ(record([&] { arrow.Draw(); }), 4u);

  Door door;
  EXPECT_EQ(record([&] { door.Draw(); }), 0u);
  std::unique_ptr<Texture> frame(test::MakeTestTexture(4, false));
  door.SetTextures(frame.get(), nullptr);
  EXPECT_EQ(record([&] { door.Draw(); }), 0u);  // a missing leaf texture draws nothing
  door.SetTextures(nullptr, frame.get());
  EXPECT_EQ(record([&] { door.Draw(); }), 0u);
  door.SetTextures(frame.get(), frame.get());
  EXPECT_EQ(record([&] { door.Draw(); }), 80u);
}

TEST_F(MazeDraw, CoinAndSparkSquaresShowFromBothSides) {
  Unlit();
  glEnable(GL_CULL_FACE);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-0.2, 0.2, -0.2, 0.2, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  Coin coin;
  coin.SetPosition(0, 0, 0);
  coin.angleX = coin.angleY = coin.angleZ = 0;
  for (float turn : {0.0f, 180.0f}) {
    glLoadIdentity();
    glRotatef(turn, 0, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    coin.Draw();
    // The whole square, from its centre to near each corner, and nothing beyond.
    for (float fx : {-0.13f, 0.0f, 0.13f})
      for (float fy : {-0.13f, 0.0f, 0.13f}) EXPECT_TRUE(CoveredAt(fx, -fy, -0.2f, 0.2f, -0.2f, 0.2f)) << turn;
    EXPECT_FALSE(CoveredAt(0.18f, 0.0f, -0.2f, 0.2f, -0.2f, 0.2f));
  }
}

TEST_F(MazeDraw, DoorLeavesSwingOutTowardsMinusZ) {
  std::unique_ptr<Texture> texture(test::MakeTestTexture(4, false));
  Door door;
  door.SetTextures(texture.get(), texture.get());
  door.SetPosition(0, 0, 0);
  Unlit();
  glEnable(GL_TEXTURE_2D);
  const float x0 = -2.5f, x1 = 2.5f, z0 = -1.5f, z1 = 0.5f;
  auto covered = [&](float x, float z) { return CoveredAt(x, z, x0, x1, z0, z1); };
  for (float angle : {0.0f, 90.0f, 180.0f}) {
    SCOPED_TRACE(angle);
    door.angle = angle;
    TopView(x0, x1, z0, z1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    door.Draw();
    EXPECT_TRUE(covered(0.0f, 0.0f));  // the lintel over the opening
    EXPECT_EQ(covered(-0.97f, -0.7f), angle == 90.0f);  // left leaf standing out from its jamb
    EXPECT_EQ(covered(0.97f, -0.7f), angle == 90.0f);
    EXPECT_EQ(covered(-1.5f, -0.2f), angle == 180.0f);  // folded back outside the opening
    EXPECT_EQ(covered(1.5f, -0.2f), angle == 180.0f);
    EXPECT_FALSE(covered(0.0f, -0.7f));
    EXPECT_FALSE(covered(0.0f, 0.3f));  // nothing on the +z side

    // From the front (+z): a shut door fills the opening, an open one leaves it clear.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.5, 2.5, -0.25, 1.75, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    door.Draw();
    auto front = [&](float x, float y) { return CoveredAt(x, -y, -2.5f, 2.5f, -1.75f, 0.25f); };
    EXPECT_EQ(front(-0.5f, 0.7f), angle == 0.0f);
    EXPECT_EQ(front(0.5f, 0.7f), angle == 0.0f);
    EXPECT_TRUE(front(0.0f, 1.45f));   // lintel
    // Half open, a leaf is seen end-on next to its jamb; folded back, it
    // shows its back beyond the jamb.
    EXPECT_EQ(front(-0.97f, 0.5f), angle == 90.0f || angle == 0.0f);
    EXPECT_EQ(front(-1.5f, 0.7f), angle == 180.0f);
    EXPECT_EQ(front(1.5f, 0.7f), angle == 180.0f);
  }
}

TEST_F(MazeDraw, DrawPassesUseTheirStatesAndLeaveTheirState) {
  level->walls.width = 3;
  level->walls.height = 3;
  level->walls.cells[0][0] = 21;
  level->wallTexture = test::MakeTestTexture(4, false);
  level->floorTexture = test::MakeTestTexture(4, false);
  level->doorTexture = test::MakeTestTexture(4, false);
  level->arrowTexture = test::MakeTestTexture(4, false);
  level->coinTexture = test::MakeTestTexture(4, false);
  level->sparkTexture = test::MakeTestTexture(4, false);
  auto* door = new Door;
  door->SetTextures(level->wallTexture, level->doorTexture);
  door->SetPosition(2.0f, 0, 1.5f);
  level->doors->Append(door);
  auto* arrow = new FloorArrow;
  arrow->SetPosition(1.5f, 1.5f);
  level->floorArrows->Append(arrow);
  auto* coin = new Coin;
  coin->SetPosition(1.5f, 0.6f, 2.5f);
  level->coins->Append(coin);
  worldGraphicsEnabled = false;
  auto* pellet = new LargePellet(0);
  worldGraphicsEnabled = true;
  pellet->active = true;
  pellet->x = 2.5f, pellet->z = 2.5f;
  level->largePellets->Append(pellet);

  for (bool textures : {true, false}) {
    SCOPED_TRACE(textures);
    texturesEnabled = textures;
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    test::StartGlRecording();
    level->Draw();
    test::StopGlRecording();
    const test::GlRecording& r = test::GlRecorded();
    // Wall, floor strips, 10 door faces, arrow, coin, 300 sparks, 4 sphere bands.
    ASSERT_EQ(r.primitives.size(), 1u + 3u + 4u + 1u + 1u + 300u + 4u);
    const auto& wall = r.primitives[0];
    const auto& floor = r.primitives[1];
    const auto& doorFrame = r.primitives[4];
    const auto& arrowQuad = r.primitives[8];
    const auto& coinStrip = r.primitives[9];
    const auto& spark = r.primitives[10];
    const auto& sphere = r.primitives.back();
    EXPECT_EQ(wall.textured, textures);
    EXPECT_EQ(floor.textured, textures);
    EXPECT_EQ(doorFrame.textured, textures);
    if (textures) {
      EXPECT_EQ(wall.texture, level->wallTexture->name - 1);
      EXPECT_EQ(floor.texture, level->floorTexture->name - 1);
    }
    for (const auto* p : {&wall, &floor, &doorFrame}) {
      EXPECT_TRUE(p->lit);
      EXPECT_FALSE(p->blended);
      EXPECT_TRUE(p->depthWrites);
    }
    EXPECT_TRUE(arrowQuad.textured);
    EXPECT_TRUE(arrowQuad.blended);
    EXPECT_TRUE(arrowQuad.lit);
    EXPECT_EQ(arrowQuad.texture, level->arrowTexture->name - 1);
    for (const auto* p : {&coinStrip, &spark}) {
      EXPECT_TRUE(p->textured);
      EXPECT_TRUE(p->blended);
      EXPECT_FALSE(p->lit);
      EXPECT_FALSE(p->depthWrites);
    }
    EXPECT_EQ(coinStrip.texture, level->coinTexture->name - 1);
    EXPECT_EQ(spark.texture, level->sparkTexture->name - 1);
    EXPECT_FLOAT_EQ(coinStrip.colour[0], 1.0f);
    EXPECT_FLOAT_EQ(coinStrip.colour[2], 0.0f);
    EXPECT_FLOAT_EQ(spark.colour[3], pellet->particles[0].life);
    EXPECT_FALSE(sphere.textured);
    EXPECT_FALSE(sphere.lit);
    EXPECT_FALSE(sphere.blended);
    EXPECT_TRUE(sphere.depthWrites);

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLboolean mask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_TRUE);
  }
}

TEST_F(MazeDraw, DoorIndicatorDrawsOnlyWhileShowing) {
  std::unique_ptr<Texture> texture(test::MakeTestTexture(4, false));
  level->doorIndicator = new Door;
  level->doorIndicator->SetTextures(texture.get(), texture.get());
  test::StartGlRecording();
  level->DrawDoorIndicator();
  level->indicatorShowing = true;
  level->DrawDoorIndicator();
  test::StopGlRecording();
  EXPECT_EQ(test::GlRecorded().vertices.size(), 80u);
  delete level->doorIndicator;
  level->doorIndicator = nullptr;
  test::StartGlRecording();
  level->DrawDoorIndicator();  // showing but gone: nothing, and no crash
  test::StopGlRecording();
  EXPECT_EQ(test::GlRecorded().vertices.size(), 0u);
}

}  // namespace
