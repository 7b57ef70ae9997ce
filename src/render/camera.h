// The camera: behind the player (chase), at its eye (close) or high above it
// (overhead), easing into place a little every frame.
#pragma once

class Player;

constexpr int kCameraChase = 1;
constexpr int kCameraClose = 2;
constexpr int kCameraOverhead = 3;

class Camera {
 public:
  Camera() = default;
  virtual ~Camera() = default;

  // Sets the mode with its distance and elevation; entering the overhead view
  // remembers the chase yaw goal, entering the chase view takes it back.
  void SetMode(int newMode);
  int GetMode() const { return mode; }
  // The player to follow (not owned); its current direction is taken as seen.
  void SetFollowTarget(Player& player);
  void SetEye(const float position[3]);
  void SetTarget(const float position[3]);
  void SetDistance(float d) { distance = d; }
  float GetYaw() const { return yaw; }
  bool IsSettled() const { return settled; }

  // Perspective and view into the projection matrix, identity modelview.
  void Apply();
  // Eases the eye and the yaw; step in ticks.
  void Update(double step);

  int mode = 0;
  float eye[3] = {0, 0, 0};
  float target[3] = {0, 0, 0};
  float up[3] = {0, 1, 0};
  Player* followed = nullptr;  // not owned
  float distance = 1.0f;
  float elevation = 0;  // degrees above the target's horizontal plane
  float yaw = 0;        // degrees
  float yawGoal = 90;
  int viewWidth = 640;
  int viewHeight = 480;
  int followedDirection = 0;
  bool settled = false;

  // The chase yaw goal kept while the overhead view is in use; shared by
  // every camera, 90 at start.
  static float savedYawGoal;

 private:
  void ChaseUpdate(double step);
  void OverheadUpdate(double step);
  void EaseYaw(double step);
  // Moves value towards goal by at most limit; any move unsettles the camera.
  void Ease(float& value, float goal, float limit);
};
