// Streaming reader of the playback tick file: lines, header lines, record lines cut into fields.
#pragma once

#include "station/engine/byte_source.h"
#include "station/engine/tick_record.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tickvane {

enum class LineKind {
  NoLine,       // ReadLine was called at the end of the file
  Header,       // one of the first three lines, read and thrown away unseen
  Record,       // a line with at least four fields; `record` holds fields 1 to 3
  ShortRecord,  // a record line with fewer than four fields (an empty line too): skip it
};

struct LineResult {
  LineKind kind = LineKind::NoLine;
  // Fields 1 to 3, trimmed; empty unless kind is Record. Views into the reader, valid until
  // its next ReadLine.
  TickRecord record;
  // The untrimmed line starts with "[": the replay ends after this line has been handled.
  // A short record line that starts with "[" ends the replay too: the file's writer meant it
  // as the end marker whatever its field count, and reading past an end marker would replay
  // data that was never meant to be played. Header lines never end the replay.
  bool endsReplay = false;
  // A kept field was longer than kFieldCap and holds only its first kFieldCap bytes.
  bool truncated = false;
};

// Reads lines one at a time with a fixed amount of memory, whatever the size of the file or of
// a line. A line ends at CR LF or at a CR alone; a line feed alone is an ordinary byte of the
// line. A last line without a line end is still a line.
class TickFileReader {
 public:
  // Only fields 1 to 3 and the first byte of a line matter, so a line is never held whole:
  // fields 1 to 3 keep at most this many bytes each (after their leading spaces) and the other
  // fields are not kept at all. A file of one 200 MB line, or random binary without a single
  // CR, therefore costs no more memory than a normal one. Real fields are a few bytes long.
  static constexpr std::size_t kFieldCap = 64 * 1024;
  // Bytes asked from the source at a time.
  static constexpr std::size_t kBufferSize = 64 * 1024;

  explicit TickFileReader(ByteSource& source);
  TickFileReader(const TickFileReader&) = delete;
  TickFileReader& operator=(const TickFileReader&) = delete;

  // True when no byte is left: no further line, not even an empty or unterminated one.
  bool AtEnd() {
    if (next_ != end_ && !afterCr_) return false;  // the usual answer, without a call
    return AtEndOfSource();
  }

  // Reads the next line and, from the fourth line on, cuts it into a record. At the end of the
  // file it returns kind NoLine. The record's texts stay valid until the next call.
  LineResult ReadLine();

  // Bytes held for the fields of lines that went on past the buffer: capped, whatever the lines.
  std::size_t FieldMemory() const {
    return spilled_[0].capacity() + spilled_[1].capacity() + spilled_[2].capacity();
  }

  // Lines read so far, header lines included.
  std::uint64_t LinesRead() const { return linesRead_; }
  // Bytes of the source read up to the end of the last line returned (its line end included,
  // unless the line feed after its CR has not been looked at yet); what lies in the buffer beyond
  // that does not count.
  std::uint64_t BytesRead() const { return bytesFetched_ - static_cast<std::uint64_t>(end_ - next_); }

 private:
  bool AtEndOfSource();
  bool Refill();
  void SkipLineFeedAfterCr();
  void EndLineAt(const char* cr);
  // The next comma or CR in the buffer, or null at its end.
  const char* NextMark();
  void ForgetMarks();
  LineResult ReadLineAcrossBuffers(bool header);
  void TakeFields(const char* begin, const char* end, LineResult& result);

  ByteSource& source_;
  std::unique_ptr<char[]> buffer_;
  const char* next_ = nullptr;
  const char* end_ = nullptr;
  bool sourceDone_ = false;
  // The last line ended at a CR; a line feed right after it belongs to that line end.
  bool afterCr_ = false;
  // Commas and CRs of the buffer from marksBegin_ on, as bits (see NextMark). Only the marks at
  // or after next_ are left; the buffer up to marksEnd_ has been looked at.
  const char* marksBegin_ = nullptr;
  const char* marksEnd_ = nullptr;
  std::uint64_t marks_ = 0;
  std::uint64_t linesRead_ = 0;
  std::uint64_t bytesFetched_ = 0;
  // Index of the field being cut in the current record line.
  std::size_t field_ = 0;
  // Fields 1 to 3 of a line that goes on past the buffer, gathered piece by piece; the record
  // then views these. A line that lies whole in the buffer is viewed where it lies.
  std::string spilled_[3];
};

}  // namespace tickvane
