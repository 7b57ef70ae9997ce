#include "render/hud_values.h"

float textScrollY = kTextHidden;
float hudSpin = 0.0f;
bool pauseBlink = false;
