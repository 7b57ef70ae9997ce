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
  EXPECT_EQ(platform::ShowMessageBox("El programa cerrará.", "ERROR", BoxButtons::YesNo, BoxIcon::Stop),
            BoxAnswer::No);
  EXPECT_EQ(got, "ERROR/El programa cerrará./13");
  platform::SetMessageBoxHook(old);
}

TEST(MessageBox, EnvironmentModeAnswersWithoutAWindowAndLogsEachBox) {
  test::TempDir dir;
  std::string log = dir.File("boxes.txt");
  setenv("GLUMBO_MSGBOX", "no", 1);
  setenv("GLUMBO_MSGBOX_LOG", log.c_str(), 1);
  EXPECT_EQ(platform::ShowMessageBox("a\nb", "¿Ventana? :-)", BoxButtons::YesNo, BoxIcon::Exclamation),
            BoxAnswer::No);
  setenv("GLUMBO_MSGBOX", "log", 1);
  EXPECT_EQ(platform::ShowMessageBox("Error la textura de vida no existe", "FATAL ERROR", BoxButtons::Ok,
                                     BoxIcon::None),
            BoxAnswer::Ok);
  EXPECT_EQ(platform::ShowMessageBox("?", "q", BoxButtons::YesNo, BoxIcon::None), BoxAnswer::Yes);
  unsetenv("GLUMBO_MSGBOX_LOG");

  std::ifstream in(log);
  std::string l1, l2, l3;
  std::getline(in, l1);
  std::getline(in, l2);
  std::getline(in, l3);
  EXPECT_EQ(l1, "¿Ventana? :-)|a\\nb|no");
  EXPECT_EQ(l2, "FATAL ERROR|Error la textura de vida no existe|ok");
  EXPECT_EQ(l3, "q|?|yes");
}

}  // namespace
