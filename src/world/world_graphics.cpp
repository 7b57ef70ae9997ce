#include "world/world_graphics.h"

bool worldGraphicsEnabled = true;
