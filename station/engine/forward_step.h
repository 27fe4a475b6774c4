// Fast-forward inside the replay: the step run for every record, and what is left to write when
// the replay reaches its end.
//
// In "sierra" mode every record that the replay processes reaches the chart file exactly once and
// in file order: either written singly by the replay (shown) or inside a batch of skipped records
// (writing_data_forward). A chart that silently misses, repeats or reorders ticks is corrupted
// data for the user, so the bookkeeping below never drops pending lists, never puts a record into
// a batch that is also written singly, and writes what is pending before a later record is written
// singly or the replay closes.
#pragma once

#include <string>
#include <string_view>

#include "station/engine/replay_forward_hook.h"

namespace tickvane {

// Runs once per record, before the replay writes, shows and paces it. While no forward has been
// requested it changes nothing that the replay reads.
//
// A forward by minutes skips the records of the shown day whose time lies before forwardToTime and
// batches them by 101. The first record of that day at or past the target goes into the last batch
// with them (the forward ends with the record after it); any other record that is not skipped ends
// the forward and has what is pending written first, so it follows its predecessors in the chart.
//
// A forward by ticks of N takes the next N records into batches of 100; the last one of them closes
// the final batch and is shown, and context.writtenInBatch tells the replay not to write it again.
//
// A record whose time equals forwardFromTime and that opens an empty batch is listed without the
// leading ",". Counts between 0 and 1 never reach here: the command refuses them.
void ForwardStep(ForwardContext& context);

// Writes what is still pending (sierra mode only). The replay calls it when it reaches its end,
// before the closing notice, so the skipped records of a forward that met the end of the file are
// in the chart too. A window closed by Exit skips it: the process ends wherever it stands.
void FinishForwards(ForwardEndContext& context);

// Removes every occurrence of a one-character ch from text. A ch that is empty or longer than one
// character is never equal to a single character, so text then comes back unchanged.
std::wstring StripChar(std::wstring_view text, std::wstring_view ch);

}  // namespace tickvane
