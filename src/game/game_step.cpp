#include "game/game_step.h"

#include "app/frame_clock.h"
#include "game/game_state.h"
#include "game/state_handlers.h"
#include "game/state_values.h"
#include "render/menu.h"

namespace {
// The state the previous frame dispatched, to know when a sequence state is entered.
int lastDispatched = 0;
}  // namespace

void ResetDispatch() { lastDispatched = 0; }

void GameStep() {
  ComputeFrameStep();
  const double step = frameStep;
  const int state = GameState;
  if (state != lastDispatched) {
    EnterSequenceState(state);
    lastDispatched = state;
  }

  switch (state) {
    case StateLevelMap: StateLevelMapStep(step); return;
    case StateNewGame: StateNewGameStep(); return;
    case StatePaused: StatePausedStep(step); return;
    default: break;
  }
  if (state >= 11 && state <= 21) {
    switch (state) {
      case StateLevelIntro: StateLevelIntroStep(); break;
      case StatePlaying: StatePlayingStep(step); break;
      case StateLevelExit: StateLevelExitStep(step); break;
      case StateLoadLevel: StateLoadLevelStep(); break;
      case StateCaught: StateCaughtStep(); break;
      case StateDying: StateDyingStep(step); break;
      default: break;  // 15 to 18 have no handler of their own
    }
    PlayTail(step);
    return;
  }
  switch (state) {
    case StateGameOver: StateGameOverStep(step); return;
    case StateRescueScene: StateRescueSceneStep(step); return;
    case StateBossDefeated: StateBossDefeatedStep(step); return;
    case StateWalkOut: StateWalkOutStep(step); return;
    case StateEnding: StateEndingStep(step); return;
    case StateRecordEntry: StateRecordEntryStep(step); return;
    default: break;
  }
  if (menu) menu->UpdateMenu(step);
}
