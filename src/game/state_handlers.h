// The handler of each game state, run by GameStep. step is the frame step in ticks.
#pragma once

void StateLevelMapStep(double step);
void StateNewGameStep();
void StatePausedStep(double step);
void StateLevelIntroStep();
void StatePlayingStep(double step);
void StateLevelExitStep(double step);
void StateLoadLevelStep();
void StateCaughtStep();
void StateDyingStep(double step);
void StateGameOverStep(double step);
void StateRescueSceneStep(double step);
void StateBossDefeatedStep(double step);
void StateWalkOutStep(double step);
void StateEndingStep(double step);
void StateRecordEntryStep(double step);

// The end of a game, after the game-over text or the credits: the record
// screen when the points enter the table, otherwise the menu.
void EndGame();
// At shutdown: a game that has ended (or is ending) with points for the
// table, whose initials were never confirmed, is kept with "---".
void KeepUnfinishedRecord();

// After the handlers of 11 to 21: camera, level and radar updates, the HUD spin.
void PlayTail(double step);

// Replaces the Level by a new one of number n with the current display
// settings, loaded and wired to the visibility grid.
void ReplaceLevel(int n);

// Takes the display settings into the values of the game and the grid.
void TakeSettingsForLevelLoad();

// Forgets which state ran last (a fresh run).
void ResetDispatch();
