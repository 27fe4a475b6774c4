// The chart file on disk. Every call opens the file, leaves it whole (complete records, written in
// one call to the system) and closes it again, so the station may switch files between calls and
// an Exit at any moment never leaves a torn record behind.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tickvane::zavovq {

struct FileOutcome {
  bool ok = false;
  double records = 0;       // records in the file after the call
  std::wstring error;       // why not, for the caller's EXCEPINFO
  HRESULT code = S_OK;
};

// Starts a chart file of header alone, in place: an existing file stays the same file and is cut
// back to a header, so that a chart holding it open (Sierra Chart shares it for reading and
// writing) sees it begin anew instead of going on reading an old file. What the file held beyond a
// bare header is first copied to <name>.bak (replacing an older .bak), so that nothing a user had
// is destroyed; when that copy fails, the file is left as it was.
FileOutcome StartChartFile(const std::wstring& path);

// Appends whole records (a multiple of the record size) in one write. A missing or
// empty file gets the header first. A file that is no chart file, or ends inside a record, is left
// alone and refused. A failed write is cut back to the old length, so no call leaves part of its
// records behind.
FileOutcome AppendToChartFile(const std::wstring& path, std::string_view records);

}  // namespace tickvane::zavovq
