#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace texgen {

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, float k) { return {c.r * k, c.g * k, c.b * k}; }

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

void Canvas::Blend(int x, int y, Colour c, float alpha) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) return;
  Colour& p = At(x, y);
  p = Mix(p, c, std::min(alpha, 1.0f));
}

void Canvas::Rect(float x0, float y0, float x1, float y1, Colour c) {
  for (int y = std::max(0, static_cast<int>(y0)); y < std::min(height_, static_cast<int>(std::ceil(y1))); ++y)
    for (int x = std::max(0, static_cast<int>(x0)); x < std::min(width_, static_cast<int>(std::ceil(x1))); ++x) {
      // Partial coverage at the edges keeps small shapes smooth.
      const float cx = std::min(x1, x + 1.0f) - std::max(x0, static_cast<float>(x));
      const float cy = std::min(y1, y + 1.0f) - std::max(y0, static_cast<float>(y));
      Blend(x, y, c, std::clamp(cx, 0.0f, 1.0f) * std::clamp(cy, 0.0f, 1.0f));
    }
}

void Canvas::Disc(float cx, float cy, float radius, Colour c, float softness) {
  const int x0 = static_cast<int>(cx - radius - softness - 1), x1 = static_cast<int>(cx + radius + softness + 1);
  const int y0 = static_cast<int>(cy - radius - softness - 1), y1 = static_cast<int>(cy + radius + softness + 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      Blend(x, y, c, std::clamp((radius - d) / softness + 0.5f, 0.0f, 1.0f));
    }
}

void Canvas::Ring(float cx, float cy, float radius, float thickness, Colour c) {
  const int r = static_cast<int>(radius + thickness + 2);
  for (int y = static_cast<int>(cy) - r; y <= static_cast<int>(cy) + r; ++y)
    for (int x = static_cast<int>(cx) - r; x <= static_cast<int>(cx) + r; ++x) {
      const float d = std::fabs(std::hypot(x + 0.5f - cx, y + 0.5f - cy) - radius);
      Blend(x, y, c, std::clamp(thickness / 2 - d + 0.5f, 0.0f, 1.0f));
    }
}

void Canvas::Polygon(const std::vector<float>& xy, Colour c) {
  // Even-odd fill, sampled 4 x 4 per pixel.
  const std::size_t n = xy.size() / 2;
  float minY = 1e9f, maxY = -1e9f, minX = 1e9f, maxX = -1e9f;
  for (std::size_t i = 0; i < n; ++i) {
    minX = std::min(minX, xy[2 * i]);
    maxX = std::max(maxX, xy[2 * i]);
    minY = std::min(minY, xy[2 * i + 1]);
    maxY = std::max(maxY, xy[2 * i + 1]);
  }
  for (int y = std::max(0, static_cast<int>(minY)); y <= std::min(height_ - 1, static_cast<int>(maxY)); ++y)
    for (int x = std::max(0, static_cast<int>(minX)); x <= std::min(width_ - 1, static_cast<int>(maxX)); ++x) {
      int inside = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          const float px = x + (sx + 0.5f) / 4, py = y + (sy + 0.5f) / 4;
          bool in = false;
          for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
          }
          inside += in;
        }
      Blend(x, y, c, inside / 16.0f);
    }
}

float Hash(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFFFF) / 16777216.0f;
}

float SmoothNoise(float x, float y, int cell, int period, int seed) {
  const float fx = x / cell, fy = y / cell;
  const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  const float tx = fx - ix, ty = fy - iy;
  const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const int p = std::max(1, period / cell);
  auto h = [&](int a, int b) { return Hash(((a % p) + p) % p, ((b % p) + p) % p, seed); };
  const float top = h(ix, iy) + (h(ix + 1, iy) - h(ix, iy)) * sx;
  const float bottom = h(ix, iy + 1) + (h(ix + 1, iy + 1) - h(ix, iy + 1)) * sx;
  return top + (bottom - top) * sy;
}

std::vector<std::uint8_t> EncodeBmp(const Canvas& c) {
  const int rowBytes = (c.width() * 3 + 3) & ~3;
  const std::uint32_t dataSize = static_cast<std::uint32_t>(rowBytes * c.height());
  std::vector<std::uint8_t> out(54 + dataSize, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, 54 + dataSize);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(c.width()));
  put32(22, static_cast<std::uint32_t>(c.height()));
  out[26] = 1;   // planes
  out[28] = 24;  // bits per pixel
  put32(34, dataSize);
  put32(38, 2835);  // 72 dots per inch
  put32(42, 2835);
  auto byte = [](float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
  for (int row = 0; row < c.height(); ++row) {
    const int y = c.height() - 1 - row;  // bottom row first
    std::size_t at = 54 + static_cast<std::size_t>(row * rowBytes);
    for (int x = 0; x < c.width(); ++x) {
      const Colour& p = c.At(x, y);
      out[at++] = byte(p.b);
      out[at++] = byte(p.g);
      out[at++] = byte(p.r);
    }
  }
  return out;
}

bool Canvas::SaveBmp(const std::string& path) const {
  const std::vector<std::uint8_t> bytes = EncodeBmp(*this);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace texgen
