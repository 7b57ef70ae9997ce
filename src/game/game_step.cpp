#include "game/game_step.h"

#include "app/frame_clock.h"
#include "game/game_state.h"

void GameStep() {
  ComputeFrameStep();
  // The state handlers join here as the game's parts are built.
}

void HandlePlayKeys() {}
