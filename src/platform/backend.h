// What each platform backend (one folder beside this file) supplies to the
// platform code shared by all of them.
#pragma once

#include <memory>
#include <string>

#include "platform/message_box.h"
#include "platform/sound.h"

namespace platform::backend {

// Shows a real modal box and waits for the player's answer.
BoxAnswer ShowNativeMessageBox(const std::string& text, const std::string& caption, BoxButtons buttons,
                               BoxIcon icon);

// Opens the system's sound output; null (after one line on stderr) when there is none.
std::unique_ptr<AudioDevice> OpenAudioDevice();

}  // namespace platform::backend
