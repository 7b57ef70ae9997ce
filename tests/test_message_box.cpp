#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/message_box.h"
#include "support/test_support.h"

namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

TEST(MessageBox, EnvironmentModeAnswersWithoutAWindowAndLogsEachBox) {
  test::TempDir dir;
  setenv("GLUMBO_MSGBOX_LOG", dir.File("boxes.txt").c_str(), 1);
  struct Case { const char *mode, *text, *caption; BoxButtons buttons; BoxAnswer answer; const char* logged; };
  const Case cases[] = {
      {"no", "a\nb", "¿Ventana? :-)", BoxButtons::YesNo, BoxAnswer::No, "¿Ventana? :-)|a\\nb|no"},
      {"log", "Error la textura de vida no existe", "FATAL ERROR", BoxButtons::Ok, BoxAnswer::Ok,
       "FATAL ERROR|Error la textura de vida no existe|ok"},
      {"log", "?", "q", BoxButtons::YesNo, BoxAnswer::Yes, "q|?|yes"},
  };
  for (const Case& c : cases) {
    setenv("GLUMBO_MSGBOX", c.mode, 1);
    EXPECT_EQ(platform::ShowMessageBox(c.text, c.caption, c.buttons, BoxIcon::None), c.answer) << c.text;
  }
  std::ifstream in(dir.File("boxes.txt"));
  std::string line;
  for (const Case& c : cases) EXPECT_TRUE(std::getline(in, line) && line == c.logged) << line;
}

}  // namespace
