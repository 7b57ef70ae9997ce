#include "render/camera.h"

#include <cmath>

#include "actors/player.h"
#include "platform/gl.h"

namespace {
constexpr float kPi = 3.141592f;
}

float Camera::savedYawGoal = 90.0f;

void Camera::SetMode(int newMode) {
  mode = newMode;
  switch (newMode) {
    case kCameraOverhead:
      savedYawGoal = yawGoal;
      elevation = 89.0f;
      distance = 15.0f;
      break;
    case kCameraClose:
      elevation = 0.0f;
      distance = 0.5f;
      break;
    case kCameraChase:
      yawGoal = savedYawGoal;
      elevation = 25.0f;
      distance = 7.0f;
      break;
    default:
      break;
  }
}

void Camera::SetFollowTarget(Player& player) {
  followed = &player;
  followedDirection = player.GetDirection();
}

void Camera::SetEye(const float position[3]) {
  for (int i = 0; i < 3; ++i) eye[i] = position[i];
}

void Camera::SetTarget(const float position[3]) {
  for (int i = 0; i < 3; ++i) target[i] = position[i];
}

void Camera::Apply() {
  // The view goes into the projection matrix so that world-space planes can be
  // read back from it, and so that lights and overlays placed with an identity
  // modelview land in world coordinates.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(viewWidth) / static_cast<double>(viewHeight), 1.0, 50.0);
  gluLookAt(eye[0], eye[1], eye[2], target[0], target[1], target[2], up[0], up[1], up[2]);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void Camera::Update(double step) {
  if (mode == kCameraChase || mode == kCameraClose)
    ChaseUpdate(step);
  else if (mode == kCameraOverhead)
    OverheadUpdate(step);
}

void Camera::Ease(float& value, float goal, float limit) {
  if (value > goal) {
    settled = false;
    value = value - goal <= limit ? goal : value - limit;
  } else if (value < goal) {
    settled = false;
    value = goal - value <= limit ? goal : value + limit;
  }
}

void Camera::EaseYaw(double step) {
  if (yaw == yawGoal) return;
  settled = false;
  const float d = std::fabs(yaw - yawGoal);
  float limit = static_cast<float>(step);
  if (d <= limit) {
    yaw = yawGoal;
    // Only a finished turn is brought back into 0..360, so that the goal of
    // a turn under way is never moved away from the yaw chasing it.
    while (yaw > 360.0f) {
      yaw -= 360.0f;
      yawGoal -= 360.0f;
    }
    while (yaw < 0.0f) {
      yaw += 360.0f;
      yawGoal += 360.0f;
    }
    return;
  }
  if (d > 20.0f) limit += d / 20.0f;
  yaw += yaw < yawGoal ? limit : -limit;
}

void Camera::ChaseUpdate(double step) {
  settled = true;
  if (!followed) return;
  const int h = followed->GetDirection();
  if (h != followedDirection) {
    if (h == (followedDirection + 1) % 4)
      yawGoal -= 90.0f;
    else if (h == (followedDirection + 2) % 4)
      yawGoal += 180.0f;
    else
      yawGoal += 90.0f;
    followedDirection = h;
  }
  EaseYaw(step);

  float p[3];
  followed->GetPosition(p);
  SetTarget(p);

  const float a = (yaw + 180.0f) * kPi / 180.0f;
  const float e = elevation * kPi / 180.0f;
  const float wantX = p[0] + std::cos(a) * distance;
  const float wantY = p[1] + std::sin(e) * distance;
  const float wantZ = p[2] - std::sin(a) * distance;
  const float limit = static_cast<float>(step * 0.2);
  Ease(eye[1], wantY, limit);
  Ease(eye[0], wantX, limit);
  Ease(eye[2], wantZ, limit);
}

void Camera::OverheadUpdate(double step) {
  yawGoal = 90.0f;
  settled = true;
  EaseYaw(step);
  if (!followed) return;

  float p[3];
  followed->GetPosition(p);
  SetTarget(p);

  const float a = (yaw + 180.0f) * kPi / 180.0f;
  const float e = elevation * kPi / 180.0f;
  const float wantX = p[0] + std::cos(a) * distance / 2.0f;
  const float wantY = p[1] + std::sin(e) * distance;
  const float wantZ = p[2] - std::sin(a) * distance / 2.0f;
  const float limit = static_cast<float>(step * 0.2);
  // The overhead eye comes down as usual but only climbs when clearly too
  // low, so a hair's breadth under the height counts as arrived.
  if (eye[1] > wantY) {
    Ease(eye[1], wantY, limit);
  } else if (eye[1] < wantY - 0.01f) {
    settled = false;
    eye[1] = wantY - eye[1] <= limit ? wantY : eye[1] + limit;
  }
  Ease(eye[0], wantX, limit);
  Ease(eye[2], wantZ, limit);
}
