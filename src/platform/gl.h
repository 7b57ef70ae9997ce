// The one way the game reaches OpenGL 1.x and GLU.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
