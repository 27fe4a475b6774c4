#include "station/engine/tick_file_reader.h"

#include <algorithm>
#include <cstring>

namespace tickvane {
namespace {

std::string& KeptField(TickRecord& record, std::size_t field) {
  switch (field) {
    case 1: return record.tickDate;
    case 2: return record.tickTime;
    default: return record.tickPrice;
  }
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

void AssignTrimmed(std::string& kept, const char* begin, const char* end) {
  while (begin != end && *begin == ' ') ++begin;
  while (end != begin && end[-1] == ' ') --end;
  kept.assign(begin, static_cast<std::size_t>(end - begin));
}

void TrimTrailingSpaces(std::string& text) {
  const std::size_t last = text.find_last_not_of(' ');
  text.erase(last == std::string::npos ? 0 : last + 1);
}

}  // namespace

// A field that lies whole in the buffer is then within the cap too.
static_assert(TickFileReader::kBufferSize <= TickFileReader::kFieldCap);

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
  next_ = buffer_.get();
  end_ = next_ + n;
  return true;
}

void TickFileReader::SkipLineFeedAfterCr() {
  // The CR may be the last byte of one read and its LF the first byte of the next, so the LF is
  // only looked for once a byte after the CR is in hand.
  if (afterCr_ && next_ != end_) {
    afterCr_ = false;
    if (*next_ == '\n') ++next_;
  }
}

bool TickFileReader::AtEnd() {
  if (next_ == end_ && !Refill()) return true;
  if (!afterCr_) return false;
  SkipLineFeedAfterCr();
  return next_ == end_ && !Refill();
}

void TickFileReader::TakeFields(const char* begin, const char* end, LineResult& result) {
  while (begin != end && field_ < 4) {
    const auto* comma = static_cast<const char*>(std::memchr(begin, ',', end - begin));
    const char* stop = comma != nullptr ? comma : end;
    if (field_ != 0) AppendPiece(KeptField(result.record, field_), begin, stop, result.truncated);
    if (comma == nullptr) return;
    ++field_;
    begin = comma + 1;
  }
}

// The common case, a whole line already in the buffer, in one pass over its bytes and without
// growing any field piece by piece. Changes nothing when the line goes on past the buffer: the
// general path then reads it from its start.
bool TickFileReader::ReadLineInBuffer(bool header, LineResult& result) {
  const char* const begin = next_;
  const char* const end = end_;
  const char* cr = nullptr;
  if (header) {
    cr = static_cast<const char*>(std::memchr(begin, '\r', end - begin));
    if (cr == nullptr) return false;
    next_ = cr + 1;
    afterCr_ = true;
    return true;
  }

  // fieldStart[i] and fieldEnd[i] for fields 1 to 3; only the first four commas matter.
  const char* fieldStart[5] = {};
  const char* fieldEnd[4] = {};
  std::size_t commas = 0;
  const char* p = begin;
  for (; p != end; ++p) {
    const char c = *p;
    if (c == ',') {
      fieldEnd[commas] = p;
      fieldStart[++commas] = p + 1;
      if (commas == 4) break;
    } else if (c == '\r') {
      cr = p;
      break;
    }
  }
  if (cr == nullptr) {
    if (p == end) return false;
    cr = static_cast<const char*>(std::memchr(p, '\r', end - p));
    if (cr == nullptr) return false;
  }

  result.endsReplay = begin != cr && *begin == '[';
  if (commas >= 3) {
    result.kind = LineKind::Record;
    AssignTrimmed(result.record.tickDate, fieldStart[1], fieldEnd[1]);
    AssignTrimmed(result.record.tickTime, fieldStart[2], fieldEnd[2]);
    AssignTrimmed(result.record.tickPrice, fieldStart[3], commas == 4 ? fieldEnd[3] : cr);
  } else {
    result.kind = LineKind::ShortRecord;
  }
  next_ = cr + 1;
  afterCr_ = true;
  return true;
}

LineResult TickFileReader::ReadLine() {
  LineResult result;
  if (AtEnd()) return result;

  const bool header = linesRead_ < 3;
  ++linesRead_;
  if (ReadLineInBuffer(header, result)) {
    if (header) result.kind = LineKind::Header;
    return result;
  }

  field_ = 0;
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
      next_ = cr + 1;
      afterCr_ = true;
      break;
    }
    next_ = end_;
  }

  if (header) {
    result.kind = LineKind::Header;
  } else if (field_ >= 3) {
    result.kind = LineKind::Record;
    TrimTrailingSpaces(result.record.tickDate);
    TrimTrailingSpaces(result.record.tickTime);
    TrimTrailingSpaces(result.record.tickPrice);
  } else {
    result.kind = LineKind::ShortRecord;
    result.record = TickRecord{};
    result.truncated = false;
  }
  return result;
}

}  // namespace tickvane
