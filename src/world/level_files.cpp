#include "world/level_files.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr std::size_t kMaxLevelFileBytes = 4u << 20;  // a full 100 x 100 level is well under 200 KB

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string Quote(std::string_view token) {
  // Long or odd tokens are shortened so that the message stays on one line.
  std::string out = "\"";
  for (char c : token.substr(0, 24)) out += (c >= 0x20 && c < 0x7f) ? c : '?';
  if (token.size() > 24) out += "...";
  return out + "\"";
}

// Reads whitespace-separated numbers and whole lines from one file's text,
// keeping track of where it is for the messages.
class TokenReader {
 public:
  TokenReader(std::string_view text, const std::string& name, LevelFileError& error)
      : text_(text), name_(name), error_(error) {}

  enum class Result { Ok, End, Bad };

  // An integer in automatic base: 0x.. hexadecimal, 0.. octal, else decimal.
  Result ReadInt(std::int32_t& value, const char* what) {
    std::string_view token;
    if (!NextToken(token)) return Result::End;
    std::size_t i = 0;
    bool negative = false;
    if (token[i] == '+' || token[i] == '-') negative = token[i++] == '-';
    int base = 10;
    if (i + 1 < token.size() && token[i] == '0' && (token[i + 1] == 'x' || token[i + 1] == 'X')) {
      base = 16;
      i += 2;
    } else if (i + 1 < token.size() && token[i] == '0') {
      base = 8;
      i += 1;
    }
    if (i >= token.size()) return Fail(std::string("not a number ") + Quote(token) + " where " + what + " belongs");
    std::int64_t magnitude = 0;
    for (; i < token.size(); ++i) {
      const char c = token[i];
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0 || digit >= base) {
        std::string reason = std::string("not a number ") + Quote(token) + " where " + what + " belongs";
        if (base == 8 && digit >= 8 && digit < 10) reason += " (a leading 0 makes it octal)";
        return Fail(reason);
      }
      magnitude = magnitude * base + digit;
      if (magnitude > std::int64_t{1} << 32) return Fail("number " + Quote(token) + " is out of range");
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max()) {
      return Fail("number " + Quote(token) + " is out of range");
    }
    value = static_cast<std::int32_t>(signedValue);
    return Result::Ok;
  }

  // A decimal fraction such as 2, 3.9, -1.5e2; no hexadecimal, infinities or NaN.
  Result ReadFloat(float& value, const char* what) {
    std::string_view token;
    if (!NextToken(token)) return Result::End;
    std::string_view body = token;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) body.remove_prefix(1);
    std::size_t i = 0, digits = 0;
    while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++digits;
    if (i < body.size() && body[i] == '.') {
      ++i;
      while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++digits;
    }
    bool ok = digits > 0;
    if (ok && i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
      ++i;
      if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
      std::size_t expDigits = 0;
      while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++expDigits;
      ok = expDigits > 0;
    }
    ok = ok && i == body.size();
    double parsed = 0;
    if (ok) {
      // from_chars takes no leading '+'; the sign is put back by hand.
      const std::string_view unsignedPart = token[0] == '-' || token[0] == '+' ? token.substr(1) : token;
      const auto r = std::from_chars(unsignedPart.data(), unsignedPart.data() + unsignedPart.size(), parsed);
      if (r.ec == std::errc::result_out_of_range) return Fail("number " + Quote(token) + " is out of range");
      ok = r.ec == std::errc() && r.ptr == unsignedPart.data() + unsignedPart.size();
      if (token[0] == '-') parsed = -parsed;
    }
    if (!ok) return Fail(std::string("not a number ") + Quote(token) + " where " + what + " belongs");
    if (!std::isfinite(parsed) || std::fabs(parsed) > std::numeric_limits<float>::max()) {
      return Fail("number " + Quote(token) + " is out of range");
    }
    value = static_cast<float>(parsed);
    return Result::Ok;
  }

  // Reads the rest of the current line (up to and including its line end).
  // Returns false at the end of the text; otherwise first is its first
  // character, or 0 for an empty remainder.
  bool ReadLine(char& first) {
    if (pos_ >= text_.size()) return false;
    first = text_[pos_] == '\n' ? '\0' : text_[pos_];
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    if (pos_ < text_.size()) NewLine();
    return true;
  }

  // Points the error at the token read last.
  Result Fail(const std::string& reason) {
    error_.file = name_;
    error_.line = tokenLine_;
    error_.token = tokenIndex_;
    error_.reason = reason;
    return Result::Bad;
  }

  // Points the error at the end of the text.
  Result FailAtEnd(const std::string& reason) {
    error_.file = name_;
    error_.line = line_;
    error_.token = 0;
    error_.reason = reason;
    return Result::Bad;
  }

 private:
  bool NextToken(std::string_view& token) {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) {
      if (text_[pos_] == '\n') NewLine(); else ++pos_;
    }
    if (pos_ >= text_.size()) return false;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_])) ++pos_;
    token = text_.substr(start, pos_ - start);
    tokenLine_ = line_;
    tokenIndex_ = ++tokensOnLine_;
    return true;
  }

  void NewLine() {
    ++pos_;
    ++line_;
    tokensOnLine_ = 0;
  }

  std::string_view text_;
  const std::string& name_;
  LevelFileError& error_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int tokensOnLine_ = 0;
  int tokenLine_ = 1;
  int tokenIndex_ = 0;
};

using Result = TokenReader::Result;

// Both the size and a grid position end up as array indices, so they are
// checked before anything is stored.
bool ReadSize(TokenReader& in, std::int32_t& width, std::int32_t& height) {
  Result r = in.ReadInt(width, "the width");
  if (r == Result::End) in.FailAtEnd("the file ends before its width and height");
  if (r != Result::Ok) return false;
  if (width < 1 || width > kMaxCells) {
    in.Fail("width " + std::to_string(width) + " is outside 1 to 100");
    return false;
  }
  r = in.ReadInt(height, "the height");
  if (r == Result::End) in.FailAtEnd("the file ends before its height");
  if (r != Result::Ok) return false;
  if (height < 1 || height > kMaxCells) {
    in.Fail("height " + std::to_string(height) + " is outside 1 to 100");
    return false;
  }
  return true;
}

std::string Cell(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

// One wall token for cell (x, y). A cell already claimed by a door keeps its code.
bool ProcessWallToken(TokenReader& in, ParsedLevel& level, int x, int y, bool withArrows) {
  std::int32_t t = 0;
  const Result r = in.ReadInt(t, "a wall code");
  if (r == Result::End) {
    in.FailAtEnd("the file ends at cell " + Cell(x, y) + ", before its grid of " +
                 std::to_string(level.walls.width) + " x " + std::to_string(level.walls.height) +
                 " is complete");
  }
  if (r != Result::Ok) return false;
  std::int32_t& cell = level.walls.cells[x][y];
  if (cell != 0) return true;
  cell = t;
  using Kind = LevelItemPlacement::Kind;
  if (t >= 22 && t <= 25) {
    if (withArrows) level.items.push_back({Kind::FloorArrow, x, y, t});
  } else if (t >= 28 && t <= 35) {
    const int k = t % 4;
    const int px = k < 2 ? x + 1 : x;
    const int py = k < 2 ? y : y + 1;
    if (px >= level.walls.width || py >= level.walls.height) {
      in.Fail("door code " + std::to_string(t) + " at cell " + Cell(x, y) + " needs its second cell " +
              Cell(px, py) + " inside the " + std::to_string(level.walls.width) + " x " +
              std::to_string(level.walls.height) + " grid");
      return false;
    }
    const std::int32_t code = 3000 + level.doorCount;
    cell = code;
    level.walls.cells[px][py] = code;
    level.items.push_back({Kind::Door, x, y, t});
    ++level.doorCount;
  }
  return true;
}

bool ProcessObjectToken(TokenReader& in, ParsedLevel& level, int x, int y, int& coins, int& pellets) {
  std::int32_t o = 0;
  const Result r = in.ReadInt(o, "an object value");
  if (r == Result::End) {
    in.FailAtEnd("the file ends at cell " + Cell(x, y) + ", before its grid of " +
                 std::to_string(level.walls.width) + " x " + std::to_string(level.walls.height) +
                 " is complete");
  }
  if (r != Result::Ok) return false;
  using Kind = LevelItemPlacement::Kind;
  std::int32_t& cell = level.objects.cells[x][y];
  cell = o;
  if (o == 1) {
    cell = 1000 + coins++;
    level.items.push_back({Kind::Coin, x, y, o});
  } else if (o == 2) {
    cell = 2000 + pellets++;
    level.items.push_back({Kind::LargePellet, x, y, o});
  }
  return true;
}

// The entries follow the doors in their order. Each entry is a line that starts
// with "S" or "N"; its two numbers come from the text after that line.
bool ReadDoorSection(TokenReader& in, ParsedLevel& level) {
  level.doorEntries.assign(static_cast<std::size_t>(level.doorCount), LevelDoorEntry{});
  for (int door = 0; door < level.doorCount; ++door) {
    char first = 0;
    bool found = false;
    while (in.ReadLine(first)) {
      if (first == 'S' || first == 'N') {
        found = true;
        break;
      }
    }
    if (!found) return true;  // a short section: the remaining doors stay plain
    float f = 0;
    std::int32_t v = 0;
    Result r = in.ReadFloat(f, "a door's number");
    if (r == Result::Ok) r = in.ReadInt(v, "a door's level");
    if (r == Result::End) in.FailAtEnd("the file ends inside the entry of door " + std::to_string(door));
    if (r != Result::Ok) return false;
    LevelDoorEntry& entry = level.doorEntries[static_cast<std::size_t>(door)];
    if (first == 'S') {
      entry.kind = LevelDoorEntry::Kind::Periodic;
      entry.period = f;
    } else if (f < 1000.0f) {
      entry.kind = LevelDoorEntry::Kind::Counter;
      // A count at or below 0 never fires; keeping it far from the int limits
      // lets it go on counting down without overflow.
      entry.coins = f < -1.0e6f ? -1000000 : static_cast<std::int32_t>(f);
      entry.target = v;
    } else {
      entry.kind = LevelDoorEntry::Kind::Plain;
    }
    ++level.doorEntriesFound;
  }
  return true;
}

void ClearOver(CellLayer& layer, int width, int height) {
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) layer.cells[x][y] = 0;
  layer.width = width;
  layer.height = height;
}

}  // namespace

std::string LevelFileError::Describe() const {
  std::string out = "Level file " + file;
  if (line > 0) out += ", line " + std::to_string(line);
  if (token > 0) out += ", token " + std::to_string(token);
  else if (line > 0) out += ", after the last token";
  return out + ": " + reason;
}

std::unique_ptr<ParsedLevel> ParseLevelTexts(std::string_view wallText, const std::string& wallName,
                                             std::string_view objectText, const std::string& objectName,
                                             LevelFileError& error) {
  auto level = std::make_unique<ParsedLevel>();
  TokenReader walls(wallText, wallName, error);
  TokenReader objects(objectText, objectName, error);
  std::int32_t width = 0, height = 0;
  if (!ReadSize(walls, width, height)) return nullptr;
  // The object file's own size is not used: its grid is read over the wall file's.
  for (const char* what : {"the object file's width", "the object file's height"}) {
    std::int32_t unused = 0;
    const Result r = objects.ReadInt(unused, what);
    if (r == Result::End) objects.FailAtEnd("the file ends before its width and height");
    if (r != Result::Ok) return nullptr;
  }
  ClearOver(level->walls, width, height);
  ClearOver(level->objects, width, height);
  int coins = 0, pellets = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!ProcessWallToken(walls, *level, x, y, true)) return nullptr;
      if (!ProcessObjectToken(objects, *level, x, y, coins, pellets)) return nullptr;
    }
  }
  if (!ReadDoorSection(walls, *level)) return nullptr;
  return level;
}

std::unique_ptr<ParsedLevel> ParseFinalText(std::string_view text, const std::string& name,
                                            LevelFileError& error) {
  auto level = std::make_unique<ParsedLevel>();
  TokenReader walls(text, name, error);
  std::int32_t width = 0, height = 0;
  if (!ReadSize(walls, width, height)) return nullptr;
  ClearOver(level->walls, width, height);
  ClearOver(level->objects, width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!ProcessWallToken(walls, *level, x, y, false)) return nullptr;
    }
  }
  // The closing scene's doors have no entries: only the scene opens them.
  level->doorEntries.assign(static_cast<std::size_t>(level->doorCount), LevelDoorEntry{});
  return level;
}

bool ReadLevelFile(const std::string& path, std::string& text, std::string& reason) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    reason.clear();  // a missing file is not an error worth a message
    return false;
  }
  text.clear();
  char buffer[16384];
  std::size_t got = 0;
  bool ok = true;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (text.size() + got > kMaxLevelFileBytes) {
      reason = "Level file " + path + ": larger than 4 MiB, not a level";
      ok = false;
      break;
    }
    text.append(buffer, got);
  }
  if (ok && std::ferror(file)) {
    reason = "Level file " + path + ": cannot be read";
    ok = false;
  }
  std::fclose(file);
  return ok;
}
