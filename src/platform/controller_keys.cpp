#include "platform/controller_keys.h"

namespace platform {
namespace {

constexpr int kVkSpace = 32, kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40;
constexpr int kStickPress = 16000;
constexpr int kStickRelease = 8000;

Event KeyEvent(EventType type, int vk) {
  Event e;
  e.type = type;
  e.vk = vk;
  return e;
}

}  // namespace

int VirtualKeyFromControllerButton(int button) {
  switch (button) {
    case ControllerButton::DpadLeft: return kVkLeft;
    case ControllerButton::DpadRight: return kVkRight;
    case ControllerButton::DpadUp: return kVkUp;
    case ControllerButton::DpadDown: return kVkDown;
    case ControllerButton::South: return kVkSpace;
    case ControllerButton::Start: return 'P';
    default: return -1;
  }
}

std::vector<Event> StickKeys::Move(int axis, int value) {
  if (axis != ControllerAxis::LeftX && axis != ControllerAxis::LeftY) return {};
  const int index = axis == ControllerAxis::LeftX ? 0 : 1;
  const int negative = index == 0 ? kVkLeft : kVkUp;
  const int positive = index == 0 ? kVkRight : kVkDown;
  int wanted = held_[index];
  if (value <= -kStickPress) {
    wanted = negative;
  } else if (value >= kStickPress) {
    wanted = positive;
  } else if (value > -kStickRelease && value < kStickRelease) {
    wanted = -1;
  }
  const int held = held_[index];
  if (wanted == held) return {};
  held_[index] = wanted;
  std::vector<Event> events;
  if (held >= 0) events.push_back(KeyEvent(EventType::KeyUp, held));
  if (wanted >= 0) events.push_back(KeyEvent(EventType::KeyDown, wanted));
  return events;
}

}  // namespace platform
