// The one way the game reaches OpenGL 1.x and GLU.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

// The calling convention of GL callbacks; not every gl.h names it.
#ifndef GLAPIENTRY
#define GLAPIENTRY APIENTRY
#endif

// The function type gluTessCallback takes, spelled the same on every platform.
namespace platform::detail {
template <typename T>
struct ThirdArgument;
template <typename R, typename A, typename B, typename C>
struct ThirdArgument<R (*)(A, B, C)> {
  using type = C;
};
}  // namespace platform::detail
using GluTessFunction = platform::detail::ThirdArgument<decltype(&gluTessCallback)>::type;
