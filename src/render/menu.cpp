#include "render/menu.h"

Menu* menu = nullptr;
