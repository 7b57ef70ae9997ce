#include "app/frame_clock.h"

#include <utility>

#include "platform/clock.h"

double frameStep = 0.0;

namespace {
std::function<double()> clockSource;
double clockReference = 0.0;
bool clockReferenceSet = false;
}  // namespace

double ReadClockSeconds() { return clockSource ? clockSource() : platform::MonotonicSeconds(); }

void SetClockSource(std::function<double()> source) { clockSource = std::move(source); }

void ResetFrameClock() { clockReferenceSet = false; }

void ComputeFrameStep() {
  if (!clockReferenceSet) {
    clockReference = ReadClockSeconds();
    clockReferenceSet = true;
  }
  frameStep = (ReadClockSeconds() - clockReference) * 70.0;
  clockReference = ReadClockSeconds();
  if (frameStep > 10.0) frameStep = 10.0;
  // The clock never runs back, but a step is never negative either: nothing in
  // the game is meant to move backwards in time.
  if (frameStep < 0.0) frameStep = 0.0;
}
