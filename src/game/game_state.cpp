#include "game/game_state.h"

int GameState = StateMenu;

const char* GameStateName(int code) {
  switch (code) {
    case StateMenu: return "StateMenu";
    case StateLevelMap: return "StateLevelMap";
    case StateNewGame: return "StateNewGame";
    case StateLevelIntro: return "StateLevelIntro";
    case StatePlaying: return "StatePlaying";
    case StateLevelExit: return "StateLevelExit";
    case StateLoadLevel: return "StateLoadLevel";
    case StatePaused: return "StatePaused";
    case StateCaught: return "StateCaught";
    case StateDying: return "StateDying";
    case StateGameOver: return "StateGameOver";
    case StateRecordEntry: return "StateRecordEntry";
    case StateRescueScene: return "StateRescueScene";
    case StateBossDefeated: return "StateBossDefeated";
    case StateWalkOut: return "StateWalkOut";
    case StateEnding: return "StateEnding";
    default: return "unknown";
  }
}
