#include "world/level.h"

#include <string>

#include "platform/gl.h"
#include "world/texture.h"
#include "world/world_graphics.h"

namespace {

template <class T>
void Destroy(ItemList<T>*& list) {
  if (list != nullptr) list->DestroyWithElements();
  list = nullptr;
}

}  // namespace

Level::Level(std::int32_t detailLevel) {
  CreateLists();
  if (!worldGraphicsEnabled) return;
  const std::string d = std::to_string(detailLevel);
  // Order matters: the first texture missing is the one the player is told about.
  struct Row {
    Texture** field;
    std::string file;
    const char* message;
  };
  const Row rows[] = {
      {&wallTexture, "./texturas/ladrillos" + d + ".bmp", "Error la textura de pared no existe"},
      {&floorTexture, "./texturas/suelo" + d + ".bmp", "Error la textura del suelo no existe"},
      {&sparkTexture, "./texturas/chispa.bmp", "Error la textura de la chispa no existe"},
      {&doorTexture, "./texturas/puertas" + d + ".bmp", "Error la textura de las puertas no existe"},
      {&arrowTexture, "./texturas/speed.bmp", "Error la textura de speed no existe"},
      {&coinTexture, "./texturas/moneda.bmp", "Error la textura de moneda no existe"},
  };
  for (const Row& row : rows) {
    *row.field = new Texture;
    if (!LoadRequiredTexture(**row.field, row.file, row.message)) return;
  }
}

Level::~Level() {
  if (worldGraphicsEnabled) {
    for (int i = 0; i < 8; ++i) glDisable(static_cast<GLenum>(GL_LIGHT0 + i));
  }
  DestroyLists();
  for (Texture* t : {coinTexture, floorTexture, wallTexture, sparkTexture, doorTexture, arrowTexture}) {
    delete t;
  }
  delete doorIndicator;
}

void Level::DestroyLists() {
  Destroy(coins);
  Destroy(largePellets);
  Destroy(floorArrows);
  Destroy(doors);
  Destroy(doorCounters);
}

void Level::CreateLists() {
  coins = new ItemList<Coin>;
  largePellets = new ItemList<LargePellet>;
  doors = new ItemList<Door>;
  floorArrows = new ItemList<FloorArrow>;
  doorCounters = new ItemList<DoorCounter>;
}

void Level::Update(double dt) {
  for (Coin* coin : coins->items) coin->Update(dt);
  if (largePellets != nullptr) {
    for (LargePellet* pellet : largePellets->items) pellet->Update(dt);
  }
  for (FloorArrow* arrow : floorArrows->items) arrow->Update(dt);
  for (Door* door : doors->items) door->Update(dt);
  if (indicatorShowing && doorIndicator != nullptr) {
    // Each showing starts one swing: the first opens the indicator, the next shuts it.
    if (indicatorTime == 0.0f) doorIndicator->StartMoving(true);
    doorIndicator->Update(dt);
    indicatorTime += static_cast<float>(dt / 70.0);
    if (indicatorTime > 5.0f) {
      indicatorTime = 0.0f;
      indicatorShowing = false;
    }
  }
}

void Level::OpenDoor(std::int32_t n) {
  if (Door* door = GetDoor(n)) door->StartMoving(true);
}

Door* Level::GetDoor(std::int32_t n) {
  if (n < 0 || n >= doorCount || doors == nullptr || n >= doors->count) return nullptr;
  return doors->At(n);
}

bool Level::IsDoorOpen(std::int32_t n) const {
  if (n < 0 || n >= doorCount || doors == nullptr || n >= doors->count) return false;
  return doors->At(n)->IsOpen();
}

void Level::RemoveBonusPellet() {
  if (levelNumber < 100) return;
  if (largePelletCount > 0 && largePellets != nullptr && largePellets->count > 0) {
    LargePellet* p = largePellets->At(0);
    const int cx = static_cast<int>(p->x);
    const int cz = static_cast<int>(p->z);
    if (cx >= 0 && cx < kMaxCells && cz >= 0 && cz < kMaxCells) objects.cells[cx][cz] = 0;
    p->SetActive(false);
    largePelletCount = 0;
  }
  Destroy(largePellets);
}

void Level::PlaceBonusPellet(std::int32_t x, std::int32_t y) {
  if (levelNumber < 100) return;
  // A cell outside the maze could never be reached, and would lie outside the layer.
  if (x < 0 || y < 0 || x >= walls.width || y >= walls.height || x >= kMaxCells || y >= kMaxCells) return;
  RemoveBonusPellet();
  largePellets = new ItemList<LargePellet>;
  // Light 7 is shared with the player's power light.
  auto* pellet = new LargePellet(6);
  pellet->SetPosition(static_cast<float>(x) + 0.5f, 0.5f, static_cast<float>(y) + 0.5f);
  largePellets->Append(pellet);
  objects.cells[x][y] = kLargePelletCode + largePelletCount;
  ++largePelletCount;
}
