// Modal message boxes. Every box is also printed on stderr.
//
// Tests and tools must never wait on a box. Two ways keep them from it:
//  - SetMessageBoxHook installs a function that answers instead of a window;
//  - the environment variable GLUMBO_MSGBOX: "log" (or "yes") answers Yes/OK,
//    "no" answers No; with GLUMBO_MSGBOX_LOG=FILE each box is appended to FILE
//    as "caption|text|answer" on one line (line breaks of the text as "\n").
#pragma once

#include <functional>
#include <string>

namespace platform {

enum class BoxIcon { None, Exclamation, Information, Stop };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };

BoxAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                         BoxButtons buttons, BoxIcon icon);

using MessageBoxHook =
    std::function<BoxAnswer(const std::string& text, const std::string& caption, BoxButtons, BoxIcon)>;

// Installs a hook (an empty function removes it). Returns the previous hook.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

}  // namespace platform
