// The five wall pieces. Each is modelled once in a cell frame running from 0
// to 1 in x and z (north edge z = 0, east edge x = 1) and turned into place
// by the wall code; walls are 0.3 thick about the cell's centre line, 1.5
// high, with rounded outer corners and ends.
#include "platform/gl.h"
#include "render/primitives.h"
#include "world/face_draw.h"
#include "world/level.h"

namespace {

using maze_draw::FaceX;
using maze_draw::FaceY;
using maze_draw::FaceZ;

constexpr float kTop = 1.5f;

void SectorAt(float x, float z, float start, float sweep) {
  glPushMatrix();
  glTranslatef(x, 0.0f, z);
  DrawCylinderSector(start, sweep);
  glPopMatrix();
}

// An L from the south edge to the centre and on to the east edge.
void WallCorner() {
  glBegin(GL_QUADS);
  FaceX(0.35f, -1, 0.5f, 1.0f, 0.0f, 1.0f);
  FaceZ(0.35f, -1, 0.5f, 1.0f, 0.0f, 1.0f);
  FaceX(0.65f, +1, 0.65f, 1.0f, 1.0f, 0.0f);
  FaceZ(0.65f, +1, 0.65f, 1.0f, 0.0f, 1.0f);
  FaceZ(1.0f, +1, 0.35f, 0.65f, 0.0f, 1.0f);
  FaceY(kTop, +1, 0.35f, 0.65f, 0.5f, 1.0f, {0, 0.75f}, {1, 0.75f}, {1, 0.25f}, {0, 0.25f});
  FaceY(kTop, +1, 0.5f, 1.0f, 0.35f, 0.65f, {1, 0.25f}, {1, 0.75f}, {0, 0.75f}, {0, 0.25f});
  glEnd();
  SectorAt(0.5f, 0.5f, 180.0f, 90.0f);
}

// Straight through from the north edge to the south edge.
void WallStraight() {
  glBegin(GL_QUADS);
  FaceX(0.35f, -1, 0.0f, 1.0f, 0.0f, 1.0f);
  FaceX(0.65f, +1, 0.0f, 1.0f, 0.0f, 1.0f);
  FaceY(kTop, +1, 0.35f, 0.65f, 0.0f, 1.0f, {0, 0}, {1, 0}, {1, 1}, {0, 1});
  glEnd();
}

// From the north edge to a rounded end at the south edge.
void WallEnd() {
  glBegin(GL_QUADS);
  FaceX(0.35f, -1, 0.0f, 0.85f, 0.0f, 1.0f);
  FaceX(0.65f, +1, 0.0f, 0.85f, 1.0f, 0.0f);
  FaceY(kTop, +1, 0.35f, 0.65f, 0.0f, 0.85f, {0, 1}, {1, 1}, {1, 0}, {0, 0});
  glEnd();
  SectorAt(0.5f, 0.85f, 0.0f, 180.0f);
}

// From the north edge to the centre, then east to a rounded end.
void WallHookEast() {
  glBegin(GL_QUADS);
  FaceY(kTop, +1, 0.35f, 0.65f, 0.0f, 0.5f, {1, 0}, {0, 0}, {0, 0.5f}, {1, 0.5f});
  FaceX(0.35f, -1, 0.0f, 0.5f, 0.0f, 1.0f);
  FaceX(0.65f, +1, 0.0f, 0.35f, 0.0f, 1.0f);
  FaceY(kTop, +1, 0.5f, 0.85f, 0.35f, 0.65f, {1, 0}, {1, 0.5f}, {0, 0.5f}, {0, 0});
  FaceZ(0.65f, +1, 0.5f, 0.85f, 0.0f, 1.0f);
  FaceZ(0.35f, -1, 0.65f, 0.85f, 1.0f, 0.0f);
  glEnd();
  SectorAt(0.5f, 0.5f, 90.0f, 90.0f);
  SectorAt(0.85f, 0.5f, 270.0f, 180.0f);
}

// The mirror image: from the north edge to the centre, then west.
void WallHookWest() {
  glBegin(GL_QUADS);
  FaceY(kTop, +1, 0.35f, 0.65f, 0.0f, 0.5f, {1, 0}, {0, 0}, {0, 0.5f}, {1, 0.5f});
  FaceX(0.35f, -1, 0.0f, 0.35f, 0.0f, 1.0f);
  FaceX(0.65f, +1, 0.0f, 0.5f, 0.0f, 1.0f);
  FaceY(kTop, +1, 0.15f, 0.5f, 0.35f, 0.65f, {1, 0}, {0, 0}, {0, 0.5f}, {1, 0.5f});
  FaceZ(0.65f, +1, 0.15f, 0.5f, 1.0f, 0.0f);
  FaceZ(0.35f, -1, 0.15f, 0.35f, 0.0f, 1.0f);
  glEnd();
  SectorAt(0.5f, 0.5f, 0.0f, 90.0f);
  SectorAt(0.15f, 0.5f, 90.0f, 180.0f);
}

struct PieceOfCode {
  void (*draw)();
  float rotation;
};

// Wall codes 4 to 21. Codes 9, 10, 12 and 15 block movement but have no shape.
constexpr PieceOfCode kPieces[18] = {
    {WallCorner, 0.0f},      {WallCorner, -90.0f},   {WallCorner, 90.0f},    {WallCorner, 180.0f},
    {WallHookWest, 180.0f},  {nullptr, 0.0f},        {nullptr, 0.0f},        {WallHookWest, 0.0f},
    {nullptr, 0.0f},         {WallHookEast, 180.0f}, {WallHookEast, 0.0f},   {nullptr, 0.0f},
    {WallEnd, 180.0f},       {WallEnd, 0.0f},        {WallEnd, -90.0f},      {WallEnd, 90.0f},
    {WallStraight, 90.0f},   {WallStraight, 0.0f},
};

}  // namespace

void DrawWallPiece(int code) {
  if (code < 4 || code > 21) return;
  const PieceOfCode& piece = kPieces[code - 4];
  if (!piece.draw) return;
  glRotatef(piece.rotation, 0.0f, 1.0f, 0.0f);
  glTranslatef(-0.5f, 0.0f, -0.5f);
  piece.draw();
}
