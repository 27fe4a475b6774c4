// The bytes of tick files as text: byte-order marks, UTF-16 of either byte order, any piece sizes.
#include <gtest/gtest.h>

#include <string>

#include "converter/text_decoder.h"

namespace tickvane::converter {
namespace {

std::string Decoded(std::string_view bytes, size_t piece) {
  TextDecoder decoder;
  std::string text, scratch;
  for (size_t at = 0; at < bytes.size(); at += piece) text += decoder.Decode(bytes.substr(at, piece), scratch);
  text += decoder.Finish(scratch);
  return text;
}

TEST(ConverterDecoder, MarksAndByteOrdersInPiecesOfAnySize) {
  const struct {
    const char* label;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"plain", "Date,Price\n", "Date,Price\n"},
      {"UTF-8 mark",
       "\xEF\xBB\xBF"
       "Date\n",
       "Date\n"},
      {"UTF-8 mark alone", "\xEF\xBB\xBF", ""},
      {"mark not at the start", " \xEF\xBB\xBF", " \xEF\xBB\xBF"},
      {"UTF-16LE", std::string("\xFF\xFE<\0D\0>\0\t\0\r\0\n\0", 14), "<D>\t\r\n"},
      {"UTF-16BE", std::string("\xFE\xFF\0<\0D\0>", 8), "<D>"},
      {"UTF-16LE without mark", std::string("<\0D\0A\0T\0E\0>\0", 12), "<DATE>"},
      {"UTF-16 beyond ASCII", std::string("\xFF\xFE\xAC\x20\x3D\xD8\x00\xDE", 8), "\xE2\x82\xAC\xF0\x9F\x98\x80"},
      {"UTF-16 half a character at the end",
       std::string("\xFF\xFE"
                   "A\0B",
                   5),
       "A?"},
      {"UTF-16 lone surrogate",
       std::string("\xFF\xFE\x00\xDC"
                   "A\0",
                   6),
       "?A"},
      {"short", "ab", "ab"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    for (size_t piece : {1u, 2u, 3u, 5u, 100u}) {
      SCOPED_TRACE(std::string(c.label) + ", pieces of " + std::to_string(piece));
      EXPECT_EQ(Decoded(c.bytes, piece), c.text);
    }
  }
}

}  // namespace
}  // namespace tickvane::converter
