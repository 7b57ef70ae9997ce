// Animation values the game steps and the heads-up display reads.
#pragma once

// Height of the game-over and credits text in the flat screen projection;
// kTextHidden hides it.
constexpr float kTextHidden = -2.0f;
extern float textScrollY;
// Degrees the life icons have turned; one per tick of play, never wrapped.
extern float hudSpin;
// The pause text's blink: shown while true.
extern bool pauseBlink;
