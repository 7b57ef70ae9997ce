// Picture files: reading them whole, and the messages shown when they cannot be used.
#include "world/bmp_image.h"

#include <cstdio>
#include <memory>

#include "platform/message_box.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

DibDecodeResult ReadDIBFile(const std::string& fileName) {
  DibDecodeResult result;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
  if (!file) {
    result.error = DibError::OpenFailed;
    return result;
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[65536];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    if (got == 0) break;
    if (bytes.size() + got > kMaxDibFileBytes) {
      result.error = DibError::OutOfMemory;
      return result;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  // A folder opens but cannot be read.
  if (std::ferror(file.get())) {
    result.error = DibError::OpenFailed;
    return result;
  }
  return DecodeDIB(bytes);
}

std::string DibErrorText(DibError error, const std::string& fileName) {
  switch (error) {
    case DibError::OpenFailed: {
      std::string text = "Failed to open DIB file ";
      text += fileName;
      text += ".\n";
      return text;
    }
    case DibError::UnknownFormat: return "Unknown DIB file format.";
    case DibError::ConversionFailed: return "Image file conversion error.";
    case DibError::OutOfMemory: return "Out of memory.";
    case DibError::None: break;
  }
  return std::string();
}

std::unique_ptr<Image> LoadDIBImage(const std::string& fileName) {
  DibDecodeResult result = ReadDIBFile(fileName);
  if (result.error != DibError::None) {
    platform::ShowMessageBox(DibErrorText(result.error, fileName), "Error", platform::BoxButtons::Ok,
                             platform::BoxIcon::None);
    return nullptr;
  }
  return std::move(result.image);
}
