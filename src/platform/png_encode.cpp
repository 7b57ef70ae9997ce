#include "platform/png_encode.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <queue>
#include <utility>

namespace platform {
namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& body) {
  PutU32(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  PutU32(out, Crc32(out.data() + typeAt, body.size() + 4));
}

// ---- deflate (RFC 1951) ----

constexpr int kWindow = 32768;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr int kMaxChain = 48;
constexpr int kNiceMatch = 128;
constexpr int kHashBits = 15;
constexpr std::size_t kBlockTokens = 1 << 16;

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                           33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                           1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistExtra = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::array<int, 19> kCodeLengthOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

int LengthCode(int length) {  // index into kLengthBase
  int code = 28;
  while (kLengthBase[static_cast<std::size_t>(code)] > length) --code;
  return code;
}

int DistCode(int dist) {
  int code = 29;
  while (kDistBase[static_cast<std::size_t>(code)] > dist) --code;
  return code;
}

// One token: a literal byte (dist 0) or a match.
struct Token {
  std::uint16_t length;  // literal value when dist is 0
  std::uint16_t dist;
};

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(std::uint32_t bits, int count) {
    acc_ |= static_cast<std::uint64_t>(bits) << filled_;
    filled_ += count;
    while (filled_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(acc_));
      acc_ >>= 8;
      filled_ -= 8;
    }
  }
  void Flush() {
    if (filled_ > 0) out_.push_back(static_cast<std::uint8_t>(acc_));
    acc_ = 0;
    filled_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t acc_ = 0;
  int filled_ = 0;
};

// Huffman code lengths of at most `limit` bits for the frequencies; at least
// two symbols get a code, so that every tree is complete.
std::vector<int> CodeLengths(std::vector<std::uint32_t> freq, int limit) {
  const std::size_t n = freq.size();
  int used = 0;
  for (std::uint32_t f : freq) used += f > 0;
  for (std::size_t s = 0; used < 2 && s < n; ++s) {
    if (freq[s] == 0) {
      freq[s] = 1;
      ++used;
    }
  }
  std::vector<int> lengths(n, 0);
  for (;;) {
    // Nodes: 0..n-1 the symbols, then the inner nodes.
    std::vector<int> parent(2 * n, -1);
    using Item = std::pair<std::uint64_t, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> heap;
    for (std::size_t s = 0; s < n; ++s) {
      if (freq[s] > 0) heap.push({freq[s], static_cast<int>(s)});
    }
    int next = static_cast<int>(n);
    while (heap.size() > 1) {
      const Item a = heap.top();
      heap.pop();
      const Item b = heap.top();
      heap.pop();
      parent[static_cast<std::size_t>(a.second)] = next;
      parent[static_cast<std::size_t>(b.second)] = next;
      heap.push({a.first + b.first, next++});
    }
    int longest = 0;
    for (std::size_t s = 0; s < n; ++s) {
      int depth = 0;
      if (freq[s] > 0) {
        for (int p = parent[s]; p >= 0; p = parent[static_cast<std::size_t>(p)]) ++depth;
      }
      lengths[s] = depth;
      longest = std::max(longest, depth);
    }
    if (longest <= limit) return lengths;
    // Too deep: flatten the frequencies and build again.
    for (std::uint32_t& f : freq) {
      if (f > 0) f = (f >> 1) | 1;
    }
  }
}

// Canonical codes for the lengths, bit-reversed for the LSB-first writer.
std::vector<std::uint32_t> Codes(const std::vector<int>& lengths) {
  std::array<int, 16> count{};
  for (int l : lengths) ++count[static_cast<std::size_t>(l)];
  count[0] = 0;
  std::array<std::uint32_t, 16> next{};
  std::uint32_t code = 0;
  for (std::size_t bits = 1; bits < 16; ++bits) {
    code = (code + static_cast<std::uint32_t>(count[bits - 1])) << 1;
    next[bits] = code;
  }
  std::vector<std::uint32_t> codes(lengths.size(), 0);
  for (std::size_t s = 0; s < lengths.size(); ++s) {
    const int len = lengths[s];
    if (len == 0) continue;
    std::uint32_t c = next[static_cast<std::size_t>(len)]++;
    std::uint32_t reversed = 0;
    for (int i = 0; i < len; ++i) {
      reversed = (reversed << 1) | (c & 1);
      c >>= 1;
    }
    codes[s] = reversed;
  }
  return codes;
}

void WriteBlock(BitWriter& bits, const std::vector<Token>& tokens, bool final) {
  std::vector<std::uint32_t> litFreq(286, 0), distFreq(30, 0);
  for (const Token& t : tokens) {
    if (t.dist == 0) {
      ++litFreq[t.length];
    } else {
      ++litFreq[static_cast<std::size_t>(257 + LengthCode(t.length))];
      ++distFreq[static_cast<std::size_t>(DistCode(t.dist))];
    }
  }
  litFreq[256] = 1;
  const std::vector<int> litLen = CodeLengths(litFreq, 15);
  const std::vector<int> distLen = CodeLengths(distFreq, 15);
  const std::vector<std::uint32_t> litCode = Codes(litLen), distCode = Codes(distLen);
  int hlit = 286, hdist = 30;
  while (hlit > 257 && litLen[static_cast<std::size_t>(hlit - 1)] == 0) --hlit;
  while (hdist > 1 && distLen[static_cast<std::size_t>(hdist - 1)] == 0) --hdist;

  // The two trees' lengths as one sequence, run-length coded with 16, 17 and 18.
  std::vector<int> all(litLen.begin(), litLen.begin() + hlit);
  all.insert(all.end(), distLen.begin(), distLen.begin() + hdist);
  std::vector<std::pair<int, int>> clSymbols;  // symbol, extra bits value
  for (std::size_t i = 0; i < all.size();) {
    const int l = all[i];
    std::size_t run = 1;
    while (i + run < all.size() && all[i + run] == l) ++run;
    i += run;
    if (l == 0) {
      while (run >= 11) {
        const std::size_t take = std::min<std::size_t>(run, 138);
        clSymbols.push_back({18, static_cast<int>(take - 11)});
        run -= take;
      }
      if (run >= 3) {
        clSymbols.push_back({17, static_cast<int>(run - 3)});
        run = 0;
      }
    } else {
      clSymbols.push_back({l, 0});
      --run;
      while (run >= 3) {
        const std::size_t take = std::min<std::size_t>(run, 6);
        clSymbols.push_back({16, static_cast<int>(take - 3)});
        run -= take;
      }
    }
    for (; run > 0; --run) clSymbols.push_back({l, 0});
  }
  std::vector<std::uint32_t> clFreq(19, 0);
  for (const auto& [sym, extra] : clSymbols) ++clFreq[static_cast<std::size_t>(sym)];
  const std::vector<int> clLen = CodeLengths(clFreq, 7);
  const std::vector<std::uint32_t> clCode = Codes(clLen);
  int hclen = 19;
  while (hclen > 4 && clLen[static_cast<std::size_t>(kCodeLengthOrder[static_cast<std::size_t>(hclen - 1)])] == 0) {
    --hclen;
  }

  bits.Put(final ? 1 : 0, 1);
  bits.Put(2, 2);  // dynamic Huffman codes
  bits.Put(static_cast<std::uint32_t>(hlit - 257), 5);
  bits.Put(static_cast<std::uint32_t>(hdist - 1), 5);
  bits.Put(static_cast<std::uint32_t>(hclen - 4), 4);
  for (int i = 0; i < hclen; ++i) {
    bits.Put(static_cast<std::uint32_t>(clLen[static_cast<std::size_t>(kCodeLengthOrder[static_cast<std::size_t>(i)])]),
             3);
  }
  for (const auto& [sym, extra] : clSymbols) {
    const auto s = static_cast<std::size_t>(sym);
    bits.Put(clCode[s], clLen[s]);
    if (sym == 16) bits.Put(static_cast<std::uint32_t>(extra), 2);
    if (sym == 17) bits.Put(static_cast<std::uint32_t>(extra), 3);
    if (sym == 18) bits.Put(static_cast<std::uint32_t>(extra), 7);
  }
  for (const Token& t : tokens) {
    if (t.dist == 0) {
      bits.Put(litCode[t.length], litLen[t.length]);
      continue;
    }
    const int lc = LengthCode(t.length);
    const auto ls = static_cast<std::size_t>(257 + lc);
    bits.Put(litCode[ls], litLen[ls]);
    bits.Put(static_cast<std::uint32_t>(t.length - kLengthBase[static_cast<std::size_t>(lc)]),
             kLengthExtra[static_cast<std::size_t>(lc)]);
    const auto dc = static_cast<std::size_t>(DistCode(t.dist));
    bits.Put(distCode[dc], distLen[dc]);
    bits.Put(static_cast<std::uint32_t>(t.dist - kDistBase[dc]), kDistExtra[dc]);
  }
  bits.Put(litCode[256], litLen[256]);
}

// LZ77 with hash chains and one step of lazy matching.
class Matcher {
 public:
  explicit Matcher(const std::vector<std::uint8_t>& data)
      : data_(data), head_(std::size_t{1} << kHashBits, -1), prev_(kWindow, -1) {}

  void Insert(std::size_t at) {
    if (at + kMinMatch > data_.size()) return;
    const std::size_t h = Hash(at);
    prev_[at & (kWindow - 1)] = head_[h];
    head_[h] = static_cast<std::int32_t>(at);
  }

  // The longest earlier match at `at` (length 0 when none of at least 3 bytes).
  std::pair<int, int> Longest(std::size_t at) const {
    int bestLen = 0, bestDist = 0;
    if (at + kMinMatch > data_.size()) return {0, 0};
    const int maxLen = static_cast<int>(std::min<std::size_t>(kMaxMatch, data_.size() - at));
    std::int32_t candidate = head_[Hash(at)];
    for (int chain = 0; chain < kMaxChain && candidate >= 0; ++chain) {
      const auto c = static_cast<std::size_t>(candidate);
      if (c >= at || at - c > kWindow) break;
      if (data_[c + static_cast<std::size_t>(bestLen)] == data_[at + static_cast<std::size_t>(bestLen)] ||
          bestLen == 0) {
        int len = 0;
        while (len < maxLen && data_[c + static_cast<std::size_t>(len)] == data_[at + static_cast<std::size_t>(len)]) {
          ++len;
        }
        if (len > bestLen) {
          bestLen = len;
          bestDist = static_cast<int>(at - c);
          if (len >= kNiceMatch || len == maxLen) break;
        }
      }
      const std::int32_t older = prev_[c & (kWindow - 1)];
      if (older >= candidate) break;
      candidate = older;
    }
    if (bestLen < kMinMatch) return {0, 0};
    return {bestLen, bestDist};
  }

 private:
  std::size_t Hash(std::size_t at) const {
    const std::uint32_t v = static_cast<std::uint32_t>(data_[at]) << 16 |
                            static_cast<std::uint32_t>(data_[at + 1]) << 8 | data_[at + 2];
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  const std::vector<std::uint8_t>& data_;
  std::vector<std::int32_t> head_;
  std::vector<std::int32_t> prev_;
};

void Deflate(const std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& out) {
  BitWriter bits(out);
  Matcher matcher(data);
  std::vector<Token> tokens;
  tokens.reserve(kBlockTokens);
  auto emit = [&](Token t) {
    tokens.push_back(t);
    if (tokens.size() >= kBlockTokens) {
      WriteBlock(bits, tokens, false);
      tokens.clear();
    }
  };
  std::size_t at = 0;
  std::pair<int, int> match = data.empty() ? std::pair(0, 0) : matcher.Longest(0);
  while (at < data.size()) {
    matcher.Insert(at);
    if (match.first >= kMinMatch && match.first < kNiceMatch && at + 1 < data.size()) {
      // A longer match one byte on: take this byte as a literal instead.
      const std::pair<int, int> next = matcher.Longest(at + 1);
      if (next.first > match.first) {
        emit({data[at], 0});
        ++at;
        match = next;
        continue;
      }
    }
    if (match.first >= kMinMatch) {
      emit({static_cast<std::uint16_t>(match.first), static_cast<std::uint16_t>(match.second)});
      for (std::size_t i = at + 1; i < at + static_cast<std::size_t>(match.first); ++i) matcher.Insert(i);
      at += static_cast<std::size_t>(match.first);
    } else {
      emit({data[at], 0});
      ++at;
    }
    match = at < data.size() ? matcher.Longest(at) : std::pair(0, 0);
  }
  WriteBlock(bits, tokens, true);
  bits.Flush();
}

// The PNG filter of one row (RFC 2083, 6): 0 none, 1 sub, 2 up, 3 average, 4 Paeth.
std::uint8_t Predict(int filter, int left, int up, int upLeft) {
  switch (filter) {
    case 1: return static_cast<std::uint8_t>(left);
    case 2: return static_cast<std::uint8_t>(up);
    case 3: return static_cast<std::uint8_t>((left + up) / 2);
    case 4: {
      const int p = left + up - upLeft;
      const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
      if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(left);
      return static_cast<std::uint8_t>(pb <= pc ? up : upLeft);
    }
    default: return 0;
  }
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = CrcTable()[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t a = 1, b = 0;
  while (size > 0) {
    // 5552 bytes at most between reductions keep b within 32 bits.
    const std::size_t n = std::min<std::size_t>(size, 5552);
    for (std::size_t i = 0; i < n; ++i) {
      a += data[i];
      b += a;
    }
    a %= 65521u;
    b %= 65521u;
    data += n;
    size -= n;
  }
  return b << 16 | a;
}

std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> out = {0x78, 0x9C};  // deflate, 32 KiB window, default level
  Deflate(data, out);
  PutU32(out, Adler32(data.data(), data.size()));
  return out;
}

std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  if (width <= 0 || height <= 0 || width > 65535 || height > 65535 ||
      rgb.size() < rowBytes * static_cast<std::size_t>(height)) {
    return {};
  }
  // Each row: its filter type, then the filtered bytes, top row first.
  std::vector<std::uint8_t> raw;
  raw.reserve((rowBytes + 1) * static_cast<std::size_t>(height));
  std::vector<std::uint8_t> filtered(rowBytes), best(rowBytes);
  const std::uint8_t* above = nullptr;
  for (int y = height - 1; y >= 0; --y) {
    const std::uint8_t* row = rgb.data() + rowBytes * static_cast<std::size_t>(y);
    int bestFilter = 0;
    long bestCost = -1;
    for (int filter = 0; filter < 5; ++filter) {
      long cost = 0;
      for (std::size_t x = 0; x < rowBytes; ++x) {
        const int left = x >= 3 ? row[x - 3] : 0;
        const int up = above ? above[x] : 0;
        const int upLeft = above && x >= 3 ? above[x - 3] : 0;
        const auto v = static_cast<std::uint8_t>(row[x] - Predict(filter, left, up, upLeft));
        filtered[x] = v;
        cost += v < 128 ? v : 256 - v;
      }
      if (bestCost < 0 || cost < bestCost) {
        bestCost = cost;
        bestFilter = filter;
        best.swap(filtered);
      }
    }
    raw.push_back(static_cast<std::uint8_t>(bestFilter));
    raw.insert(raw.end(), best.begin(), best.end());
    above = row;
  }

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutU32(header, static_cast<std::uint32_t>(width));
  PutU32(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, adaptive filters, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", ZlibCompress(raw));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace platform
