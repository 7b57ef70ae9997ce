// Whether the world objects talk to OpenGL (textures and lights). The game
// always does; the level tool, the fuzzer and GL-free tests switch it off
// before they make a Level, so that a level loads without a window.
#pragma once

extern bool worldGraphicsEnabled;
