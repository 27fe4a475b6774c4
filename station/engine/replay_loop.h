// The replay: the body of the Start button's click handler, and the pause wait behind the main
// window's `Pause`.
//
// Usage from the window (all on the window's thread):
//
//   void Frmzavo::cbStartFastSend_Click() {
//     RunReplay(*this, station, *writerFactory_, [folder] { return OpenPlaybackFile(folder); });
//   }
//
// Per record line, in this order: the reader cuts it into a TickRecord; ForwardStep decides its
// fate (and makes the batch writes); a record to write goes to the writer (writing_data) with
// both forward buttons enabled first; a record to show is shown in `last` and `time` and paced;
// then the window handles its events.
#pragma once

#include "station/engine/chart_writer.h"
#include "station/engine/replay_playback_file.h"
#include "station/engine/replay_window.h"
#include "station/engine/station_state.h"

namespace tickvane {

// Runs one whole replay and returns after the user has closed the closing notice. Start stays
// disabled then (one replay per process), the forward buttons are enabled.
//
// When the playback file cannot be opened, its message is shown, Start is enabled again so that
// the user can put the file in place and retry, and nothing else happens: the file is opened
// before the chart-file writer is made, so a failed start leaves no trace in the chart file.
//
// It throws nothing of its own; what the window's methods throw passes through, so the window's
// handler must not let it reach the window procedure.
void RunReplay(ReplayWindow& window, StationState& station, ChartWriterFactory& writerFactory,
               const PlaybackFileOpener& openPlaybackFile);

// `Pause`: sets `paused` and waits, checking the speed and handling events every 100 ms, until a
// handler has set `paused` back to false (or the window is closed). The replay calls it before a
// line while `paused` is set.
void Pause(ReplayWindow& window, StationState& station);

}  // namespace tickvane
