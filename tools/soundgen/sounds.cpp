#include "sounds.h"

namespace soundgen {

namespace {

constexpr int kRest = 1000;

Note Tone(Wave wave, double start, double length, int semitone, double volume, double duty = 0.5) {
  Note n;
  n.wave = wave;
  n.start = start;
  n.length = length;
  n.freq = Semitone(semitone);
  n.volume = volume;
  n.duty = duty;
  n.release = length * 0.35;
  return n;
}

}  // namespace

std::vector<Note> OpeningTune() {
  // Four bars in G major: a climbing melody over a bass that walks between
  // root and fifth. Semitones from A4; each entry is one eighth note.
  const int melody[] = {-2, 2, 5, 10, 9, 5, 7, 5,    2, 5, 10, 14, 12, 9, 10, kRest,
                        3, 7, 12, 7, 2, 5, 10, 5,    0, 3, 9, 12, 10, 10, 10, kRest};
  const int bass[] = {-14, -7, -14, -7, -14, -7, -19, -12, -21, -14, -14, -7, -19, -12, -14, -14};
  const double eighth = 0.14;
  std::vector<Note> notes;
  for (int i = 0; i < 32; ++i) {
    if (melody[i] == kRest) continue;
    int length = 1;
    while (i + length < 32 && melody[i + length] == melody[i] && i >= 28) ++length;  // the last note is held
    notes.push_back(Tone(Wave::Square, i * eighth, eighth * length * 0.92, melody[i], 0.22, 0.25));
    if (length > 1) i += length - 1;
  }
  for (int i = 0; i < 16; ++i) notes.push_back(Tone(Wave::Triangle, i * 2 * eighth, 2 * eighth * 0.9, bass[i], 0.35));
  return notes;
}

std::vector<Note> ExtraLife() {
  std::vector<Note> notes;
  const int steps[] = {15, 19, 22, 27};
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < 4; ++i)
      notes.push_back(Tone(Wave::Square, (round * 4 + i) * 0.07, 0.065, steps[i] + round * 2, 0.25, 0.25));
  return notes;
}

std::vector<Note> CoinBlip() {
  // Short enough to end before the next coin of a corridor is reached.
  Note n = Tone(Wave::Square, 0, 0.055, 14, 0.22, 0.5);
  n.endFreq = n.freq * 1.33;
  n.attack = 0.002;
  n.release = 0.025;
  return {n};
}

std::vector<Note> PelletEaten() {
  Note up = Tone(Wave::Square, 0, 0.2, -9, 0.22, 0.3);
  up.endFreq = Semitone(10);
  up.vibratoHz = 24;
  up.vibratoDepth = 0.04;
  Note down = up;
  down.start = 0.2;
  down.freq = Semitone(10);
  down.endFreq = Semitone(-9);
  Note body = Tone(Wave::Triangle, 0, 0.4, -21, 0.3);
  return {up, down, body};
}

std::vector<Note> GhostEaten() {
  Note n = Tone(Wave::Square, 0, 0.45, -16, 0.22, 0.3);
  n.endFreq = Semitone(26);
  n.vibratoHz = 30;
  n.vibratoDepth = 0.05;
  n.release = 0.1;
  Note echo = n;
  echo.start = 0.08;
  echo.volume = 0.1;
  return {n, echo};
}

std::vector<Note> PlayerCaught() {
  Note fall = Tone(Wave::Square, 0, 1.2, 14, 0.22, 0.4);
  fall.endFreq = Semitone(-19);
  fall.vibratoHz = 8;
  fall.vibratoDepth = 0.06;
  fall.release = 0.2;
  Note rumble = Tone(Wave::Noise, 0.9, 0.35, 0, 0.12);
  rumble.freq = 2000;
  rumble.endFreq = 300;
  return {fall, rumble, Tone(Wave::Square, 1.3, 0.08, -5, 0.22, 0.5), Tone(Wave::Square, 1.45, 0.12, -12, 0.22, 0.5)};
}

}  // namespace soundgen
