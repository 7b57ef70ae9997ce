#include "draw_scene.h"

#include <cstdint>
#include <vector>

#include "app/game_window.h"
#include "game/game_values.h"
#include "platform/gl.h"
#include "world/texture.h"
#include "world/world_graphics.h"

namespace test {
namespace {

// A texture of size x size pixels, white or with a brick-like pattern.
Texture* MakeTestTexture(int size, bool patterned) {
  auto* texture = new Texture;
  texture->Create();
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(size) * size * 3, 255);
  for (std::size_t i = 0; patterned && i < rgb.size(); ++i) {
    const int x = static_cast<int>(i / 3) % size, y = static_cast<int>(i / 3) / size;
    const bool mortar = y % 8 == 0 || (x + (y / 8) * 4) % 16 == 0;
    rgb[i] = mortar ? 120 : static_cast<std::uint8_t>(200 + (x * 7 + y * 13) % 55);
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1), glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  texture->width = texture->height = size;
  return texture;
}

const float kGhostColours[4][3] = {{0.5f, 0.01f, 0.01f}, {0.01f, 0.01f, 0.5f}, {0.01f, 0.5f, 0.01f}, {0.5f, 0.5f, 0.01f}};

void SetUpLevelLight(float w, float h) {
  glMatrixMode(GL_MODELVIEW), glLoadIdentity();
  const float ambient[4] = {0.4f, 0.4f, 0.4f, 1.0f}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  const float position[4] = {w / 2.0f, 8.0f, h / 2.0f, 1.0f};
  for (auto [name, value] : {std::pair{GL_AMBIENT, ambient}, {GL_DIFFUSE, diffuse}, {GL_SPECULAR, diffuse}, {GL_POSITION, position}})
    glLightfv(GL_LIGHT0, name, value);
  glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, 0.6f), glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.01f);
  glEnable(GL_LIGHTING), glEnable(GL_LIGHT0);
}

// Border walls with rounded corners, and inner wall blocks every fourth
// column and row, so that every piece of the maze appears somewhere.
void LayWalls(CellLayer& walls, int w, int h) {
  walls.width = w, walls.height = h;
  for (int x = 0; x < w; ++x)
    for (int z = 0; z < h; ++z) walls.cells[x][z] = (z == 0 || z == h - 1) ? 20 : (x == 0 || x == w - 1) ? 21 : 0;
  walls.cells[0][0] = 4, walls.cells[w - 1][0] = 5, walls.cells[0][h - 1] = 6, walls.cells[w - 1][h - 1] = 7;
  // Short inner walls: an end, a straight and another end, north to south.
  for (int x = 3; x < w - 2; x += 4)
    for (int z = 3; z + 2 < h - 1; z += 5) walls.cells[x][z] = 16, walls.cells[x][z + 1] = 21, walls.cells[x][z + 2] = 17;
}

}  // namespace

DrawScene::DrawScene(const DrawSceneOptions& o) {
  GameWindow setup;  // the game's fixed OpenGL state, without a second window
  setup.ResizeView(640, 480), setup.InitGLState();
  SetUpLevelLight(static_cast<float>(o.width), static_cast<float>(o.height));
  texturesEnabled = true;

  worldGraphicsEnabled = false;  // no texture files: the textures are made here
  level = std::make_unique<Level>(2), worldGraphicsEnabled = true;
  for (auto [slot, size] : {std::pair{&level->wallTexture, 64}, {&level->floorTexture, 64}, {&level->doorTexture, 64},
                             {&level->coinTexture, 32}, {&level->sparkTexture, 16}, {&level->arrowTexture, 32}})
    *slot = MakeTestTexture(size, o.patternedTextures);
  LayWalls(level->walls, o.width, o.height);
  level->objects.width = o.width, level->objects.height = o.height;

  // A door across the bottom corridor and an arrow beside the player.
  auto* door = new Door;
  door->SetTextures(level->wallTexture, level->doorTexture), door->SetPosition(3.0f, 0.0f, o.height - 1.5f);
  door->angle = 45.0f;
  level->doors->Append(door), level->doorCount = 1;
  level->walls.cells[2][o.height - 2] = level->walls.cells[3][o.height - 2] = 3000;
  auto* arrow = new FloorArrow;
  arrow->SetPosition(2.5f, 1.5f), level->floorArrows->Append(arrow), level->walls.cells[2][1] = 23;

  // Items on open cells, row by row, from the second open row on (the first
  // is kept for the player and the ghosts).
  int coins = 0, pellets = 0;
  for (int z = 2; z < o.height - 1; ++z) {
    for (int x = 1; x < o.width - 1; ++x) {
      if (level->walls.cells[x][z] != 0) continue;
      if (pellets < o.largePellets && (x + z) % 7 == 0) {
        auto* pellet = new LargePellet(pellets);
        pellet->SetPosition(x + 0.5f, 0.5f, z + 0.5f), level->largePellets->Append(pellet);
        for (int i = 0; i < 40; ++i) pellet->Update(1.0);  // a fountain under way
        level->objects.cells[x][z] = 2000 + pellets++;
      } else if (coins < o.coins) {
        auto* coin = new Coin;
        coin->SetPosition(x + 0.5f, 0.6f, z + 0.5f), level->coins->Append(coin);
        level->objects.cells[x][z] = 1000 + coins++;
      }
    }
  }
  level->coinCount = coins, level->largePelletCount = pellets;

  grid = std::make_unique<VisibilityGrid>(), grid->SetSize(o.width, o.height), level->SetVisibilityGrid(grid.get());
  if (o.culling) grid->ToggleEnabled();

  // The player in the middle, the ghosts two cells to either side of it.
  const float px = static_cast<float>(o.width / 2) + 0.5f, pz = static_cast<float>(o.height / 2) + 0.5f;
  player = std::make_unique<Player>(true), player->SetPosition(px - 1.0f, 0.5f, pz - 1.0f);
  player->SetDirection(kPlayerEast), player->heading = 180.0f, player->mouth = 12.0f;

  for (int i = 0; i < o.ghosts; ++i) {
    auto ghost = std::make_unique<Ghost>(i);
    const float* c = kGhostColours[i % 4];
    ghost->SetColour(c[0], c[1], c[2]), ghost->SetPosition(px - 3.0f + 4.0f * (i % 2), 0.9f, pz - 1.0f + 2.0f * (i / 2));
    ghost->BuildDisplayList(), ghosts.push_back(std::move(ghost));
  }

  camera = std::make_unique<Camera>(), camera->SetFollowTarget(*player);
  camera->SetMode(o.cameraMode), camera->yaw = 90.0f;
  for (int i = 0; i < 2000 && !camera->IsSettled(); ++i) camera->Update(1.0);
}

DrawScene::~DrawScene() {
  for (auto& ghost : ghosts)
    if (ghost->displayList != 0) glDeleteLists(ghost->displayList, 1);
}

void DrawScene::Render() {
  camera->Apply(), grid->Update(), glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_LIGHTING), glEnable(GL_TEXTURE_2D);
  level->Draw(), player->DrawPlayer();
  glDisable(GL_CULL_FACE), glEnable(GL_BLEND), glDepthMask(GL_FALSE);
  for (auto& ghost : ghosts) {
    float p[3];
    ghost->GetPosition(p);
    if (grid->IsCellVisible(static_cast<int>(p[0]), static_cast<int>(p[2]))) ghost->Draw();
  }
  glDepthMask(GL_TRUE);
}

}  // namespace test
