#include <cstdio>
#include <string>

#include "platform/gl.h"
#include "world/level.h"
#include "world/level_files.h"
#include "world/world_graphics.h"

namespace {

void DisableAllLights() {
  if (!worldGraphicsEnabled) return;
  for (int i = 0; i < 8; ++i) glDisable(static_cast<GLenum>(GL_LIGHT0 + i));
}

// The position is taken in whatever modelview matrix is current.
void SetUpLight(GLenum light, float ambient, float x, float y, float z, float constant, float quadratic) {
  const GLfloat amb[] = {ambient, ambient, ambient, 1.0f};
  const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
  const GLfloat specular[] = {0.8f, 0.8f, 0.8f, 1.0f};
  const GLfloat position[] = {x, y, z, 1.0f};
  glLightfv(light, GL_AMBIENT, amb);
  glLightfv(light, GL_DIFFUSE, diffuse);
  glLightfv(light, GL_SPECULAR, specular);
  glLightfv(light, GL_POSITION, position);
  glLightf(light, GL_CONSTANT_ATTENUATION, constant);
  glLightf(light, GL_QUADRATIC_ATTENUATION, quadratic);
}

void ClearLayer(CellLayer& layer) {
  layer = CellLayer{};
}

}  // namespace

void Level::Load() {
  char wallName[64];
  char objectName[64];
  if (levelNumber < kFinalLevelNumber) {
    std::snprintf(wallName, sizeof wallName, "./pantallas/paredes%d.txt", static_cast<int>(levelNumber));
    std::snprintf(objectName, sizeof objectName, "./pantallas/objetos%d.txt", static_cast<int>(levelNumber));
    ParseLevelFiles(wallName, objectName);
  } else {
    ParseFinalFile("./pantallas/final.txt");
  }

  if (worldGraphicsEnabled) {
    const float w = static_cast<float>(walls.width);
    const float h = static_cast<float>(walls.height);
    if (levelNumber >= 100 && levelNumber <= 999) {
      // Big levels get a light in each corner; they take the lights of pellets 0 to 3.
      SetUpLight(GL_LIGHT1, 0.2f, 5, 8, 5, 0.8f, 0.03f);
      SetUpLight(GL_LIGHT2, 0.2f, w - 5, 8, 5, 0.8f, 0.03f);
      SetUpLight(GL_LIGHT3, 0.2f, 5, 8, h - 5, 0.8f, 0.03f);
      SetUpLight(GL_LIGHT4, 0.2f, w - 5, 8, h - 5, 0.8f, 0.03f);
      for (GLenum light : {GL_LIGHT1, GL_LIGHT2, GL_LIGHT3, GL_LIGHT4}) glEnable(light);
    }
    SetUpLight(GL_LIGHT0, 0.4f, w / 2.0f, 8, h / 2.0f, 0.6f, 0.01f);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    if (levelNumber == 58) {
      SetUpLight(GL_LIGHT1, 0.4f, 2, 8, 8, 0.8f, 0.03f);
      SetUpLight(GL_LIGHT2, 0.4f, 18, 8, 8, 0.8f, 0.03f);
      glEnable(GL_LIGHT1);
      glEnable(GL_LIGHT2);
    }
  }

  delete doorIndicator;
  doorIndicator = new Door;
  doorIndicator->SetTextures(wallTexture, doorTexture);
  doorIndicator->SetPosition(0, 0, 0);
  doorIndicator->SetRotation(0);
  indicatorShowing = false;
  indicatorTime = 0;
}

namespace {

// Makes the items of a parse that is known to be sound, in the files' order,
// so that the random draws of coins and pellets come in the same order.
void BuildItems(Level& level, const ParsedLevel& parsed) {
  using Kind = LevelItemPlacement::Kind;
  for (const LevelItemPlacement& item : parsed.items) {
    const float cx = static_cast<float>(item.x) + 0.5f;
    const float cz = static_cast<float>(item.y) + 0.5f;
    switch (item.kind) {
      case Kind::FloorArrow: {
        static const float kRotation[] = {0.0f, 270.0f, 180.0f, 90.0f};
        auto* arrow = new FloorArrow;
        arrow->SetPosition(cx, cz);
        arrow->SetRotation(kRotation[item.code - 22]);
        level.floorArrows->Append(arrow);
        break;
      }
      case Kind::Door: {
        static const float kRotation[] = {0.0f, 180.0f, 90.0f, 270.0f};
        const int k = item.code % 4;
        auto* door = new Door;
        door->SetTextures(level.wallTexture, level.doorTexture);
        // The door stands on the edge between its two cells.
        if (k < 2) {
          door->SetPosition(static_cast<float>(item.x) + 1.0f, 0, cz);
        } else {
          door->SetPosition(cx, 0, static_cast<float>(item.y) + 1.0f);
        }
        door->SetRotation(kRotation[k]);
        level.doors->Append(door);
        ++level.doorCount;
        break;
      }
      case Kind::Coin: {
        auto* coin = new Coin;
        coin->SetPosition(cx, 0.6f, cz);
        level.coins->Append(coin);
        ++level.coinCount;
        break;
      }
      case Kind::LargePellet: {
        auto* pellet = new LargePellet(level.largePelletCount);
        pellet->SetPosition(cx, 0.5f, cz);
        level.largePellets->Append(pellet);
        ++level.largePelletCount;
        break;
      }
    }
  }
  for (int n = 0; n < parsed.doorCount; ++n) {
    const LevelDoorEntry& entry = parsed.doorEntries[static_cast<std::size_t>(n)];
    Door* door = level.doors->At(n);
    if (entry.kind == LevelDoorEntry::Kind::Periodic) {
      door->SetPeriodic(true, entry.period);
    } else if (entry.kind == LevelDoorEntry::Kind::Counter) {
      door->SetTarget(true, entry.target);
      level.doorCounters->Append(new DoorCounter{n, entry.coins, entry.target});
    }
  }
}

}  // namespace

void Level::ParseLevelFiles(const char* wallFileName, const char* objectFileName) {
  coinCount = largePelletCount = doorCount = 0;
  DisableAllLights();
  DestroyLists();
  CreateLists();

  std::string wallText, objectText, reason;
  const bool wallRead = ReadLevelFile(wallFileName, wallText, reason);
  if (!wallRead && reason.empty()) return;  // missing: silent, the layers stay
  bool objectRead = false;
  if (wallRead) {
    objectRead = ReadLevelFile(objectFileName, objectText, reason);
    if (!objectRead && reason.empty()) return;
  }
  std::unique_ptr<ParsedLevel> parsed;
  if (wallRead && objectRead) {
    LevelFileError error;
    parsed = ParseLevelTexts(wallText, wallFileName, objectText, objectFileName, error);
    if (parsed == nullptr) reason = error.Describe();
  }
  if (parsed == nullptr) {
    // A damaged level is rejected whole: an empty maze rather than half of one.
    std::fprintf(stderr, "%s; the level is left empty\n", reason.c_str());
    ClearLayer(walls);
    ClearLayer(objects);
    return;
  }
  walls = parsed->walls;
  objects = parsed->objects;
  BuildItems(*this, *parsed);
  if (parsed->doorEntriesFound < parsed->doorCount) {
    std::fprintf(stderr,
                 "Level file %s: the door section has %d of %d entries; the doors without one "
                 "open only when the game opens them\n",
                 wallFileName, parsed->doorEntriesFound, parsed->doorCount);
  }
}

void Level::ParseFinalFile(const char* fileName) {
  coinCount = largePelletCount = doorCount = 0;
  DisableAllLights();
  DestroyLists();
  CreateLists();

  std::string text, reason;
  if (!ReadLevelFile(fileName, text, reason)) {
    if (reason.empty()) return;
  }
  std::unique_ptr<ParsedLevel> parsed;
  if (reason.empty()) {
    LevelFileError error;
    parsed = ParseFinalText(text, fileName, error);
    if (parsed == nullptr) reason = error.Describe();
  }
  if (parsed == nullptr) {
    std::fprintf(stderr, "%s; the level is left empty\n", reason.c_str());
    ClearLayer(walls);
    ClearLayer(objects);
    return;
  }
  walls = parsed->walls;
  objects = parsed->objects;
  BuildItems(*this, *parsed);
}
