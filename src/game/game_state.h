// The screen or phase the game is in.
#pragma once

constexpr int StateMenu = 1;
constexpr int StateLevelMap = 8;
constexpr int StateNewGame = 9;
constexpr int StateLevelIntro = 11;
constexpr int StatePlaying = 12;
constexpr int StateLevelExit = 13;
constexpr int StateLoadLevel = 14;
constexpr int StatePaused = 19;
constexpr int StateCaught = 20;
constexpr int StateDying = 21;
constexpr int StateGameOver = 22;
// A game that ended with points for the table of records: the player sets three initials.
constexpr int StateRecordEntry = 23;
constexpr int StateRescueScene = 58;
constexpr int StateBossDefeated = 100;
constexpr int StateWalkOut = 200;
constexpr int StateEnding = 201;

extern int GameState;

// The name of a state code ("StatePlaying"), or "unknown".
const char* GameStateName(int code);
