#include "station/engine/tick_file_reader.h"

#include "station/engine/line_marks.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tickvane {
namespace {

// A field that lies whole in the buffer is then within the cap too.
static_assert(TickFileReader::kBufferSize <= TickFileReader::kFieldCap);

std::string_view Trimmed(const char* begin, const char* end) {
  while (begin != end && *begin == ' ') ++begin;
  while (end != begin && end[-1] == ' ') --end;
  return {begin, static_cast<std::size_t>(end - begin)};
}

// One piece of a field, as far as it lies in the buffer. Leading spaces are dropped as they
// come, so that a field padded with any number of spaces still keeps its text within the cap.
void AppendPiece(std::string& kept, const char* begin, const char* end, bool& truncated) {
  if (kept.empty()) {
    while (begin != end && *begin == ' ') ++begin;
  }
  const std::size_t room = TickFileReader::kFieldCap - kept.size();
  const std::size_t size = static_cast<std::size_t>(end - begin);
  if (size <= room) {
    kept.append(begin, size);
    return;
  }
  kept.append(begin, room);
  // Spaces beyond the cap would be trimmed anyway; only other bytes are a real loss.
  if (!truncated) truncated = std::any_of(begin + room, end, [](char c) { return c != ' '; });
}

std::string_view WithoutTrailingSpaces(const std::string& text) {
  const std::size_t last = text.find_last_not_of(' ');
  return std::string_view(text).substr(0, last == std::string::npos ? 0 : last + 1);
}

}  // namespace

TickFileReader::TickFileReader(ByteSource& source)
    : source_(source), buffer_(new char[kBufferSize]) {}

bool TickFileReader::Refill() {
  if (sourceDone_) return false;
  std::size_t n = source_.Read(buffer_.get(), kBufferSize);
  if (n == 0) {
    sourceDone_ = true;
    return false;
  }
  n = std::min(n, kBufferSize);
  bytesFetched_ += n;
  next_ = buffer_.get();
  end_ = next_ + n;
  ForgetMarks();
  return true;
}

void TickFileReader::ForgetMarks() {
  marksEnd_ = next_;
  marks_ = 0;
}

const char* TickFileReader::NextMark() {
  while (marks_ == 0) {
    if (marksEnd_ == end_) return nullptr;
    marksBegin_ = marksEnd_;
    const std::size_t size = std::min(static_cast<std::size_t>(end_ - marksBegin_), kMarkBlock);
    marks_ = CommaAndCrMarks(marksBegin_, size);
    marksEnd_ = marksBegin_ + size;
  }
  const char* mark = marksBegin_ + std::countr_zero(marks_);
  marks_ &= marks_ - 1;
  return mark;
}

void TickFileReader::SkipLineFeedAfterCr() {
  // The CR may be the last byte of one read and its LF the first byte of the next, so the LF is
  // only looked for once a byte after the CR is in hand.
  if (afterCr_ && next_ != end_) {
    afterCr_ = false;
    if (*next_ == '\n') ++next_;
  }
}

bool TickFileReader::AtEndOfSource() {
  if (next_ == end_ && !Refill()) return true;
  if (!afterCr_) return false;
  SkipLineFeedAfterCr();
  return next_ == end_ && !Refill();
}

void TickFileReader::EndLineAt(const char* cr) {
  next_ = cr + 1;
  afterCr_ = true;
  SkipLineFeedAfterCr();
}

LineResult TickFileReader::ReadLine() {
  LineResult result;
  if (AtEnd()) return result;
  const bool header = linesRead_ < 3;
  ++linesRead_;

  if (header) {
    while (const char* mark = NextMark()) {
      if (*mark == '\r') {
        EndLineAt(mark);
        result.kind = LineKind::Header;
        return result;
      }
    }
    result = ReadLineAcrossBuffers(header);
    return result;
  }
  // The common case: the whole line is in the buffer already and its fields are taken straight
  // from their bounds. A line that goes on past the buffer is read again from its start.
  const char* fieldBegin[4] = {next_};
  const char* fieldEnd[4] = {};
  std::size_t commas = 0;
  while (const char* mark = NextMark()) {
    if (*mark == '\r') {
      if (commas < 4) fieldEnd[commas] = mark;
      result.endsReplay = next_ != mark && *next_ == '[';
      EndLineAt(mark);
      if (commas < 3) {
        result.kind = LineKind::ShortRecord;
        return result;
      }
      result.kind = LineKind::Record;
      result.record.tickDate = Trimmed(fieldBegin[1], fieldEnd[1]);
      result.record.tickTime = Trimmed(fieldBegin[2], fieldEnd[2]);
      result.record.tickPrice = Trimmed(fieldBegin[3], fieldEnd[3]);
      return result;
    }
    if (commas < 4) {
      fieldEnd[commas] = mark;
      if (commas < 3) fieldBegin[commas + 1] = mark + 1;
      ++commas;
    }
  }
  result = ReadLineAcrossBuffers(header);
  return result;
}

void TickFileReader::TakeFields(const char* begin, const char* end, LineResult& result) {
  while (begin != end && field_ < 4) {
    const auto* comma = static_cast<const char*>(std::memchr(begin, ',', end - begin));
    const char* stop = comma != nullptr ? comma : end;
    if (field_ != 0) AppendPiece(spilled_[field_ - 1], begin, stop, result.truncated);
    if (comma == nullptr) return;
    ++field_;
    begin = comma + 1;
  }
}

// A line that goes on past the buffer, however long: its pieces are taken as they come and
// only the capped fields 1 to 3 are kept.
LineResult TickFileReader::ReadLineAcrossBuffers(bool header) {
  LineResult result;
  field_ = 0;
  for (std::string& field : spilled_) field.clear();
  bool firstByte = true;
  for (;;) {
    if (next_ == end_ && !Refill()) break;  // a last line without a line end
    const auto* cr = static_cast<const char*>(std::memchr(next_, '\r', end_ - next_));
    const char* stop = cr != nullptr ? cr : end_;
    if (!header) {
      if (firstByte && next_ != stop) result.endsReplay = *next_ == '[';
      TakeFields(next_, stop, result);
    }
    firstByte = false;
    if (cr != nullptr) {
      EndLineAt(cr);
      break;
    }
    next_ = end_;
  }
  ForgetMarks();

  if (header) {
    result.kind = LineKind::Header;
  } else if (field_ >= 3) {
    result.kind = LineKind::Record;
    result.record.tickDate = WithoutTrailingSpaces(spilled_[0]);
    result.record.tickTime = WithoutTrailingSpaces(spilled_[1]);
    result.record.tickPrice = WithoutTrailingSpaces(spilled_[2]);
  } else {
    result.kind = LineKind::ShortRecord;
    result.truncated = false;
  }
  return result;
}

}  // namespace tickvane
