// The sound output through SDL's audio.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/backend.h"
#include "platform/wav_header.h"

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

  // The file passes the game's own checks, not SDL's, so that a damaged
  // sound is refused alike on every system.
  bool Decode(const std::string& path, std::vector<std::uint8_t>& samples, std::string& error) override {
    WavSound sound;
    if (!ReadWavFile(path, sound, error)) return false;
    const SDL_AudioFormat format = sound.info.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(sound.info.channels), sound.info.sampleRate,
                          spec_.format, spec_.channels, spec_.freq) < 0) {
      error = SDL_GetError();
      return false;
    }
    const std::size_t length = sound.samples.size();
    if (!cvt.needed || length == 0) {
      samples = std::move(sound.samples);
      return true;
    }
    sound.samples.resize(length * static_cast<std::size_t>(cvt.len_mult > 0 ? cvt.len_mult : 1));
    cvt.buf = sound.samples.data();
    cvt.len = static_cast<int>(length);
    if (SDL_ConvertAudio(&cvt) != 0) {
      error = SDL_GetError();
      return false;
    }
    sound.samples.resize(static_cast<std::size_t>(cvt.len_cvt));
    samples = std::move(sound.samples);
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
