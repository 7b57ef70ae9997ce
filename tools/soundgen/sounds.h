// The six sound effects of the game, as notes for the synthesiser.
#pragma once

#include <vector>

#include "synth.h"

namespace soundgen {

std::vector<Note> OpeningTune();   // "opening.wav": the tune that starts a level
std::vector<Note> ExtraLife();     // "vidaextra.wav"
std::vector<Note> CoinBlip();      // "comerBolita.wav": played for every coin
std::vector<Note> PelletEaten();   // "comerBola.wav"
std::vector<Note> GhostEaten();    // "comerFantasma.wav"
std::vector<Note> PlayerCaught();  // "muere.wav"

}  // namespace soundgen
