#include "world/coin.h"

#include "game/game_random.h"

Coin::Coin() {
  // The draws keep this order so that a seeded game lays out the same spins.
  angleX = static_cast<float>(GameRandom() % 360);
  angleY = static_cast<float>(GameRandom() % 360);
  angleZ = static_cast<float>(GameRandom() % 360);
  spinX = static_cast<float>(GameRandom() % 100) / 50.0f;
  spinY = static_cast<float>(GameRandom() % 100) / 50.0f;
  spinZ = static_cast<float>(GameRandom() % 100) / 50.0f;
}

void Coin::SetPosition(float px, float py, float pz) {
  x = px;
  y = py;
  z = pz;
  visible = true;
}

void Coin::Update(double dt) {
  // An eaten coin keeps its pose.
  if (!visible) return;
  angleX += static_cast<float>(dt * spinX);
  angleY += static_cast<float>(dt * spinY);
  angleZ += static_cast<float>(dt * spinZ);
}
