// What is drawn over the 3D scene: the radar, the life icons, the door
// indicator, and the flat texts of pause, game over, the partner's call for
// help and the closing credits. Drawn from the game's state; no state of its own.
#pragma once

// The play scene's heads-up pass.
void DrawHud();
// "AYUDA!!" above the partner, in the rescue scene's own projection.
void DrawHelpCall();
// The scrolling credits of the ending.
void DrawCredits();

// Flat projection, -1 to +1 on every axis, white, lighting off, depth cleared,
// and the modelview one unit forward, ready for a raster position.
void BeginScreenText();

// The author lines of the credits.
inline constexpr const char* kCreditsProgramming = "Programa: Equipo Glumbo 3D";
inline constexpr const char* kCreditsArt = "Arte y sonido: Equipo Glumbo 3D";
