#include "game/state_values.h"

#include "game/game_state.h"

float mapTimer = 0;
float mapZoom = 0;
float houseDoorTimer = 10.0f;
SequenceValues sequence;

void ResetStateValues() {
  mapTimer = 0;
  mapZoom = 0;
  textScrollY = -2.0f;
  hudSpin = 0;
  pauseBlink = false;
  houseDoorTimer = 10.0f;
  sequence = SequenceValues{};
}

void EnterSequenceState(int state) {
  const SequenceValues fresh;
  switch (state) {
    case StateGameOver:
      sequence.gameOverTimer = fresh.gameOverTimer;
      textScrollY = -2.0f;
      break;
    case StateRescueScene:
      sequence.rescueStep = fresh.rescueStep;
      sequence.rescueTimer = fresh.rescueTimer;
      textScrollY = -2.0f;
      break;
    case StateBossDefeated:
      sequence.bossDefeatTimer = fresh.bossDefeatTimer;
      break;
    case StateWalkOut:
      sequence.walkOutStarted = fresh.walkOutStarted;
      break;
    case StateEnding:
      sequence.endingTimer = fresh.endingTimer;
      sequence.endingStep = fresh.endingStep;
      sequence.playerArrived = fresh.playerArrived;
      sequence.partnerArrived = fresh.partnerArrived;
      sequence.orbitRadius = fresh.orbitRadius;
      sequence.orbitAngle = fresh.orbitAngle;
      sequence.orbitHeight = fresh.orbitHeight;
      sequence.endingConstant = fresh.endingConstant;
      sequence.endingQuadratic = fresh.endingQuadratic;
      textScrollY = -2.0f;
      break;
    default:
      break;
  }
}
