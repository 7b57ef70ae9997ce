// Controller input as keys: the button mapping and the stick's two thresholds.
#include <gtest/gtest.h>

#include <vector>

#include "platform/controller_keys.h"

namespace {

namespace ControllerAxis = platform::ControllerAxis;
namespace ControllerButton = platform::ControllerButton;
using platform::EventType;

std::vector<std::pair<EventType, int>> Keys(const std::vector<platform::Event>& events) {
  std::vector<std::pair<EventType, int>> out;
  for (const auto& e : events) out.emplace_back(e.type, e.vk);
  return out;
}

TEST(ControllerKeys, ButtonsAreTheGameKeys) {
  EXPECT_EQ(platform::VirtualKeyFromControllerButton(ControllerButton::DpadLeft), 37);
  EXPECT_EQ(platform::VirtualKeyFromControllerButton(ControllerButton::DpadUp), 38);
  EXPECT_EQ(platform::VirtualKeyFromControllerButton(ControllerButton::DpadRight), 39);
  EXPECT_EQ(platform::VirtualKeyFromControllerButton(ControllerButton::DpadDown), 40);
  EXPECT_EQ(platform::VirtualKeyFromControllerButton(ControllerButton::South), 32);
  EXPECT_EQ(platform::VirtualKeyFromControllerButton(ControllerButton::Start), 'P');
  EXPECT_EQ(platform::VirtualKeyFromControllerButton(99), -1);
}

TEST(ControllerKeys, StickHoldsAnArrowBetweenItsThresholds) {
  platform::StickKeys stick;
  using V = std::vector<std::pair<EventType, int>>;
  EXPECT_EQ(Keys(stick.Move(ControllerAxis::LeftX, 15000)), V{});  // not yet past the press threshold
  EXPECT_EQ(Keys(stick.Move(ControllerAxis::LeftX, 20000)), (V{{EventType::KeyDown, 39}}));
  EXPECT_EQ(Keys(stick.Move(ControllerAxis::LeftX, 10000)), V{});  // resting near the edge: still held
  EXPECT_EQ(Keys(stick.Move(ControllerAxis::LeftX, -30000)), (V{{EventType::KeyUp, 39}, {EventType::KeyDown, 37}}));
  EXPECT_EQ(Keys(stick.Move(ControllerAxis::LeftY, 20000)), (V{{EventType::KeyDown, 40}}));  // y grows down
  EXPECT_EQ(Keys(stick.Move(ControllerAxis::LeftX, 0)), (V{{EventType::KeyUp, 37}}));
  EXPECT_EQ(Keys(stick.Move(ControllerAxis::LeftY, -7999)), (V{{EventType::KeyUp, 40}}));
  EXPECT_EQ(Keys(stick.Move(5, 30000)), V{});  // another axis
}

}  // namespace
