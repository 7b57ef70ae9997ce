#include <cstdio>
#include <cstdlib>

#include "actors/ghost.h"
#include "actors/player.h"
#include "app/game_window.h"
#include "app/key_state.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "game/game_objects.h"
#include "game/game_random.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "game/records_file.h"
#include "game/state_handlers.h"
#include "game/state_values.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "render/bitmap_font.h"
#include "render/camera.h"
#include "render/menu.h"
#include "render/radar.h"
#include "render/visibility_grid.h"
#include "world/level.h"
#include "world/texture.h"

namespace {

// The ghosts' colours, red, green and blue, by id.
constexpr float kGhostColours[8][3] = {
    {0.5f, 0.01f, 0.01f}, {0.01f, 0.5f, 0.01f}, {0.01f, 0.01f, 0.5f}, {0.5f, 0.5f, 0.01f},
    {0.5f, 0.5f, 0.5f},   {0.2f, 0.3f, 0.4f},   {0.4f, 0.3f, 0.2f},   {0.3f, 0.1f, 0.5f},
};

// A start-up texture the game cannot do without: a missing one ends the program.
Texture* LoadStartupTexture(const char* path, const char* message) {
  auto* texture = new Texture();
  if (!LoadRequiredTexture(*texture, path, message)) {
    delete texture;
    return nullptr;
  }
  return texture;
}

unsigned fixedSeed = 0;
bool useFixedSeed = false;

}  // namespace

void SetStartupSeed(bool fixed, unsigned seed) {
  useFixedSeed = fixed;
  fixedSeed = seed;
}

bool Startup() {
  extraLifePoints = 0;
  gamePoints = 0;
  menu = new Menu();
  LoadSettings();
  LoadRecords();
  const bool fullScreenRequest = !menu->windowed;

  gameWindow = new GameWindow();
  if (!gameWindow->CreateGameWindow("Glumbo 3D", screenWidth, screenHeight, 16, fullScreenRequest)) {
    delete gameWindow;
    gameWindow = nullptr;
    delete menu;
    menu = nullptr;
    return false;
  }

  lifeTexture = LoadStartupTexture("./texturas/vida.bmp", "Error la textura de vida no existe");
  hudSpin = 0;
  ghostLifeTexture = LoadStartupTexture("./texturas/vidaFantasma.bmp", "Error la textura de vida no existe");
  mapBlankTexture = LoadStartupTexture("./texturas/texp0.bmp", "Error la textura de vida no existe");
  for (int c = 0; c < kLevelMapColumns; ++c) {
    for (int r = 0; r < kLevelMapRows; ++r) {
      const int n = LevelMap[c][r];
      if (n <= 0) continue;
      char path[256];
      std::snprintf(path, sizeof path, "./texturas/texp%d.bmp", n);
      mapTextures[c * 3 + r] = LoadStartupTexture(path, "Error la textura de pantalla no existe");
    }
  }

  texturesEnabled = true;
  detailLevel = 2;
  GameState = StateMenu;
  BuildBitmapFont();
  ResetKeyState();
  SeedGameRandom(useFixedSeed ? fixedSeed : static_cast<unsigned>(platform::WallClockSeconds()));

  level = new Level(detailLevel);
  visibilityGrid = new VisibilityGrid();
  visibilityGrid->SetSize(level->walls.width, level->walls.height);

  player = new Player(true);
  player->SetLives(kStartLives);
  partner = new Player(false);

  for (int i = 0; i < 8; ++i) {
    ghosts[i] = new Ghost(i);
    ghosts[i]->BuildDisplayList();
    ghosts[i]->SetPlayer(*player);
    ghosts[i]->SetColour(kGhostColours[i][0], kGhostColours[i][1], kGhostColours[i][2]);
  }
  boss = new Ghost(100);
  boss->BuildDisplayList();
  boss->SetPlayer(*player);
  boss->SetColour(0.01f, 0.01f, 0.5f);

  camera = new Camera();
  camera->SetFollowTarget(*player);
  camera->SetMode(3);

  radar = new Radar();
  for (int i = 0; i < 8; ++i) radar->SetGhost(i, *ghosts[i]);
  radar->SetCamera(*camera);
  radar->SetPlayer(*player);
  radar->SetGhostCount(activeGhostCount);

  menu->player = player;
  for (int i = 0; i < 4; ++i) menu->ghosts[i] = ghosts[i];
  menu->BuildOutlineFont();
  return true;
}

void Shutdown() {
  // While the game's values and its level are still there.
  KeepUnfinishedRecord();
  if (gameWindow) {
    gameWindow->DestroyGameWindow();
  }
  delete gameWindow;
  gameWindow = nullptr;
  delete level;
  level = nullptr;
  delete player;
  player = nullptr;
  for (Ghost*& g : ghosts) {
    delete g;
    g = nullptr;
  }
  delete visibilityGrid;
  visibilityGrid = nullptr;
  delete radar;
  radar = nullptr;
  delete camera;
  camera = nullptr;
  // The partner, the boss and the start-up textures go last.
  delete partner;
  partner = nullptr;
  delete boss;
  boss = nullptr;
  delete lifeTexture;
  lifeTexture = nullptr;
  delete ghostLifeTexture;
  ghostLifeTexture = nullptr;
  delete mapBlankTexture;
  mapBlankTexture = nullptr;
  for (Texture*& t : mapTextures) {
    delete t;
    t = nullptr;
  }

  SaveSettings();
  delete menu;  // its destructor frees the solid font's lists
  menu = nullptr;
  DeleteBitmapFont();
  platform::ShutdownSound();
}
