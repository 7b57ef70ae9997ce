// Scaling a decoded picture, for the desktop icons made from the game's art.
#pragma once

#include "world/bmp_image.h"

// The picture scaled to width x height (both at least 1): when shrinking, each
// new pixel is the mean of the old area it covers, so that small icons keep
// their colours without shimmering patterns; when enlarging, bilinear.
// An empty picture or size gives an empty picture.
Image ResizeImage(const Image& source, int width, int height);
