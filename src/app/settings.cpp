#include "app/settings.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/file_replace.h"
#include "platform/paths.h"
#include "render/menu.h"

int screenWidth = 640;
int screenHeight = 480;
std::string settingsPath = "config.dat";

namespace {

void PutInt(std::uint8_t* at, std::int32_t value) {
  auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetInt(const std::uint8_t* at) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  return static_cast<std::int32_t>(u);
}

// Sizes a window can sensibly have; anything else is a damaged file.
constexpr std::int32_t kMinWidth = 320, kMinHeight = 240, kMaxSide = 8192;

}  // namespace

std::array<std::uint8_t, kSettingsFileSize> EncodeSettings(const SettingsRecord& r) {
  std::array<std::uint8_t, kSettingsFileSize> bytes{};
  PutInt(&bytes[0], r.screenWidth);
  PutInt(&bytes[4], r.screenHeight);
  bytes[8] = r.windowed ? 1 : 0;
  bytes[9] = r.cullingOn ? 1 : 0;
  PutInt(&bytes[12], r.detailSetting);
  bytes[16] = r.texturesOn ? 1 : 0;
  return bytes;
}

SettingsRecord DecodeSettings(std::span<const std::uint8_t> bytes) {
  SettingsRecord r;
  if (bytes.size() < kSettingsFileSize) return r;
  r.screenWidth = GetInt(&bytes[0]);
  r.screenHeight = GetInt(&bytes[4]);
  r.windowed = bytes[8] != 0;
  r.cullingOn = bytes[9] != 0;
  r.detailSetting = GetInt(&bytes[12]);
  r.texturesOn = bytes[16] != 0;
  // A size no screen has falls back to the default window; a detail level
  // outside 0..2 is brought to the nearest one.
  if (r.screenWidth < kMinWidth || r.screenHeight < kMinHeight || r.screenWidth > kMaxSide ||
      r.screenHeight > kMaxSide) {
    r.screenWidth = 640;
    r.screenHeight = 480;
  }
  if (r.detailSetting < 0) r.detailSetting = 0;
  if (r.detailSetting > 2) r.detailSetting = 2;
  return r;
}

void LoadSettings() {
  FILE* f = platform::OpenFile(platform::PathFromUtf8(settingsPath), "rb");
  if (!f) return;
  std::vector<std::uint8_t> bytes(kSettingsFileSize);
  std::size_t n = std::fread(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  bytes.resize(n);
  SettingsRecord r = DecodeSettings(bytes);
  screenWidth = r.screenWidth;
  screenHeight = r.screenHeight;
  if (menu) {
    menu->windowed = r.windowed;
    menu->cullingOn = r.cullingOn;
    menu->detailSetting = r.detailSetting;
    menu->texturesOn = r.texturesOn;
  }
}

void SaveSettings() {
  SettingsRecord r;
  r.screenWidth = screenWidth;
  r.screenHeight = screenHeight;
  if (menu) {
    r.windowed = menu->windowed;
    r.cullingOn = menu->cullingOn;
    r.detailSetting = menu->detailSetting;
    r.texturesOn = menu->texturesOn;
  }
  if (settingsPath.empty()) return;
  const auto bytes = EncodeSettings(r);
  // A new file takes the old one's place whole, so that a crash or a full disk
  // mid-write leaves the old settings; one that cannot be written is silently
  // not written, as it always was.
  platform::WriteFileReplacing(platform::PathFromUtf8(settingsPath),
                               std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), nullptr);
}
