// A small RGB drawing surface for the generated textures, with the few
// shapes they are made of. Everything is deterministic: the "noise" is a hash
// of the pixel position, never a clock or an unseeded generator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace texgen {

struct Colour {
  float r = 0, g = 0, b = 0;
};

Colour Mix(Colour a, Colour b, float t);
Colour Scale(Colour c, float k);

class Canvas {
 public:
  Canvas(int width, int height, Colour fill = {});
  int width() const { return width_; }
  int height() const { return height_; }
  // (x, y) with y = 0 at the top of the picture, as one draws it.
  Colour& At(int x, int y) { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  const Colour& At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  void Rect(float x0, float y0, float x1, float y1, Colour c);
  // Blends c over the picture with coverage computed per pixel by the shape.
  void Disc(float cx, float cy, float radius, Colour c, float softness = 1.0f);
  void Ring(float cx, float cy, float radius, float thickness, Colour c);
  void Blend(int x, int y, Colour c, float alpha);
  void Polygon(const std::vector<float>& xy, Colour c);
  // Writes a 24-bit bottom-up BMP; false if the file cannot be written.
  bool SaveBmp(const std::string& path) const;

 private:
  int width_, height_;
  std::vector<Colour> pixels_;
};

// Deterministic value noise in [0, 1) from integer coordinates and a seed.
float Hash(int x, int y, int seed);
// Smooth value noise over a grid of the given cell size, tiling with period.
float SmoothNoise(float x, float y, int cell, int period, int seed);

// The bytes of a 24-bit BMP file of the picture (rows bottom-up).
std::vector<std::uint8_t> EncodeBmp(const Canvas& canvas);

}  // namespace texgen
