// The flat screen font: one display list per character code 32 to 127, each
// drawing its glyph at the current raster position and moving it on.
#pragma once

// First of the 96 lists; 0 while the font is not built.
extern unsigned int bitmapFontBase;

// Needs a current GL context.
void BuildBitmapFont();
void DeleteBitmapFont();

// Formats the text (at most 255 characters) and draws it at the current raster
// position in the current colour. A null format draws nothing.
void PrintBitmap(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
