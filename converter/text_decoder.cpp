#include "converter/text_decoder.h"

namespace tickvane::converter {
namespace {

constexpr size_t kLookAt = 4;  // bytes that tell the form: a byte-order mark, or ASCII in UTF-16

unsigned char Byte(std::string_view s, size_t i) { return static_cast<unsigned char>(s[i]); }

}  // namespace

void TextDecoder::Decide(bool atEnd) {
  const std::string_view h = held_;
  if (h.size() >= 2 && Byte(h, 0) == 0xFF && Byte(h, 1) == 0xFE) {
    mode_ = Mode::Utf16Le;
    held_.erase(0, 2);
  } else if (h.size() >= 2 && Byte(h, 0) == 0xFE && Byte(h, 1) == 0xFF) {
    mode_ = Mode::Utf16Be;
    held_.erase(0, 2);
  } else if (h.size() >= 3 && h.substr(0, 3) == "\xEF\xBB\xBF") {
    mode_ = Mode::Bytes;
    held_.erase(0, 3);
  } else if (h.size() >= 4 && Byte(h, 0) != 0 && Byte(h, 1) == 0 && Byte(h, 2) != 0 && Byte(h, 3) == 0) {
    mode_ = Mode::Utf16Le;  // no mark, but ASCII text with every second byte zero
  } else if (h.size() >= 4 && Byte(h, 0) == 0 && Byte(h, 1) != 0 && Byte(h, 2) == 0 && Byte(h, 3) != 0) {
    mode_ = Mode::Utf16Be;
  } else if (h.size() >= kLookAt || atEnd) {
    mode_ = Mode::Bytes;
  }
}

void TextDecoder::Put(unsigned code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void TextDecoder::Widen(std::string_view bytes, std::string& out) {
  const bool little = mode_ == Mode::Utf16Le;
  size_t i = 0;
  auto unit = [&](unsigned char a, unsigned char b) {
    unsigned u = little ? (a | b << 8) : (a << 8 | b);
    if (u >= 0xD800 && u < 0xDC00) {
      if (high_) Put('?', out);
      high_ = u;
      return;
    }
    if (u >= 0xDC00 && u < 0xE000) {
      if (high_) {
        Put(0x10000 + ((high_ - 0xD800) << 10) + (u - 0xDC00), out);
        high_ = 0;
      } else {
        Put('?', out);
      }
      return;
    }
    if (high_) {
      Put('?', out);
      high_ = 0;
    }
    Put(u, out);
  };
  if (!held_.empty()) {
    if (bytes.empty()) return;
    unit(static_cast<unsigned char>(held_[0]), static_cast<unsigned char>(bytes[0]));
    held_.clear();
    i = 1;
  }
  for (; i + 1 < bytes.size(); i += 2)
    unit(static_cast<unsigned char>(bytes[i]), static_cast<unsigned char>(bytes[i + 1]));
  if (i < bytes.size()) held_.assign(1, bytes[i]);
}

std::string_view TextDecoder::Decode(std::string_view bytes, std::string& scratch) {
  if (mode_ == Mode::Bytes && held_.empty()) return bytes;
  scratch.clear();
  if (mode_ == Mode::Unknown) {
    held_.append(bytes);
    Decide(false);
    if (mode_ == Mode::Unknown) return {};
    std::string first;
    first.swap(held_);
    if (mode_ == Mode::Bytes) {
      scratch = std::move(first);
      return scratch;
    }
    Widen(first, scratch);
    return scratch;
  }
  if (mode_ == Mode::Bytes) {
    scratch = held_;
    held_.clear();
    scratch.append(bytes);
    return scratch;
  }
  Widen(bytes, scratch);
  return scratch;
}

std::string_view TextDecoder::Finish(std::string& scratch) {
  scratch.clear();
  if (mode_ == Mode::Unknown) {
    Decide(true);
    std::string first;
    first.swap(held_);
    if (mode_ == Mode::Bytes) {
      scratch = std::move(first);
    } else {
      Widen(first, scratch);
    }
  }
  if (Utf16() && (!held_.empty() || high_)) {
    scratch += '?';
    held_.clear();
    high_ = 0;
  }
  if (mode_ == Mode::Bytes && !held_.empty()) {
    scratch += held_;
    held_.clear();
  }
  return scratch;
}

}  // namespace tickvane::converter
