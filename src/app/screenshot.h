// F12: a picture of the frame on screen, saved as a PNG in the player's
// pictures folder.
#pragma once

#include <ctime>
#include <optional>
#include <string>

// The file for a picture taken at a time: <pictures>/Glumbo3D/glumbo3d-YYYY-MM-DD-HHMMSS.png,
// with -2, -3 ... added when that name is taken. Nothing when there is no pictures folder.
std::optional<std::string> ScreenshotPath(const std::string& picturesDir, std::time_t when);

// Reads the frame just drawn (the back buffer, before it is shown) and saves
// it; one line on stderr says where, or why not. Returns the file written.
std::optional<std::string> SaveScreenshot(int width, int height);

// F12 asks for a picture; the main loop takes it after the next frame is drawn.
void RequestScreenshot();
bool TakeScreenshotRequest();
