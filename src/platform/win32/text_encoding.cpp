#include "platform/win32/text_encoding.h"

#include <windows.h>

namespace platform::win32 {
namespace {

std::string Convert(const std::string& text, UINT from, UINT to) {
  if (text.empty()) return text;
  const int wide = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (wide <= 0) return text;
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), w.data(), wide);
  const int narrow = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  if (narrow <= 0) return text;
  std::string out(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(to, 0, w.data(), wide, out.data(), narrow, nullptr, nullptr);
  return out;
}

}  // namespace

std::string AnsiFromUtf8(const std::string& text) { return Convert(text, CP_UTF8, CP_ACP); }
std::string Utf8FromAnsi(const std::string& text) { return Convert(text, CP_ACP, CP_UTF8); }

}  // namespace platform::win32
