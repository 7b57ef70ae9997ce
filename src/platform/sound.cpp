#include "platform/sound.h"

#include <cstdio>
#include <utility>

#include "platform/backend.h"

namespace platform {

SoundPlayer::SoundPlayer(std::unique_ptr<AudioDevice> device) : device_(std::move(device)) {}

bool SoundPlayer::Play(const std::string& path, unsigned flags) {
  if (!device_) return false;
  if ((flags & kSoundNoStop) && device_->IsPlaying()) return false;
  auto it = cache_.find(path);
  if (it == cache_.end()) {
    if (failed_.count(path)) return false;
    std::vector<std::uint8_t> samples;
    std::string error;
    if (!device_->Decode(path, samples, error)) {
      std::fprintf(stderr, "sound: %s: %s (this sound stays silent)\n", path.c_str(), error.c_str());
      failed_[path] = true;
      return false;
    }
    it = cache_.emplace(path, std::move(samples)).first;
  }
  device_->Start(it->second);
  return true;
}

namespace {

std::unique_ptr<SoundPlayer>& CurrentPlayer() {
  static std::unique_ptr<SoundPlayer> player;
  return player;
}

bool& AudioTried() {
  static bool tried = false;
  return tried;
}

}  // namespace

void SetSoundPlayer(std::unique_ptr<SoundPlayer> player) {
  CurrentPlayer() = std::move(player);
  AudioTried() = CurrentPlayer() != nullptr;
}

void ShutdownSound() {
  CurrentPlayer().reset();
  AudioTried() = false;
}

bool PlaySoundFile(const char* path, unsigned flags) {
  if (!path) return false;
  if (!AudioTried()) {
    AudioTried() = true;
    if (auto device = backend::OpenAudioDevice()) {
      CurrentPlayer() = std::make_unique<SoundPlayer>(std::move(device));
    }
  }
  if (!CurrentPlayer()) return false;
  return CurrentPlayer()->Play(path, flags);
}

}  // namespace platform
