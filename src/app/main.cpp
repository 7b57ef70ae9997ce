#include "app/data_location.h"
#include "app/main_loop.h"
#include "platform/window.h"

int main() {
  // Without its data the game cannot start; the box has told the player why.
  if (!EnterDataDir()) return 0;
  WindowLoopDriver driver;
  int code = RunGame(driver);
  platform::ShutdownVideo();
  return code;
}
