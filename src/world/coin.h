// A coin: spins over its cell until the player eats it.
#pragma once

class Coin {
 public:
  float x = 0, y = 0, z = 0;
  float angleX, angleY, angleZ;  // degrees
  float spinX, spinY, spinZ;     // degrees per tick
  bool visible = false;

  Coin();  // draws its angles and spins from GameRandom()
  virtual ~Coin() = default;

  void SetPosition(float px, float py, float pz);  // also makes it visible
  void SetVisible(bool on) { visible = on; }
  float X() const { return x; }
  float Z() const { return z; }
  void Update(double dt);
  void Draw();  // defined with the maze drawing
};
