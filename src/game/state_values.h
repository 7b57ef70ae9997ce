// Values the state machine keeps for the whole run. Some are read by the
// drawing (map zoom, the scrolling text, the HUD's spin, the pause blink).
#pragma once

// textScrollY, hudSpin and pauseBlink live with the HUD that reads them.
#include "render/hud_values.h"

extern float mapTimer;      // seconds on the level map screen
extern float mapZoom;       // how far the current level's map cell has come forward
extern float houseDoorTimer;  // boss levels: the ghost-house door's clock, seconds

// The timers and steps of the sequence states; each sequence starts from
// these values whenever its state is entered.
struct SequenceValues {
  float exitTimer = 0;
  float exitConstant = 0.8f;
  float exitQuadratic = 0.03f;
  float pauseTimer = 0;  // never reset
  float deathTimer = 0;
  int deathCount = 0;
  int savedCameraMode = 1;
  float gameOverTimer = 0;
  int rescueStep = 0;
  float rescueTimer = 0;
  float bossDefeatTimer = 0;
  bool walkOutStarted = false;
  float endingTimer = 0;
  int endingStep = 0;
  bool playerArrived = false;
  bool partnerArrived = false;
  float orbitRadius = 0;
  float orbitAngle = 270.0f;
  float orbitHeight = 13.0f;
  float endingConstant = 0.8f;
  float endingQuadratic = 0.03f;
};
extern SequenceValues sequence;

// Back to the values of a freshly started program (tests and tools).
void ResetStateValues();

// Sets the values that belong to a sequence state to their first values; called
// when the game enters that state.
void EnterSequenceState(int state);
