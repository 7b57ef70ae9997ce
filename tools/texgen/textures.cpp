#include "textures.h"

#include <algorithm>
#include <cmath>

namespace texgen {

namespace {

constexpr float kPi = 3.14159265f;

}  // namespace

Canvas Bricks(int size) {
  Canvas c(size, size);
  // Light stone bricks: the walls' material colour tints them, so they stay
  // near white and the mortar dark.
  const Colour mortar{0.30f, 0.29f, 0.32f};
  const int courses = 6;                 // a wall is 1.5 cells high: bricks a quarter cell tall
  const float courseH = static_cast<float>(size) / courses;
  const float brickW = size / 2.0f;
  const float joint = std::max(1.0f, size / 40.0f);
  for (int y = 0; y < size; ++y) {
    const int course = static_cast<int>(y / courseH);
    const float inCourse = y - course * courseH;
    const float shift = (course % 2) * brickW / 2;
    for (int x = 0; x < size; ++x) {
      float bx = std::fmod(x + shift, static_cast<float>(size));
      const int brick = static_cast<int>(bx / brickW);
      const float inBrick = bx - brick * brickW;
      const float edge = std::min({inCourse, courseH - 1 - inCourse, inBrick, brickW - 1 - inBrick});
      // Each brick its own shade, rough with a little noise.
      const float tone = Hash(brick, course, 11);
      Colour base = Mix(Colour{0.74f, 0.72f, 0.78f}, Colour{0.95f, 0.93f, 0.98f}, tone);
      const float grain = SmoothNoise(static_cast<float>(x), static_cast<float>(y), std::max(2, size / 32), size, 5);
      const float speck = Hash(x, y, 3);
      base = Scale(base, 0.82f + 0.25f * grain + (speck > 0.97f ? -0.2f : 0.0f));
      Colour p = base;
      if (edge < joint) {
        p = Scale(mortar, 0.85f + 0.15f * Hash(x, y, 9));
      } else if (edge < joint * 2.5f) {
        // A bevel: the brick's edge catches less light than its face.
        p = Scale(base, 0.75f + 0.25f * (edge - joint) / (joint * 1.5f));
      }
      c.At(x, y) = p;
    }
  }
  return c;
}

Canvas FloorTile(int size) {
  Canvas c(size, size);
  const float bevel = size / 16.0f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float fx = x + 0.5f, fy = y + 0.5f;
      const float edge = std::min({fx, fy, size - fx, size - fy});
      const float n = SmoothNoise(fx, fy, std::max(2, size / 8), size, 21) * 0.6f +
                      SmoothNoise(fx, fy, std::max(1, size / 32), size, 22) * 0.4f;
      Colour p = Mix(Colour{0.42f, 0.44f, 0.50f}, Colour{0.60f, 0.62f, 0.66f}, n);
      if (edge < bevel * 0.5f) p = Scale(p, 0.45f);
      else if (edge < bevel) p = Scale(p, 0.7f + 0.3f * (edge - bevel * 0.5f) / (bevel * 0.5f));
      // An inlaid diamond, the same whichever way the tile is mirrored.
      const float d = std::fabs(fx - size / 2.0f) + std::fabs(fy - size / 2.0f);
      const float ring = std::fabs(d - size * 0.28f);
      if (ring < size / 40.0f + 0.5f) p = Mix(p, Colour{0.75f, 0.68f, 0.45f}, 0.7f);
      c.At(x, y) = p;
    }
  }
  return c;
}

Canvas Doors(int size) {
  Canvas c(size, size);
  const int half = size / 2;
  const float border = size / 20.0f;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int leafX = x < half ? x : x - half;
      // Vertical planks with a darker seam between them.
      const int plank = leafX * 4 / half;
      const float inPlank = leafX - plank * half / 4.0f;
      const float grain = SmoothNoise(x * 4.0f, static_cast<float>(y), std::max(2, size / 16), size * 4, 31 + plank);
      Colour wood = Mix(Colour{0.45f, 0.26f, 0.12f}, Colour{0.66f, 0.42f, 0.22f}, grain * 0.8f + 0.2f * Hash(plank, x < half, 7));
      if (inPlank < std::max(1.0f, size / 128.0f)) wood = Scale(wood, 0.55f);
      const float edge = std::min({static_cast<float>(leafX), static_cast<float>(half - 1 - leafX),
                                   static_cast<float>(y), static_cast<float>(size - 1 - y)});
      if (edge < border) wood = Scale(Colour{0.38f, 0.22f, 0.10f}, 0.8f + 0.2f * grain);
      c.At(x, y) = wood;
    }
  }
  // Iron bands with rivets across both leaves.
  const Colour iron{0.30f, 0.31f, 0.34f};
  for (float band : {0.22f, 0.78f}) {
    const float y0 = size * band - size / 32.0f, y1 = size * band + size / 32.0f;
    c.Rect(border, y0, half - border, y1, iron);
    c.Rect(half + border, y0, size - border, y1, iron);
    for (int i = 0; i < 4; ++i) {
      const float rx = border * 2 + i * (half - border * 4) / 3.0f;
      c.Disc(rx, size * band, size / 64.0f + 0.5f, Colour{0.6f, 0.6f, 0.62f});
      c.Disc(half + rx, size * band, size / 64.0f + 0.5f, Colour{0.6f, 0.6f, 0.62f});
    }
  }
  // One emblem across the seam: a golden sun split between the two leaves.
  const float cx = half, cy = size * 0.5f;
  for (int i = 0; i < 12; ++i) {
    const float a = i * kPi / 6;
    const float r0 = size * 0.10f, r1 = size * 0.17f;
    c.Polygon({cx + std::cos(a - 0.12f) * r0, cy + std::sin(a - 0.12f) * r0, cx + std::cos(a) * r1,
               cy + std::sin(a) * r1, cx + std::cos(a + 0.12f) * r0, cy + std::sin(a + 0.12f) * r0},
              Colour{0.85f, 0.65f, 0.20f});
  }
  c.Disc(cx, cy, size * 0.10f, Colour{0.92f, 0.74f, 0.26f});
  c.Ring(cx, cy, size * 0.07f, size / 64.0f + 0.8f, Colour{0.6f, 0.42f, 0.12f});
  // The seam itself, and a ring handle on each leaf next to it.
  c.Rect(half - std::max(1.0f, size / 128.0f), 0, half + std::max(1.0f, size / 128.0f), size, Colour{0.12f, 0.07f, 0.03f});
  c.Ring(half - size * 0.07f, size * 0.64f, size * 0.025f + 0.5f, size / 96.0f + 0.8f, Colour{0.75f, 0.70f, 0.55f});
  c.Ring(half + size * 0.07f, size * 0.64f, size * 0.025f + 0.5f, size / 96.0f + 0.8f, Colour{0.75f, 0.70f, 0.55f});
  return c;
}

Canvas Spark(int size) {
  Canvas c(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float dx = (x + 0.5f) / size * 2 - 1, dy = (y + 0.5f) / size * 2 - 1;
      const float d2 = dx * dx + dy * dy;
      // A bright core in a soft halo that reaches black before the edge.
      const float v = std::max(0.0f, std::exp(-d2 * 9.0f) * 0.8f + std::exp(-d2 * 40.0f) * 0.4f - 0.0125f);
      c.At(x, y) = Colour{std::min(1.0f, v), std::min(1.0f, v * 0.97f), std::min(1.0f, v * 0.9f)};
    }
  return c;
}

Canvas Arrow(int size) {
  Canvas c(size, size);
  const float half = size / 2.0f;
  // Two chevrons per picture height: the floor shows half the height per
  // cell, and the picture repeats from top to bottom as it scrolls.
  for (int k = 0; k < 2; ++k) {
    const float top = size * (0.08f + 0.5f * k), h = size * 0.3f, w = half * 0.38f, t = size * 0.11f;
    for (int glow = 0; glow < 2; ++glow) {
      const float g = glow == 0 ? size / 40.0f : 0.0f;
      const Colour col = glow == 0 ? Colour{0.35f, 0.18f, 0.05f} : Colour{1.0f, 0.85f, 0.35f};
      c.Polygon({half / 2, top - g, half / 2 + w + g, top + h, half / 2 + w + g - t, top + h + g * 0.5f,
                 half / 2, top + t, half / 2 - w - g + t, top + h + g * 0.5f, half / 2 - w - g, top + h},
                col);
    }
  }
  // The right half is not shown on the floor; a single arrow for looks.
  c.Polygon({half * 1.5f, size * 0.1f, half * 1.85f, size * 0.45f, half * 1.62f, size * 0.45f, half * 1.62f,
             size * 0.9f, half * 1.38f, size * 0.9f, half * 1.38f, size * 0.45f, half * 1.15f, size * 0.45f},
            Colour{0.9f, 0.75f, 0.3f});
  return c;
}

Canvas Coin(int size) {
  Canvas c(size, size);
  const float r = size * 0.46f, cx = size / 2.0f, cy = size / 2.0f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      const float d = std::hypot(dx, dy);
      if (d > r + 1) continue;
      // Lit from the upper left: a soft gradient over the face.
      const float light = 0.75f + 0.25f * (-(dx + dy) / (r * 1.414f));
      Colour gold = Scale(Colour{1.0f, 0.80f, 0.25f}, light);
      if (d > r * 0.82f) gold = Scale(Colour{0.85f, 0.60f, 0.15f}, 0.6f + 0.4f * light);
      c.Blend(x, y, gold, std::clamp(r - d + 0.5f, 0.0f, 1.0f));
    }
  // A raised star in the middle.
  std::vector<float> star;
  for (int i = 0; i < 10; ++i) {
    const float a = -kPi / 2 + i * kPi / 5, rr = (i % 2 == 0 ? 0.5f : 0.22f) * r;
    star.push_back(cx + std::cos(a) * rr);
    star.push_back(cy + std::sin(a) * rr);
  }
  c.Polygon(star, Colour{1.0f, 0.95f, 0.6f});
  return c;
}

Canvas LifeFace(int size) {
  Canvas c(size, size);
  const float cx = size / 2.0f, cy = size / 2.0f, r = size * 0.44f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      const float d = std::hypot(dx, dy);
      const float a = std::atan2(-dy, dx);  // 0 toward the right, up positive
      // The open mouth: a wedge toward the right, its edges smoothed by the
      // distance from them in pixels.
      const float mouth = std::clamp((std::fabs(a) - 0.6f) * d + 0.5f, 0.0f, 1.0f);
      const float light = 0.8f + 0.2f * (-(dx + dy) / (r * 1.414f));
      c.Blend(x, y, Scale(Colour{1.0f, 0.88f, 0.1f}, light), std::clamp(r - d + 0.5f, 0.0f, 1.0f) * mouth);
    }
  c.Disc(cx + r * 0.1f, cy - r * 0.5f, r * 0.12f, Colour{0.05f, 0.05f, 0.05f});
  c.Disc(cx + r * 0.06f, cy - r * 0.55f, r * 0.04f, Colour{1, 1, 1});
  return c;
}

Canvas GhostLife(int size) {
  Canvas c(size, size);
  const float cx = size / 2.0f, r = size * 0.36f, top = size * 0.12f, bottom = size * 0.88f;
  const Colour body{0.25f, 0.35f, 1.0f};
  c.Disc(cx, top + r, r, body);
  c.Rect(cx - r, top + r, cx + r, bottom - size * 0.08f, body);
  // A wavy hem: four little scallops.
  for (int i = 0; i < 4; ++i) c.Disc(cx - r + r * 0.25f + i * r * 0.5f, bottom - size * 0.08f, r * 0.25f, body);
  for (float side : {-1.0f, 1.0f}) {
    c.Disc(cx + side * r * 0.38f, top + r * 0.95f, r * 0.26f, Colour{1, 1, 1});
    c.Disc(cx + side * r * 0.38f + r * 0.08f, top + r * 1.0f, r * 0.12f, Colour{0.05f, 0.05f, 0.3f});
  }
  return c;
}

Canvas QuestionMark(int size) {
  Canvas c(size, size, Colour{0.05f, 0.06f, 0.16f});
  const float cx = size / 2.0f, s = size / 128.0f;
  const Colour ink{1.0f, 0.85f, 0.2f};
  // The hook: an arc over the top right, then down to the stem.
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float dx = x + 0.5f - cx, dy = y + 0.5f - 44 * s;
      const float d = std::hypot(dx, dy);
      const float a = std::atan2(dy, dx);  // screen angle, y down
      if (a > 1.6f) continue;  // open at the lower left, where the stem begins
      c.Blend(x, y, ink, std::clamp(9 * s - std::fabs(d - 24 * s) + 0.5f, 0.0f, 1.0f));
    }
  c.Disc(cx - 24 * s, 44 * s, 9 * s, ink);
  c.Rect(cx - 9 * s, 66 * s, cx + 9 * s, 86 * s, ink);
  c.Disc(cx, 66 * s, 9 * s, ink);
  c.Disc(cx, 104 * s, 10 * s, ink);
  c.Ring(cx, size / 2.0f, size * 0.47f, 3 * s, Colour{0.3f, 0.35f, 0.7f});
  return c;
}

Canvas LevelPicture(const levelc::LevelSource& level, int size) {
  Canvas c(size, size, Colour{0.03f, 0.03f, 0.10f});
  const int margin = size / 16;
  const int cell = std::max(1, (size - 2 * margin) / std::max(level.width, level.height));
  const int ox = (size - cell * level.width) / 2, oy = (size - cell * level.height) / 2;
  for (int y = 0; y < level.height; ++y) {
    for (int x = 0; x < level.width; ++x) {
      const char ch = level.At(x, y);
      const float px = static_cast<float>(ox + x * cell), py = static_cast<float>(oy + y * cell);
      const float mid = cell / 2.0f;
      Colour floor{0.10f, 0.10f, 0.22f};
      c.Rect(px, py, px + cell, py + cell, floor);
      if (levelc::IsWallChar(ch)) {
        c.Rect(px, py, px + cell, py + cell, ch == levelc::kBossWall ? Colour{0.55f, 0.25f, 0.75f} : Colour{0.25f, 0.45f, 0.95f});
      } else if (ch == levelc::kCoin) {
        c.Disc(px + mid, py + mid, std::max(0.45f, cell * 0.16f), Colour{1.0f, 0.85f, 0.2f});
      } else if (ch == levelc::kPellet) {
        c.Disc(px + mid, py + mid, cell * 0.42f, Colour{1, 1, 1});
      } else if (levelc::IsArrowChar(ch)) {
        c.Rect(px, py, px + cell, py + cell, Colour{0.75f, 0.15f, 0.15f});
      } else if (levelc::IsDoorChar(ch)) {
        c.Rect(px, py, px + cell, py + cell, Colour{0.95f, 0.55f, 0.15f});
      } else if (ch == levelc::kNoPlayer || ch == levelc::kHouseDoor || ch == levelc::kGhost) {
        c.Rect(px, py, px + cell, py + cell, Colour{0.85f, 0.45f, 0.65f});
      } else if (ch == levelc::kPlayer || ch == levelc::kPartner) {
        c.Disc(px + mid, py + mid, cell * 0.9f, Colour{1.0f, 0.95f, 0.1f});
      } else if (ch == levelc::kBoss) {
        c.Disc(px + mid, py + mid, cell * 1.2f, Colour{0.3f, 0.4f, 1.0f});
      }
    }
  }
  return c;
}

}  // namespace texgen
