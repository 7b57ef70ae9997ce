// Start-up, the main loop and shutdown.
#pragma once

#include "platform/window.h"

// The platform's part of the main loop. The game uses the window's; a tool or a
// test supplies its own to run the same frames at a fixed step with chosen keys.
class LoopDriver {
 public:
  virtual ~LoopDriver() = default;
  // Takes one waiting event without blocking.
  virtual bool TakeEvent(platform::Event& event) = 0;
  // Shows the frame just drawn.
  virtual void Present() = 0;
  // Called after each frame has been stepped; false ends the loop like Escape.
  virtual bool AfterFrame() { return true; }
  // False: the frames are stepped without being drawn (logic-only runs).
  virtual bool RenderEnabled() { return true; }
};

// The game window's events and buffer swap.
class WindowLoopDriver : public LoopDriver {
 public:
  bool TakeEvent(platform::Event& event) override;
  void Present() override;
};

bool Startup();
// A fixed random seed instead of the clock's (tools and tests).
void SetStartupSeed(bool fixed, unsigned seed);
void Shutdown();

// Runs the whole program: Startup, the loop until Escape or a close request,
// Shutdown. Returns the program's exit code.
int RunGame(LoopDriver& driver);
