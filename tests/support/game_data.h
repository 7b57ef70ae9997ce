// A data folder for running the whole game in tests: every texture the game
// loads, as tiny plain pictures, with empty pantallas/ and sonidos/ folders for
// the level files a test writes (see level_files.h).
#pragma once

#include <filesystem>

namespace test {

void WriteGameTextures(const std::filesystem::path& dir);

}  // namespace test
