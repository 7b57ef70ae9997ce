// A tiny synthesiser for the game's sound effects: square and triangle
// voices with pitch sweeps and envelopes, mixed into 16-bit mono PCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

constexpr int kSampleRate = 22050;

enum class Wave { Square, Triangle, Noise };

struct Note {
  Wave wave = Wave::Square;
  double start = 0;        // seconds
  double length = 0.1;     // seconds
  double freq = 440;       // Hz at the start
  double endFreq = 0;      // Hz at the end (0: no sweep)
  double volume = 0.3;     // 0 to 1
  double attack = 0.005;   // seconds
  double release = 0.03;   // seconds of fade at the end
  double vibratoHz = 0;    // pitch wobble
  double vibratoDepth = 0; // fraction of the pitch
  double duty = 0.5;       // square waves: fraction of the period high
};

// Mixes the notes into samples; the result lasts until the last note ends.
std::vector<std::int16_t> Render(const std::vector<Note>& notes);

// The bytes of a RIFF WAVE file of 16-bit mono PCM samples.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples);

bool SaveWav(const std::string& path, const std::vector<std::int16_t>& samples);

// Frequency of a note counted in semitones from A4 (440 Hz).
double Semitone(int fromA4);

}  // namespace soundgen
