// Which chart-file names the component accepts. The file always lies in the component's own
// folder, so a name must not lead anywhere else or onto something that is not a plain file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tickvane::chart {

// Why a chart-file name is refused; nothing when it is a safe bare file name.
// Refused: empty or longer than 200 characters; path separators, drive or stream colons, wildcards and
// the other characters Windows forbids in names; control characters; ".." anywhere; a leading or
// trailing blank or a trailing dot (Windows drops those, so the name would alias another file);
// device names (CON, NUL, COM1, LPT1 ... with or without an extension); and names ending in .exe,
// .dll or .epf, so that a chart can never replace a program, the component or the tick file.
std::optional<std::wstring> ChartFileNameProblem(std::wstring_view name);

}  // namespace tickvane::chart
