// The chart file on disk. Every call opens the file, leaves it whole (complete records, flushed)
// and closes it again, so the station may switch files between calls and an Exit at any moment
// never leaves a torn record behind.
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

// Starts a chart file of header alone. An existing file of that name is first renamed to
// <name>.bak (replacing an older .bak), so that nothing a user had is destroyed; when the rename
// fails, nothing is written.
FileOutcome StartChartFile(const std::wstring& path);

// Appends whole records (a multiple of the record size) in one write and flushes them. A missing or
// empty file gets the header first. A file that is no chart file, or ends inside a record, is left
// alone and refused. A failed write is cut back to the old length, so no call leaves part of its
// records behind.
FileOutcome AppendToChartFile(const std::wstring& path, std::string_view records);

}  // namespace tickvane::zavovq
