#include "platform/paths.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/text_encoding.h"

namespace platform {
namespace {

std::string ShellFolder(int id) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
  return win32::Utf8FromAnsi(path);
}

}  // namespace

std::string ExecutableDir() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return "";
  std::string dir = win32::Utf8FromAnsi(std::string(path, n));
  const auto slash = dir.find_last_of("\\/");
  if (slash == std::string::npos) return "";
  dir.resize(slash + 1);
  return dir;
}

bool DirectoryWritable(const std::string& dir) {
  if (dir.empty()) return false;
  // Rights and read-only media are only known by trying: a file that vanishes on close.
  std::string probe = win32::AnsiFromUtf8(dir);
  if (probe.back() != '\\' && probe.back() != '/') probe += '\\';
  probe += "glumbo3d-write-test.tmp";
  HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

std::string UserConfigBaseDir() { return ShellFolder(CSIDL_APPDATA); }

std::string UserPicturesDir() { return ShellFolder(CSIDL_MYPICTURES); }

std::string UserFolderName() { return "Glumbo3D"; }

}  // namespace platform
