#include "render/font_source.h"

#include <cstdlib>

#include "platform/message_box.h"

namespace {

std::function<std::string(const std::string&)>& Finder() {
  static std::function<std::string(const std::string&)> finder;
  return finder;
}

std::function<void(int)>& FatalExit() {
  static std::function<void(int)> exitFunction;
  return exitFunction;
}

void Fatal(const std::string& text) {
  platform::ShowMessageBox(text, "FATAL ERROR", platform::BoxButtons::Ok, platform::BoxIcon::Stop);
  if (FatalExit()) {
    FatalExit()(0);
  } else {
    std::exit(0);
  }
}

}  // namespace

void SetFontFileFinder(std::function<std::string(const std::string&)> finder) { Finder() = std::move(finder); }

void SetFontFatalExit(std::function<void(int)> exitFunction) { FatalExit() = std::move(exitFunction); }

std::unique_ptr<platform::FontFace> OpenGameFont() {
  const std::string file = Finder() ? Finder()(kGameFontFamily) : platform::FindBoldFontFile(kGameFontFamily);
  if (file.empty()) {
    Fatal("No se ha encontrado ninguna fuente de letra negrita de ancho fijo para los textos del juego.\n" +
          platform::FontInstallAdvice());
    return nullptr;
  }
  std::string why;
  std::unique_ptr<platform::FontFace> face = platform::FontFace::Open(file, &why);
  if (!face) {
    Fatal("No se puede leer la fuente de letra " + file + ".\nEl archivo está dañado o no es una fuente.");
    return nullptr;
  }
  return face;
}
