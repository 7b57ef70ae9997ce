// The display settings and their 20-byte file, config.dat.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

extern int screenWidth;
extern int screenHeight;
// The settings file; the working directory's config.dat unless changed. Empty:
// the settings are read from nowhere and not written (tools).
extern std::string settingsPath;

struct SettingsRecord {
  std::int32_t screenWidth = 640;
  std::int32_t screenHeight = 480;
  bool windowed = true;
  bool cullingOn = true;
  std::int32_t detailSetting = 2;
  bool texturesOn = true;
  bool operator==(const SettingsRecord&) const = default;
};

constexpr std::size_t kSettingsFileSize = 20;

// Little-endian, padding zero.
std::array<std::uint8_t, kSettingsFileSize> EncodeSettings(const SettingsRecord& record);
// A record of fewer than 20 bytes gives the defaults; values the options page
// cannot produce are brought into range (see the function's definition).
SettingsRecord DecodeSettings(std::span<const std::uint8_t> bytes);

// Read into screenWidth, screenHeight and the menu's four options.
void LoadSettings();
// Write them back, the new file replacing the old in one step; a file that
// cannot be created is silently not written.
void SaveSettings();
