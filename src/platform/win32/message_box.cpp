// Message boxes through MessageBoxW (any text: a path may be in the message),
// owned by the game's window when it exists.
#include <windows.h>

#include "platform/backend.h"
#include "platform/win32/text_encoding.h"

namespace platform::backend {

BoxAnswer ShowNativeMessageBox(const std::string& text, const std::string& caption, BoxButtons buttons,
                               BoxIcon icon) {
  UINT flags = buttons == BoxButtons::YesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case BoxIcon::Exclamation: flags |= MB_ICONEXCLAMATION; break;
    case BoxIcon::Information: flags |= MB_ICONINFORMATION; break;
    case BoxIcon::Stop: flags |= MB_ICONSTOP; break;
    case BoxIcon::None: break;
  }
  const int answer = MessageBoxW(GetActiveWindow(), win32::WideFromUtf8(text).c_str(),
                                 win32::WideFromUtf8(caption).c_str(), flags);
  if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
  return answer == IDNO ? BoxAnswer::No : BoxAnswer::Yes;
}

}  // namespace platform::backend
