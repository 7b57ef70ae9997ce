// Solid letters: a glyph outline filled on its front and back and walled
// round its edges, compiled into display lists for the menu's font.
#pragma once

#include "platform/font_face.h"

// How far, in em units, a flattened curve may stray from the font's curve: the
// menu's letters stand about 60 pixels to the em, so this keeps them within a
// third of a pixel.
inline constexpr float kOutlineTolerance = 0.005f;
inline constexpr float kOutlineDepth = 0.2f;

// Draws one glyph in immediate mode: its front face at z = 0 facing +z, its
// back face at z = -depth facing -z and the side walls facing outwards, each
// with its normal. Returns the number of vertices sent.
int DrawExtrudedGlyph(const platform::GlyphOutline& glyph, float depth);
