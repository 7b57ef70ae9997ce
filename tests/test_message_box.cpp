#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/message_box.h"
#include "support/test_support.h"

namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

TEST(MessageBox, HookAnswersAndSeesCaptionTextButtonsAndIcon) {
  std::string got;
  auto old = platform::SetMessageBoxHook([&](const std::string& t, const std::string& c, BoxButtons b, BoxIcon i) {
    got = c + "/" + t + "/" + std::to_string(static_cast<int>(b)) + std::to_string(static_cast<int>(i));
    return BoxAnswer::No;
  });
  EXPECT_EQ(platform::ShowMessageBox("El programa cerrará.", "ERROR", BoxButtons::YesNo, BoxIcon::Stop), BoxAnswer::No);
  EXPECT_EQ(got, "ERROR/El programa cerrará./13");
  platform::SetMessageBoxHook(old);
}

TEST(MessageBox, EnvironmentModeAnswersWithoutAWindowAndLogsEachBox) {
  test::TempDir dir;
  const std::string log = dir.File("boxes.txt");
  setenv("GLUMBO_MSGBOX_LOG", log.c_str(), 1);
  struct Case { const char* mode; const char* text; const char* caption; BoxButtons buttons; BoxAnswer answer; };
  const Case cases[] = {
      {"no", "a\nb", "¿Ventana? :-)", BoxButtons::YesNo, BoxAnswer::No},
      {"log", "Error la textura de vida no existe", "FATAL ERROR", BoxButtons::Ok, BoxAnswer::Ok},
      {"log", "?", "q", BoxButtons::YesNo, BoxAnswer::Yes},
  };
  for (const Case& c : cases) {
    setenv("GLUMBO_MSGBOX", c.mode, 1);
    EXPECT_EQ(platform::ShowMessageBox(c.text, c.caption, c.buttons, BoxIcon::None), c.answer) << c.text;
  }
  unsetenv("GLUMBO_MSGBOX_LOG");
  std::ifstream in(log);
  for (const char* want : {"¿Ventana? :-)|a\\nb|no", "FATAL ERROR|Error la textura de vida no existe|ok", "q|?|yes"}) {
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, want);
  }
}

}  // namespace
