// Message boxes drawn by SDL.
#include <SDL.h>

#include "platform/backend.h"

namespace platform::backend {

BoxAnswer ShowNativeMessageBox(const std::string& text, const std::string& caption, BoxButtons buttons,
                               BoxIcon icon) {
  Uint32 flags = 0;
  switch (icon) {
    case BoxIcon::Exclamation: flags = SDL_MESSAGEBOX_WARNING; break;
    case BoxIcon::Stop: flags = SDL_MESSAGEBOX_ERROR; break;
    default: flags = SDL_MESSAGEBOX_INFORMATION; break;
  }

  if (buttons == BoxButtons::Ok) {
    SDL_MessageBoxButtonData ok = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                                   0, "OK"};
    SDL_MessageBoxData data = {flags, nullptr, caption.c_str(), text.c_str(), 1, &ok, nullptr};
    int pressed = 0;
    SDL_ShowMessageBox(&data, &pressed);
    return BoxAnswer::Ok;
  }

  SDL_MessageBoxButtonData yesNo[2] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Sí"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  SDL_MessageBoxData data = {flags, nullptr, caption.c_str(), text.c_str(), 2, yesNo, nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) {
    // No way to ask: take the safe answer that keeps the game running.
    return BoxAnswer::Yes;
  }
  return pressed == 1 ? BoxAnswer::Yes : BoxAnswer::No;
}

}  // namespace platform::backend
