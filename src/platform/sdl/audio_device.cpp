// The sound output through SDL's audio.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/backend.h"

namespace platform::backend {
namespace {

// SDL's audio device. The callback copies from one buffer; the lock guards the swap.
class SdlAudioDevice final : public AudioDevice {
 public:
  static std::unique_ptr<SdlAudioDevice> Open() {
    if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      std::fprintf(stderr, "sound: no audio (%s); the game runs silent\n", SDL_GetError());
      return nullptr;
    }
    auto device = std::unique_ptr<SdlAudioDevice>(new SdlAudioDevice);
    SDL_AudioSpec want = {};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &SdlAudioDevice::Callback;
    want.userdata = device.get();
    device->id_ = SDL_OpenAudioDevice(nullptr, 0, &want, &device->spec_,
                                      SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (device->id_ == 0) {
      std::fprintf(stderr, "sound: no audio device (%s); the game runs silent\n", SDL_GetError());
      return nullptr;
    }
    SDL_PauseAudioDevice(device->id_, 0);
    return device;
  }

  ~SdlAudioDevice() override {
    if (id_) SDL_CloseAudioDevice(id_);
  }

  bool IsPlaying() override {
    SDL_LockAudioDevice(id_);
    bool playing = playing_ != nullptr && position_ < playing_->size();
    SDL_UnlockAudioDevice(id_);
    return playing;
  }

  void Start(const std::vector<std::uint8_t>& samples) override {
    SDL_LockAudioDevice(id_);
    playing_ = &samples;  // cached buffers live as long as the player
    position_ = 0;
    SDL_UnlockAudioDevice(id_);
  }

  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string& error) override {
    SDL_AudioSpec fileSpec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.c_str(), &fileSpec, &data, &length)) {
      error = SDL_GetError();
      return false;
    }
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, fileSpec.format, fileSpec.channels, fileSpec.freq, spec_.format,
                          spec_.channels, spec_.freq) < 0) {
      error = SDL_GetError();
      SDL_FreeWAV(data);
      return false;
    }
    // Whole sample frames only, so a damaged length never splits a frame.
    Uint32 frame = (SDL_AUDIO_BITSIZE(fileSpec.format) / 8) * fileSpec.channels;
    if (frame == 0) frame = 1;
    length -= length % frame;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(length) * (cvt.len_mult > 0 ? cvt.len_mult : 1));
    if (length > 0) std::memcpy(buffer.data(), data, length);
    SDL_FreeWAV(data);
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(length);
    if (cvt.needed && length > 0 && SDL_ConvertAudio(&cvt) != 0) {
      error = SDL_GetError();
      return false;
    }
    buffer.resize(cvt.needed ? static_cast<std::size_t>(cvt.len_cvt) : length);
    samples = std::move(buffer);
    return true;
  }

 private:
  SdlAudioDevice() = default;

  static void Callback(void* userdata, Uint8* stream, int len) {
    auto* self = static_cast<SdlAudioDevice*>(userdata);
    std::memset(stream, self->spec_.silence, static_cast<std::size_t>(len));
    if (!self->playing_) return;
    std::size_t left = self->playing_->size() - self->position_;
    std::size_t n = std::min<std::size_t>(left, static_cast<std::size_t>(len));
    if (n > 0) std::memcpy(stream, self->playing_->data() + self->position_, n);
    self->position_ += n;
    if (self->position_ >= self->playing_->size()) self->playing_ = nullptr;
  }

  SDL_AudioDeviceID id_ = 0;
  SDL_AudioSpec spec_ = {};
  const std::vector<std::uint8_t>* playing_ = nullptr;
  std::size_t position_ = 0;
};

}  // namespace

std::unique_ptr<AudioDevice> OpenAudioDevice() { return SdlAudioDevice::Open(); }

}  // namespace platform::backend
