// The key table and the active flag that the window's events feed.
#pragma once

#include "platform/window.h"

constexpr int KeyUp = 0;       // the key is not held
constexpr int KeyPressed = 1;  // went down; no consumer has taken this press yet
constexpr int KeyHandled = 2;  // still held; its press has been consumed

// Virtual-key codes the game uses.
constexpr int VkReturn = 13;
constexpr int VkEscape = 27;
constexpr int VkSpace = 32;
constexpr int VkLeft = 37;
constexpr int VkUp = 38;
constexpr int VkRight = 39;
constexpr int VkDown = 40;

extern int KeyState[256];
extern bool appActive;

void ResetKeyState();

// The main loop calls this after each frame. A key pressed and released again
// before any frame ran stays KeyPressed until this call, so that a quick tap
// on a slow machine is still seen by exactly one frame.
void KeysSeenByFrame();

// What the window procedure does with one event. A close request posts the
// quit message: QuitPosted() reports it until TakeQuitMessage() clears it.
void HandleWindowEvent(const platform::Event& event);
bool QuitPosted();
void TakeQuitMessage();
