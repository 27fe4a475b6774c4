// Fast-forward inside the replay: the step run for every record, which decides what happens to the
// record, and what is left to write when the replay reaches its end.
//
// In "sierra" mode every record that the replay processes reaches the chart file exactly once and
// in file order: either written singly by the replay (shown) or inside a batch of skipped records
// (writing_data_forward). A chart that silently misses, repeats or reorders ticks is corrupted
// data for the user, so the bookkeeping below never drops pending lists, never puts a record into
// a batch that is also written singly, and writes what is pending before a later record is written
// singly or the replay closes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "station/engine/chart_writer_session.h"
#include "station/engine/replay_window.h"
#include "station/engine/station_state.h"
#include "station/engine/tick_record.h"

namespace tickvane {

// Skipped records waiting for a batch write, and how many each kind of forward has added since
// its last batch write. They start empty with every replay.
struct ForwardBatches {
  std::string dateList;
  std::string timeList;
  std::string priceList;
  double minutesBatchCount = 0;
  std::int64_t ticksBatchCount = 0;
};

// What happens to a record, as ForwardStep decides it.
enum class RecordFate {
  // A forward takes it: it goes into a batch (or, outside "sierra" mode, nowhere), is not
  // written singly, not shown and not paced.
  Skipped,
  // "sierra" mode, no forward: written singly, then shown and paced.
  WriteAndShow,
  // Shown and paced only: outside "sierra" mode, or the record that ends a forward by ticks,
  // which its final batch already holds.
  ShowOnly,
};

// Everything the step may look at or change for one record.
struct ForwardContext {
  const TickRecord& record;
  StationState& station;
  // Numeric date of the last shown record, 0 before the first.
  double previousDate;
  ForwardBatches& batches;
  // The replay's writer, for batch writes; a message it returns goes to window.ShowNotice.
  ReplayChartWriter& writer;
  ReplayWindow& window;
};

// Runs once per record, before the replay writes, shows and paces it. While no forward has been
// requested it changes nothing that the replay reads.
//
// A forward by minutes skips the records of the shown day whose time lies before forwardToTime and
// batches them by 101. The first record of that day at or past the target goes into the last batch
// with them (the forward ends with the record after it); any other record that is not skipped ends
// the forward and has what is pending written first, so it follows its predecessors in the chart.
//
// A forward by ticks of N takes the next N records into batches of 100; the last one of them closes
// the final batch and is shown only.
//
// A record whose time equals forwardFromTime and that opens an empty batch is listed without the
// leading ",". Counts between 0 and 1 never reach here: the command refuses them.
RecordFate ForwardStep(ForwardContext& context);

// Writes what is still pending (sierra mode only). The replay calls it when it reaches its end,
// before the closing notice, so the skipped records of a forward that met the end of the file are
// in the chart too. A window closed by Exit skips it: the process ends wherever it stands.
void FinishForwards(const StationState& station, ForwardBatches& batches, ReplayChartWriter& writer,
                    ReplayWindow& window);

// Removes every occurrence of a one-character ch from text. A ch that is empty or longer than one
// character is never equal to a single character, so text then comes back unchanged.
std::wstring StripChar(std::wstring_view text, std::wstring_view ch);

}  // namespace tickvane
