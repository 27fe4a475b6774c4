#include "converter/joined_conversion.h"

#include <algorithm>
#include <memory>

#include "converter/conversion_summary.h"
#include "converter/epf_header.h"
#include "converter/tick_time.h"

namespace tickvane::converter {
namespace {

ConvertOptions OptionsFor(const TickSource& source, const JoinSettings& settings) {
  ConvertOptions o;
  o.fileName = source.Name();
  o.zones = settings.zones;
  o.sourceZone = settings.sourceZone;
  o.playbackZone = settings.playbackZone;
  o.price = settings.price;
  o.symbol = settings.symbol;
  return o;
}

std::string Readable(std::int64_t seconds) {
  char text[19];
  WriteReadable(seconds, text);
  return std::string(text, 19);
}

JoinResult BadInput(size_t source, const ConversionError& error) {
  JoinResult r;
  r.outcome = JoinOutcome::BadInput;
  r.source = source;
  r.error = error;
  return r;
}

JoinResult ReadFailed(size_t source, std::string problem) {
  JoinResult r;
  r.outcome = JoinOutcome::ReadFailed;
  r.source = source;
  r.problem = std::move(problem);
  return r;
}

// The first tick of a file, read as far as it takes to find it.
struct Start {
  size_t index = 0;
  std::optional<TickStamp> first;
};

}  // namespace

JoinResult JoinSources(const std::vector<TickSource*>& sources, const JoinSettings& settings,
                       const std::function<bool(std::string_view)>& write, const std::atomic<bool>& cancel,
                       JoinProgress& progress) {
  JoinResult cancelled;
  cancelled.outcome = JoinOutcome::Cancelled;
  std::unique_ptr<char[]> buffer(new char[kJoinPiece]);
  std::string records;
  records.reserve(2 * kJoinPiece + 4096);

  // Several files go in the order of their first ticks: each is read up to its first tick first.
  std::vector<Start> order;
  for (size_t i = 0; i < sources.size(); ++i) order.push_back({i, std::nullopt});
  if (sources.size() > 1) {
    for (Start& start : order) {
      TickSource& source = *sources[start.index];
      std::string problem;
      if (!source.Open(&problem)) return ReadFailed(start.index, problem);
      TickConverter probe(OptionsFor(source, settings));
      std::string thrownAway;
      for (;;) {
        if (cancel) return cancelled;
        size_t got = 0;
        if (!source.Read(buffer.get(), kJoinPiece, &got, &problem)) return ReadFailed(start.index, problem);
        thrownAway.clear();
        bool ok = got == 0 ? probe.Finish(thrownAway) : probe.Feed(std::string_view(buffer.get(), got), thrownAway);
        if (!ok) return BadInput(start.index, probe.Error());
        if (probe.FirstTick() || got == 0) break;
      }
      start.first = probe.FirstTick();
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Start& a, const Start& b) { return a.first && b.first && a.first->key < b.first->key; });
  }

  std::int64_t total = 0;
  bool sizesKnown = true;
  JoinResult result;
  std::string names;
  for (const Start& start : order) names += (names.empty() ? "" : "; ") + sources[start.index]->Name();

  bool headerWritten = false;
  std::string description;
  auto flush = [&]() {
    if (!headerWritten) {
      if (!write(EpfHeader(names, settings.when, description))) return false;
      headerWritten = true;
    }
    bool ok = records.empty() || write(records);
    records.clear();
    return ok;
  };

  std::int64_t doneBefore = 0;
  std::optional<TickStamp> latest;  // the latest tick of the files joined so far
  size_t latestSource = 0;
  for (size_t k = 0; k < order.size(); ++k) {
    const size_t index = order[k].index;
    TickSource& source = *sources[index];
    progress.source = static_cast<int>(index);
    std::string problem;
    if (!source.Open(&problem)) return ReadFailed(index, problem);
    if (k == 0) {
      // All sizes, once each file is known to open: the first file is open now, the others were
      // opened when they were put in order.
      for (TickSource* s : sources) {
        if (s->Size() < 0) sizesKnown = false;
        total += std::max<std::int64_t>(0, s->Size());
      }
      progress.total = sizesKnown ? total : -1;
    }
    if (k > 0 && order[k].first && latest && order[k].first->key < latest->key) {
      ConversionError overlap;
      overlap.line = order[k].first->line;
      overlap.problem = "its ticks begin at " + Readable(order[k].first->shown) + ", before the last tick of " +
                        sources[latestSource]->Name() + " (" + Readable(latest->shown) + "): the files overlap in time";
      return BadInput(index, overlap);
    }
    TickConverter converter(OptionsFor(source, settings));
    std::int64_t done = 0;
    for (;;) {
      if (cancel) return cancelled;
      size_t got = 0;
      if (!source.Read(buffer.get(), kJoinPiece, &got, &problem)) {
        if (cancel) return cancelled;
        return ReadFailed(index, problem);
      }
      bool ok = got == 0 ? converter.Finish(records) : converter.Feed(std::string_view(buffer.get(), got), records);
      if (!ok) return BadInput(index, converter.Error());
      if (description.empty() && converter.Detected()) {
        description = DescribeConversion(converter.Found(), converter.SourceZoneName(), settings.playbackZoneName,
                                         converter.Price());
        if (order.size() > 1) description += "; " + std::to_string(order.size()) + " files joined in time order";
      }
      done += static_cast<std::int64_t>(got);
      progress.done = doneBefore + done;
      progress.ticks = result.ticks + converter.Ticks();
      if (got == 0) break;
      if (records.size() >= kJoinPiece && !flush()) {
        result.outcome = JoinOutcome::WriteFailed;
        return result;
      }
    }
    doneBefore += done;
    SourceResult s;
    s.index = index;
    s.name = source.Name();
    s.finding = converter.Found();
    s.sourceZone = converter.SourceZoneName();
    s.price = converter.Price();
    s.ticks = converter.Ticks();
    s.first = converter.FirstTick();
    s.last = converter.LastTick();
    result.ticks += s.ticks;
    if (s.last && (!latest || s.last->key >= latest->key)) {
      latest = s.last;
      latestSource = index;
    }
    result.sources.push_back(std::move(s));
  }
  if (cancel) return cancelled;
  if (!flush()) result.outcome = JoinOutcome::WriteFailed;
  return result;
}

}  // namespace tickvane::converter
