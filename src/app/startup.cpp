#include <cstdlib>

#include "app/game_window.h"
#include "app/key_state.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "game/game_state.h"
#include "platform/clock.h"
#include "platform/sound.h"
#include "render/menu.h"

bool Startup() {
  menu = new Menu();
  LoadSettings();
  bool fullScreenRequest = !menu->windowed;

  gameWindow = new GameWindow();
  if (!gameWindow->CreateGameWindow("Glumbo 3D", screenWidth, screenHeight, 16, fullScreenRequest)) {
    delete gameWindow;
    gameWindow = nullptr;
    delete menu;
    menu = nullptr;
    return false;
  }

  GameState = StateMenu;
  ResetKeyState();
  std::srand(static_cast<unsigned>(platform::WallClockSeconds()));
  return true;
}

void Shutdown() {
  if (gameWindow) {
    gameWindow->DestroyGameWindow();
    delete gameWindow;
    gameWindow = nullptr;
  }
  SaveSettings();
  delete menu;
  menu = nullptr;
  platform::ShutdownSound();
}
