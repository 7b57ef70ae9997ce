// A floor arrow: a scrolling arrow picture that pushes the player along.
#pragma once

class FloorArrow {
 public:
  float x = 0, z = 0;
  float rotation = 0;  // degrees about the vertical axis
  float scroll = 1.0f; // texture offset, kept between 0.5 and 1.0

  virtual ~FloorArrow() = default;

  void SetPosition(float px, float pz) { x = px; z = pz; }
  void SetRotation(float degrees) { rotation = degrees; }
  float X() const { return x; }
  float Z() const { return z; }
  void Update(double dt);
  void Draw();  // defined with the maze drawing
};
