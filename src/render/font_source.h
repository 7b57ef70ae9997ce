// Where the game's two fonts get their glyphs from.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/font_face.h"

// The family the texts were laid out for, and its size in pixels (the em height).
inline constexpr const char* kGameFontFamily = "Courier New";
inline constexpr int kGameFontPixels = 18;

// Opens the game's font. Without a usable font the game cannot show its menu:
// a "FATAL ERROR" box says so and the process ends with status 0, like a
// missing texture. Returns nullptr only when a replaced exit returns.
std::unique_ptr<platform::FontFace> OpenGameFont();

// Replace how the font file is found and how the process ends (tests); an
// empty function restores the default.
void SetFontFileFinder(std::function<std::string(const std::string& family)> finder);
void SetFontFatalExit(std::function<void(int status)> exitFunction);
