// Pictures as binary PPM (P6, maxval 255), for looking at what the game decoded.
#pragma once

#include <cstdint>
#include <vector>

#include "world/bmp_image.h"

// The picture's top row comes first, as PPM wants it.
std::vector<std::uint8_t> ImageToPpm(const Image& image);
