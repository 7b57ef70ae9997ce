// The game's texts are UTF-8; the "A" calls of Windows take the ANSI code page.
#pragma once

#include <string>

namespace platform::win32 {

std::string AnsiFromUtf8(const std::string& text);
std::string Utf8FromAnsi(const std::string& text);

}  // namespace platform::win32
