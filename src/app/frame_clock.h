// The frame clock: how much game time one frame covers.
#pragma once

#include <functional>

// The current frame's time in ticks of 1/70 second, 0 to 10.
extern double frameStep;

// Seconds from the clock source (monotonic unless replaced).
double ReadClockSeconds();

// Replaces the clock source (a tool or test running at a fixed step); empty restores it.
void SetClockSource(std::function<double()> source);

// Computes frameStep from the time since the previous call. The first call of
// the process gives a step near 0.
void ComputeFrameStep();

// Forgets the clock reference, as at the start of the process.
void ResetFrameClock();
