#pragma once

// One frame of the game: computes frameStep, then runs the current state's handler.
void GameStep();

// Turns the play keys into player and camera commands (states above 10).
void HandlePlayKeys();
