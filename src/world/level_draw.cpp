// Drawing the maze of the level: walls, floor, doors, floor arrows, coins and
// large pellets, skipping cells the visibility grid rejects.
#include <cmath>

#include "game/game_values.h"
#include "platform/gl.h"
#include "render/visibility_grid.h"
#include "world/face_draw.h"
#include "world/level.h"

namespace {

using maze_draw::BindTexture;
using maze_draw::Material;
using maze_draw::SetMaterial;

bool CellVisible(const VisibilityGrid* grid, int x, int z) { return !grid || grid->IsCellVisible(x, z); }

// Items are tested on the cell that holds their position.
bool VisibleAt(const VisibilityGrid* grid, float px, float pz) {
  return CellVisible(grid, static_cast<int>(std::trunc(px)), static_cast<int>(std::trunc(pz)));
}

// With culling on, only the visible cells of each row, one square each.
void DrawFloorCells(int width, int height, const VisibilityGrid* grid) {
  for (int y = 0; y < height; ++y) {
    glBegin(GL_QUADS);
    for (int x = 0; x < width; ++x) {
      if (!CellVisible(grid, x, y)) continue;
      const float fx = static_cast<float>(x), fy = static_cast<float>(y);
      glTexCoord2f(0.0f, 0.0f);
      glVertex3f(fx, 0.0f, fy);
      glTexCoord2f(0.0f, 1.0f);
      glVertex3f(fx, 0.0f, fy + 1.0f);
      glTexCoord2f(1.0f, 1.0f);
      glVertex3f(fx + 1.0f, 0.0f, fy + 1.0f);
      glTexCoord2f(1.0f, 0.0f);
      glVertex3f(fx + 1.0f, 0.0f, fy);
    }
    glEnd();
  }
}

// With culling off, one strip per row. The strip shares the edges between
// cells, so every second cell shows the floor picture mirrored.
void DrawFloorStrips(int width, int height) {
  for (int y = 0; y < height; ++y) {
    const float fy = static_cast<float>(y);
    glBegin(GL_QUAD_STRIP);
    for (int x = 0; x <= width; x += 2) {
      const float fx = static_cast<float>(x);
      glTexCoord2f(0.0f, 0.0f);
      glVertex3f(fx, 0.0f, fy);
      glTexCoord2f(0.0f, 1.0f);
      glVertex3f(fx, 0.0f, fy + 1.0f);
      if (x < width) {
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(fx + 1.0f, 0.0f, fy);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(fx + 1.0f, 0.0f, fy + 1.0f);
      }
    }
    glEnd();
  }
}

}  // namespace

void Level::Draw() {
  const VisibilityGrid* grid = visibility;
  // A damaged size never reads past the layer.
  const int width = walls.width < kMaxCells ? walls.width : kMaxCells;
  const int height = walls.height < kMaxCells ? walls.height : kMaxCells;

  if (texturesEnabled)
    BindTexture(wallTexture);
  else
    glDisable(GL_TEXTURE_2D);
  const float noEmission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glMaterialfv(GL_FRONT, GL_EMISSION, noEmission);
  SetMaterial(Material::Blue);

  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int c = walls.cells[x][y];
      if (c < 4 || c > 21 || !CellVisible(grid, x, y)) continue;
      glPushMatrix();
      glTranslatef(x + 0.5f, 0.0f, y + 0.5f);
      DrawWallPiece(c);
      glPopMatrix();
    }
  }

  if (texturesEnabled) BindTexture(floorTexture);
  SetMaterial(Material::Green);
  glNormal3f(0.0f, 1.0f, 0.0f);
  if (grid && grid->IsEnabled())
    DrawFloorCells(width, height, grid);
  else
    DrawFloorStrips(width, height);

  if (doors) {
    for (Door* door : doors->items)
      if (VisibleAt(grid, door->X(), door->Z())) door->Draw();
  }

  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  BindTexture(arrowTexture);
  SetMaterial(Material::Red);
  if (floorArrows) {
    for (FloorArrow* arrow : floorArrows->items)
      if (VisibleAt(grid, arrow->X(), arrow->Z())) arrow->Draw();
  }

  glDisable(GL_LIGHTING);
  glDepthMask(GL_FALSE);
  BindTexture(coinTexture);
  glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
  if (coins) {
    for (Coin* coin : coins->items)
      if (VisibleAt(grid, coin->X(), coin->Z())) coin->Draw();
  }

  BindTexture(sparkTexture);
  if (largePellets) {
    for (LargePellet* pellet : largePellets->items)
      if (VisibleAt(grid, pellet->X(), pellet->Z())) pellet->DrawSparks();
  }

  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);

  if (largePellets) {
    for (LargePellet* pellet : largePellets->items)
      if (VisibleAt(grid, pellet->X(), pellet->Z())) pellet->DrawSphere();
  }

  glEnable(GL_LIGHTING);
}

void Level::DrawDoorIndicator() {
  if (indicatorShowing && doorIndicator) doorIndicator->Draw();
}
