#include "component/chart_dump.h"

#include <string>

#include "component/chart_format.h"

namespace tickvane::chart {
namespace {

// Reads up to `size` bytes; fewer only at the end of the stream.
std::string ReadBytes(std::istream& in, std::size_t size) {
  std::string bytes(size, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace

int DumpChart(std::istream& in, std::ostream& out, std::ostream& err, std::string_view name, const ZoneRules* zone) {
  const std::string header = ReadBytes(in, kHeaderSize);
  if (auto problem = HeaderProblem(header)) {
    err << "chartdump: " << name << " is not a chart file: " << *problem << "\n";
    return 2;
  }
  out << "# SCID chart file: header " << kHeaderSize << " bytes, record " << kRecordSize
      << " bytes, version " << kVersion << "\n";
  if (zone) out << "# date time (UTC), price, volume, date time (" << zone->name << ")\n";
  std::size_t count = 0;
  for (;;) {
    const std::string bytes = ReadBytes(in, kRecordSize);
    if (bytes.empty()) break;
    if (bytes.size() < kRecordSize) {
      out.flush();
      err << "chartdump: " << name << " ends inside record " << count + 1 << " (" << bytes.size() << " of "
          << kRecordSize << " bytes)\n";
      return 2;
    }
    out << FormatRecordLine(DecodeRecord(bytes), zone) << "\n";
    ++count;
  }
  out << "# " << count << " records\n";
  return 0;
}

}  // namespace tickvane::chart
