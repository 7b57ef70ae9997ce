// soundgen: synthesises the game's sound effects into sonidos/.
#include <cstdio>
#include <string>

#include "sounds.h"
#include "synth.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: soundgen OUT_DIR\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  struct {
    const char* name;
    std::vector<soundgen::Note> (*make)();
  } const sounds[] = {
      {"opening.wav", soundgen::OpeningTune},   {"vidaextra.wav", soundgen::ExtraLife},
      {"comerBolita.wav", soundgen::CoinBlip},  {"comerBola.wav", soundgen::PelletEaten},
      {"comerFantasma.wav", soundgen::GhostEaten}, {"muere.wav", soundgen::PlayerCaught},
  };
  int failed = 0;
  for (const auto& s : sounds) {
    if (!soundgen::SaveWav(dir + s.name, soundgen::Render(s.make()))) {
      std::fprintf(stderr, "soundgen: cannot write %s%s\n", dir.c_str(), s.name);
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}
