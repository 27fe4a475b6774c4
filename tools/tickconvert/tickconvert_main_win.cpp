// tickconvert: recorded ticks into a playback file, from the command line.
//   tickconvert SOURCE... --out FILE [--source-zone ZONE] [--zone ZONE|none] [--price last|bid|ask|mid]
//               [--symbol NAME]
// Prints the format found for each source and the tick count. Exit code 0 when done, 2 for bad
// input (the file, line and problem are printed) or a bad command line, 1 when a file cannot be
// read or written.
#include <windows.h>


#include <cwctype>
#include <string>
#include <vector>

#include "common/user_settings_win.h"
#include "common/win_text_win.h"
#include "converter/console_options.h"
#include "converter/conversion_job_win.h"
#include "converter/conversion_summary.h"

namespace {

using namespace tickvane;
using namespace tickvane::converter;

// To a console as characters; to a file or a pipe as UTF-8.
void Write(DWORD which, const std::wstring& text) {
  HANDLE out = ::GetStdHandle(which);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0, written = 0;
  if (::GetConsoleMode(out, &mode)) {
    ::WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  std::string bytes = ToUtf8(text);
  ::WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Say(const std::wstring& text) { Write(STD_OUTPUT_HANDLE, text); }
void Complain(const std::wstring& text) { Write(STD_ERROR_HANDLE, L"tickconvert: " + text + L"\r\n"); }

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[32768];
  DWORD n = ::GetFullPathNameW(path.c_str(), 32768, full, nullptr);
  return n > 0 && n < 32768 ? std::wstring(full, n) : path;
}

int Run() {
  ConsoleOptions options;
  std::wstring problem;
  if (!ParseConsoleArguments(ProgramArguments(), options, &problem)) {
    Complain(problem);
    Write(STD_ERROR_HANDLE, ConsoleUsage());
    return 2;
  }
  if (options.help) {
    Say(ConsoleUsage());
    return 0;
  }
  JobRequest request;
  for (const std::wstring& source : options.sources) request.inputs.push_back(FullPath(source));
  request.target = FullPath(options.out);
  if (options.sourceZone) request.sourceZone = ToUtf8(*options.sourceZone);
  // --zone stands in for the recording time zone of the settings.
  if (options.zone) {
    if (*options.zone != L"none") request.playbackZone = ToUtf8(*options.zone);
    request.playbackZoneOrigin = L"--zone";
  } else {
    request.playbackZone = ToUtf8(ReadUserSettings().recordingTimeZone);
    request.playbackZoneOrigin = std::wstring(kRecordingTimeZoneSetting) + L" in " + kSettingsKeyFull;
  }
  request.price = options.price;
  request.symbol = ToUtf8(options.symbol);

  ConversionJob job(request);
  job.Start();
  job.Wait(INFINITE);
  const JoinResult& result = job.Result();
  for (const SourceResult& s : result.sources) {
    Say(FromAnsi(s.name) + L": " +
        FromAnsi(DescribeConversion(s.finding, s.sourceZone, request.playbackZone, s.price)) + L"; " +
        std::to_wstring(s.ticks) + (s.ticks == 1 ? L" tick\r\n" : L" ticks\r\n"));
  }
  switch (job.Outcome()) {
    case JobOutcome::Done:
      Say(std::to_wstring(job.Ticks()) + (job.Ticks() == 1 ? L" tick" : L" ticks") + L" written to " + request.target +
          L"\r\n");
      return 0;
    case JobOutcome::BadInput:
      if (result.outcome == JoinOutcome::BadInput) {
        const std::wstring& file = request.inputs[result.source];
        std::wstring place = FromAnsi(ErrorPlace(result.error));
        place[0] = static_cast<wchar_t>(std::towlower(place[0]));
        Complain(file + L", " + place + L": " + FromAnsi(result.error.problem) + L"; " + request.target +
                 L" was left as it was");
      } else {
        Complain(job.Message());
      }
      return 2;
    default:
      Complain(job.Message());
      return 1;
  }
}

}  // namespace

int main() { return Run(); }
