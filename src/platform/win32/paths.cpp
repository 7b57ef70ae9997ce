// Folders on Windows, through the system's UTF-16 calls: any folder name, any length.
#include "platform/paths.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/text_encoding.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

std::string KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) folder = win32::Utf8FromWide(path);
  CoTaskMemFree(path);
  return folder;
}

// Longer names get the \\?\ prefix, which lifts MAX_PATH on every Windows
// version; the margin leaves room for the names the game appends (a picture's
// is 40 characters).
constexpr std::size_t kLongName = MAX_PATH - 64;

// The name the "W" calls take: an absolute path that is long gets the prefix.
std::wstring SystemName(const fs::path& path) {
  std::wstring name = path.wstring();
  if (name.size() < kLongName || name.rfind(LR"(\\?\)", 0) == 0) return name;
  std::error_code ec;
  fs::path full = fs::absolute(path, ec);
  if (ec) return name;
  name = full.lexically_normal().make_preferred().wstring();
  if (name.rfind(LR"(\\)", 0) == 0) return LR"(\\?\UNC\)" + name.substr(2);
  return LR"(\\?\)" + name;
}

}  // namespace

fs::path PathFromUtf8(std::string_view utf8) {
  const fs::path path(std::u8string(utf8.begin(), utf8.end()));
  if (!path.is_absolute()) return path;
  return fs::path(SystemName(path));
}

std::string Utf8FromPath(const fs::path& path) {
  std::wstring name = path.wstring();
  if (name.rfind(LR"(\\?\UNC\)", 0) == 0) {
    name = LR"(\\)" + name.substr(8);
  } else if (name.rfind(LR"(\\?\)", 0) == 0) {
    name = name.substr(4);
  }
  return win32::Utf8FromWide(name);
}

std::FILE* OpenFile(const fs::path& path, const char* mode) {
  return _wfopen(SystemName(path).c_str(), win32::WideFromUtf8(mode).c_str());
}

bool SetWorkingDirectory(const std::string& dir, std::string* why) {
  const fs::path path = PathFromUtf8(dir);
  if (SetCurrentDirectoryW(path.c_str())) return true;
  const DWORD error = GetLastError();
  // Without long paths (before Windows 10, or with them switched off) the
  // working folder must fit in MAX_PATH: its short name may.
  const std::wstring name = SystemName(path);
  std::wstring shortName(name.size() + 1, L'\0');
  const DWORD n = GetShortPathNameW(name.c_str(), shortName.data(), static_cast<DWORD>(shortName.size()));
  if (n > 0 && n < shortName.size()) {
    shortName.resize(n);
    if (shortName.rfind(LR"(\\?\UNC\)", 0) == 0) {
      shortName = LR"(\\)" + shortName.substr(8);
    } else if (shortName.rfind(LR"(\\?\)", 0) == 0) {
      shortName = shortName.substr(4);
    }
    if (SetCurrentDirectoryW(shortName.c_str())) return true;
  }
  if (why) *why = win32::SystemErrorText(error);
  return false;
}

std::string ExecutableDir() {
  // The name may be longer than MAX_PATH: grow the buffer until it fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return "";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    if (path.size() >= 32768) return "";
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return "";
  path.resize(slash + 1);
  return win32::Utf8FromWide(path);
}

bool DirectoryWritable(const std::string& dir) {
  if (dir.empty()) return false;
  // Rights and read-only media are only known by trying: a file that vanishes on close.
  const fs::path probe = PathFromUtf8(dir) / "glumbo3d-write-test.tmp";
  HANDLE h = CreateFileW(SystemName(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

std::string UserConfigBaseDir() { return KnownFolder(FOLDERID_RoamingAppData); }

std::string UserPicturesDir() { return KnownFolder(FOLDERID_Pictures); }

std::string UserFolderName() { return "Glumbo3D"; }

}  // namespace platform
