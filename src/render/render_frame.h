#pragma once

// Draws the frame for the current game state.
void RenderFrame();
