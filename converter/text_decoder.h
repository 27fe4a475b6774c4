// The bytes of a tick file as 8-bit text: a UTF-8 byte-order mark at the start is dropped, and a
// file in UTF-16 (MetaTrader writes little-endian with a byte-order mark) is turned into UTF-8,
// streaming, whatever the sizes of the pieces.
#pragma once

#include <string>
#include <string_view>

namespace tickvane::converter {

class TextDecoder {
 public:
  // The text of the next bytes: a view of the bytes themselves when nothing needs turning, else
  // of scratch. The view lasts until the next call.
  std::string_view Decode(std::string_view bytes, std::string& scratch);
  // The end of the file: what was held back (the first bytes of a very short file, half a
  // UTF-16 character, which becomes "?").
  std::string_view Finish(std::string& scratch);

  bool Utf16() const { return mode_ == Mode::Utf16Le || mode_ == Mode::Utf16Be; }

 private:
  enum class Mode { Unknown, Bytes, Utf16Le, Utf16Be };
  void Decide(bool atEnd);
  void Widen(std::string_view bytes, std::string& out);
  void Put(unsigned code, std::string& out);

  Mode mode_ = Mode::Unknown;
  std::string held_;   // the first bytes until the form is known, or an odd byte of UTF-16
  unsigned high_ = 0;  // a high surrogate waiting for its low half
};

}  // namespace tickvane::converter
