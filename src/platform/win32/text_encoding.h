// The game's texts are UTF-8; Windows takes UTF-16 through its "W" calls.
#pragma once

#include <string>

namespace platform::win32 {

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::string Utf8FromWide(const wchar_t* text);

// The ANSI code page of the "A" calls, for font names that GDI reports that way.
std::string AnsiFromUtf8(const std::string& text);
std::string Utf8FromAnsi(const std::string& text);

// The system's own text for an error code (GetLastError), in UTF-8, on one line.
std::string SystemErrorText(unsigned long code);

}  // namespace platform::win32
