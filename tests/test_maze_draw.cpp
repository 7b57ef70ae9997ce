// The maze as it is sent to OpenGL: wall pieces, floor, doors and items,
// counted at the GL boundary and looked at from above and from the sides.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <tuple>

#include "game/game_values.h"
#include "support/draw_scene.h"
#include "support/frame_pixels.h"
#include "support/gl_counting.h"
#include "support/gl_views.h"
#include "world/texture.h"
#include "world/world_graphics.h"

namespace {

constexpr int kW = 640, kH = 480;

class MazeDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    glViewport(0, 0, kW, kH), glEnable(GL_DEPTH_TEST), glDepthFunc(GL_LEQUAL), glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK), glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    worldGraphicsEnabled = false, texturesEnabled = true;  // no texture files, no pellet lights
    level = std::make_unique<Level>(2);
  }
  // Flat white drawing, so coverage alone is seen; cleared, looking along -z
  // at x0..x1 and, when `above`, turned to look down on z0..z1 with north up.
  static void View(float x0, float x1, float z0, float z1, bool above = true) {
    glDisable(GL_LIGHTING), glDisable(GL_TEXTURE_2D), glDisable(GL_BLEND), glColor3f(1, 1, 1);
    test::Ortho(x0, x1, -z1, -z0), glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (above) glRotatef(90, 1, 0, 0);
  }
  // Whether the point (x, z) of the last view is drawn on.
  static bool CoveredAt(float fx, float fz, float x0 = 0, float x1 = 1, float z0 = 0, float z1 = 1) {
    std::uint8_t rgb[3];
    test::ReadPixel(std::min(static_cast<int>((fx - x0) / (x1 - x0) * kW), kW - 1),
                    std::min(static_cast<int>((z1 - fz) / (z1 - z0) * kH), kH - 1), rgb);
    return rgb[0] + rgb[1] + rgb[2] > 60;
  }
  static std::size_t Sent(const std::function<void()>& draw) { return test::Record(draw).vertices.size(); }
  test::GLContext gl;
  std::unique_ptr<Texture> white{test::MakeTestTexture(4, false)};
  std::unique_ptr<Level> level;
};

// What a wall piece reaches at each edge of its cell (north, east, south,
// west): nothing, an open join, or a rounded end; and the vertices it sends.
enum Edge { None, Open, Round };
struct Piece { std::array<Edge, 4> edges; std::size_t vertices; };
const std::map<int, Piece> kPieces = {
    {4, {{None, Open, Open, None}, 44}},   {5, {{None, None, Open, Open}, 44}},  {6, {{Open, Open, None, None}, 44}},
    {7, {{Open, None, None, Open}, 44}},   {8, {{None, Round, Open, None}, 56}}, {11, {{Open, None, None, Round}, 56}},
    {13, {{None, None, Open, Round}, 56}}, {14, {{Open, Round, None, None}, 56}}, {16, {{Round, None, Open, None}, 28}},
    {17, {{Open, None, Round, None}, 28}}, {18, {{None, Open, None, Round}, 28}}, {19, {{None, Round, None, Open}, 28}},
    {20, {{None, Open, None, Open}, 12}},  {21, {{Open, None, Open, None}, 12}},  {9, {}},  {10, {}}, {12, {}}, {15, {}},
    {0, {}}, {3, {}}, {22, {}}, {3000, {}}, {-4, {}}};

TEST_F(MazeDraw, WallPiecesSendTheirSizeReachTheirEdgesAndShowEveryFacingSideUnderBackFaceCulling) {
  // Per edge: its midpoint, and a point off the centre line near it that an
  // open join covers and a rounded end does not.
  const float probes[4][4] = {{0.5f, 0.01f, 0.38f, 0.02f}, {0.99f, 0.5f, 0.98f, 0.38f},
                              {0.5f, 0.99f, 0.62f, 0.98f}, {0.01f, 0.5f, 0.02f, 0.62f}};
  // Turns to look from above (side -1) and from the side of each edge.
  const float views[5][5] = {{90, 1, 0, 0, -1}, {0, 0, 1, 0, 2}, {90, 0, 1, 0, 3}, {180, 0, 1, 0, 0}, {270, 0, 1, 0, 1}};
  for (const auto& [code, piece] : kPieces) {
    SCOPED_TRACE(code);
    const auto& shape = piece.edges;
    View(0, 1, 0, 1), glTranslatef(0.5f, 0, 0.5f);
    EXPECT_EQ(Sent([c = code] { DrawWallPiece(c); }), piece.vertices);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(std::pair(CoveredAt(probes[i][0], probes[i][1]), CoveredAt(probes[i][2], probes[i][3])),
                std::pair(shape[i] != None, shape[i] == Open)) << "edge " << i << ": midpoint, off centre";
    for (float q : {0.2f, 0.8f}) EXPECT_FALSE(CoveredAt(q, q) || CoveredAt(q, 1 - q)) << "quarter cells are floor";
    if (code >= 4 && code <= 7) {  // a corner is square on the inside and rounded on the outside
      const float dx = (shape[1] == Open) - (shape[3] == Open), dz = (shape[2] == Open) - (shape[0] == Open);
      EXPECT_TRUE(CoveredAt(0.5f + 0.13f * dx, 0.5f + 0.13f * dz) && !CoveredAt(0.5f - 0.13f * dx, 0.5f - 0.13f * dz));
    }
    // From each side and from above, drawn with back faces culled it covers
    // what it covers with culling off. Looking into an open join shows the
    // piece's inside, which the neighbouring wall hides in a maze.
    for (const auto& [angle, ax, ay, az, side] : views) {
      if (piece.vertices == 0 || (side >= 0 && shape[static_cast<int>(side)] == Open)) continue;
      int counts[2];
      for (int culled = 0; culled < 2; ++culled) {
        View(-0.8f, 0.8f, -1.8f, 0.8f, false), culled ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
        glRotatef(angle, ax, ay, az), DrawWallPiece(code);
        counts[culled] = test::FramePixels(kW, kH).Count([](const std::uint8_t* p) { return p[0] + p[1] + p[2] > 60; });
      }
      EXPECT_TRUE(counts[1] > 1000 && std::abs(counts[1] - counts[0]) <= counts[0] / 200 + 8)
          << "side " << side << ": " << counts[0] << " unculled, " << counts[1] << " culled";
    }
  }
}

TEST_F(MazeDraw, DrawPassesUseTheirStatesAndLeaveTheirState) {
  level->walls.width = level->walls.height = 3, level->walls.cells[0][0] = 21;
  for (Texture** slot : {&level->wallTexture, &level->floorTexture, &level->doorTexture, &level->arrowTexture,
                         &level->coinTexture, &level->sparkTexture})
    *slot = test::MakeTestTexture(4, false);
  auto* door = new Door;
  door->SetTextures(level->wallTexture, level->doorTexture), door->SetPosition(2.0f, 0, 1.5f), level->doors->Append(door);
  auto* pellet = new LargePellet(0);
  pellet->active = true, pellet->x = 2.5f, pellet->z = 2.5f, level->largePellets->Append(pellet);
  level->floorArrows->Append(new FloorArrow), level->floorArrows->At(0)->SetPosition(1.5f, 1.5f);
  level->coins->Append(new Coin), level->coins->At(0)->SetPosition(1.5f, 0.6f, 2.5f);
  // A primitive's state as letters: Textured, Lit, Blended, Depth writes.
  const auto flags = [](const test::RecordedPrimitive& p) {
    return std::string(p.textured ? "T" : "-") + (p.lit ? "L" : "-") + (p.blended ? "B" : "-") + (p.depthWrites ? "D" : "-");
  };
  for (bool textures : {true, false}) {
    SCOPED_TRACE(textures);
    texturesEnabled = textures, glEnable(GL_TEXTURE_2D), glEnable(GL_LIGHTING);
    const test::GlRecording& r = test::Record([&] { level->Draw(); });
    // Wall, 3 floor strips, 4 door faces, arrow, coin, 300 sparks, 4 sphere bands.
    ASSERT_EQ(r.primitives.size(), 1u + 3u + 4u + 1u + 1u + 300u + 4u);
    const auto &arrowQuad = r.primitives[8], &coinStrip = r.primitives[9], &spark = r.primitives[10];
    for (int i : {0, 1, 4}) EXPECT_EQ(flags(r.primitives[i]), textures ? "TL-D" : "-L-D") << i;  // wall, floor, door
    EXPECT_EQ(flags(arrowQuad).substr(0, 3), "TLB");  // its depth writes are left open
    EXPECT_EQ(flags(coinStrip) + flags(spark) + flags(r.primitives.back()), "T-B-T-B----D");
    EXPECT_TRUE(arrowQuad.texture == level->arrowTexture->name - 1 && spark.texture == level->sparkTexture->name - 1);
    EXPECT_TRUE(coinStrip.colour[0] == 1.0f && coinStrip.colour[2] == 0.0f && spark.colour[3] == pellet->particles[0].life);
    // Lighting on, blending and textures off, depth writes on afterwards.
    GLboolean mask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && !glIsEnabled(GL_BLEND) && !glIsEnabled(GL_TEXTURE_2D) && mask == GL_TRUE);
  }
}

}  // namespace
