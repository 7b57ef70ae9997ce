#include "app/main_loop.h"
#include "platform/window.h"

int main() {
  WindowLoopDriver driver;
  int code = RunGame(driver);
  platform::ShutdownVideo();
  return code;
}
