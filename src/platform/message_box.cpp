#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace platform {
namespace {

MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

std::string OneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out;
}

const char* AnswerName(BoxAnswer a) {
  switch (a) {
    case BoxAnswer::Yes: return "yes";
    case BoxAnswer::No: return "no";
    default: return "ok";
  }
}

}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  return std::exchange(Hook(), std::move(hook));
}

BoxAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                         BoxButtons buttons, BoxIcon icon) {
  std::fprintf(stderr, "[%s] %s\n", caption.c_str(), OneLine(text).c_str());

  if (Hook()) {
    return Hook()(text, caption, buttons, icon);
  }

  if (const char* mode = std::getenv("GLUMBO_MSGBOX")) {
    BoxAnswer answer = BoxAnswer::Ok;
    if (buttons == BoxButtons::YesNo) {
      answer = std::strcmp(mode, "no") == 0 ? BoxAnswer::No : BoxAnswer::Yes;
    }
    if (const char* log = std::getenv("GLUMBO_MSGBOX_LOG")) {
      if (FILE* f = std::fopen(log, "a")) {
        std::fprintf(f, "%s|%s|%s\n", caption.c_str(), OneLine(text).c_str(), AnswerName(answer));
        std::fclose(f);
      }
    }
    return answer;
  }

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

}  // namespace platform
