#include "platform/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/backend.h"

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

  return backend::ShowNativeMessageBox(text, caption, buttons, icon);
}

}  // namespace platform
