#include "converter/conversion_job_win.h"

#include <memory>
#include <new>
#include <string>

#include "common/win_text_win.h"
#include "converter/file_source_win.h"
#include "converter/zone_directory_win.h"

namespace tickvane::converter {
namespace {

std::wstring Now() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  wchar_t text[32];
  swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return text;
}

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  DWORD written = 0;
  return bytes.empty() || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                           written == bytes.size());
}

}  // namespace

ConversionJob::ConversionJob(JobRequest request) : request_(std::move(request)) {}

ConversionJob::~ConversionJob() {
  if (thread_ && !abandoned_) {
    Cancel();
    Wait(INFINITE);
  }
}

void ConversionJob::Start() {
  // The zones the user named must exist before anything is read.
  const ZoneDirectory zones = SystemZoneDirectory();
  const struct {
    std::optional<std::string> name;
    std::wstring origin;
  } named[] = {{request_.sourceZone, L"for the ticks' times"},
               {request_.playbackZone.empty() ? std::nullopt : std::optional<std::string>(request_.playbackZone),
                request_.playbackZoneOrigin}};
  for (const auto& n : named) {
    if (n.name && !n.name->empty() && !ResolveZone(*n.name, &zones)) {
      message_ = L"The time zone \"" + FromUtf8(*n.name) + L"\" (" + n.origin +
                 L") is not a time zone of this computer. Name a Windows time zone such as \"Eastern Standard Time\" "
                 L"or an offset such as UTC-05:00.";
      outcome_ = JobOutcome::BadInput;
      return;
    }
  }
  // The new file is made beside the old one, so that the rename at the end stays on one volume.
  std::wstring folder = FolderOf(request_.target);
  wchar_t temporary[MAX_PATH + 1] = {};
  if (!::GetTempFileNameW(folder.c_str(), L"epf", 0, temporary)) {
    message_ = L"No new playback file could be made in " + folder + L": " + SystemErrorText(::GetLastError());
    outcome_ = JobOutcome::Failed;
    return;
  }
  temporary_ = temporary;
  thread_.reset(::CreateThread(nullptr, 0, &ConversionJob::ThreadProc, this, 0, nullptr));
  if (!thread_) {
    message_ = L"The conversion could not be started: " + SystemErrorText(::GetLastError());
    ::DeleteFileW(temporary_.c_str());
    outcome_ = JobOutcome::Failed;
  }
}

void ConversionJob::Cancel() {
  cancel_ = true;
  // A read from a pipe or a slow network share can block for long; cut it short.
  if (thread_) ::CancelSynchronousIo(thread_.get());
}

bool ConversionJob::Wait(DWORD timeoutMs) {
  return !thread_ || ::WaitForSingleObject(thread_.get(), timeoutMs) == WAIT_OBJECT_0;
}

void ConversionJob::Abandon() {
  abandoned_ = true;
  // The thread holds the file open, shared for deleting: it goes when the handle closes.
  ::DeleteFileW(temporary_.c_str());
}

int ConversionJob::Progress() const {
  std::int64_t size = progress_.total.load();
  if (size < 0) return -1;
  if (size == 0) return 1000;
  return static_cast<int>(progress_.done.load() * 1000 / size);
}

DWORD WINAPI ConversionJob::ThreadProc(void* self) {
  static_cast<ConversionJob*>(self)->Run();
  return 0;
}

void ConversionJob::Run() {
  JobOutcome outcome = JobOutcome::Failed;
  const std::wstring first = request_.inputs.empty() ? std::wstring() : request_.inputs[0];
  try {
    outcome = Convert();
  } catch (const std::bad_alloc&) {
    message_ = L"There was not enough memory to convert " + first + L".";
  } catch (...) {
    message_ = L"The conversion of " + first + L" failed unexpectedly.";
  }
  if (outcome != JobOutcome::Done) ::DeleteFileW(temporary_.c_str());
  outcome_ = outcome;
}

JobOutcome ConversionJob::Convert() {
  std::wstring folder = FolderOf(request_.target);
  UniqueFile out(::CreateFileW(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) {
    message_ = L"No new playback file could be made in " + folder + L": " + SystemErrorText(::GetLastError());
    return JobOutcome::Failed;
  }
  std::vector<std::unique_ptr<FileSource>> files;
  std::vector<TickSource*> sources;
  for (const std::wstring& input : request_.inputs) {
    files.push_back(std::make_unique<FileSource>(input));
    sources.push_back(files.back().get());
  }
  const ZoneDirectory zones = SystemZoneDirectory();
  std::optional<ZoneRules> playback;
  if (!request_.playbackZone.empty()) playback = ResolveZone(request_.playbackZone, &zones);
  JoinSettings settings;
  settings.when = ToAnsi(Now());
  settings.zones = &zones;
  settings.sourceZone = request_.sourceZone;
  settings.playbackZone = playback ? &*playback : nullptr;
  settings.playbackZoneName = playback ? request_.playbackZone : std::string();
  settings.price = request_.price;
  settings.symbol = request_.symbol;

  DWORD writeError = 0;
  result_ = JoinSources(
      sources, settings,
      [&](std::string_view bytes) {
        if (WriteAll(out.get(), bytes)) return true;
        writeError = ::GetLastError();
        return false;
      },
      cancel_, progress_);

  const std::wstring failed = result_.source < request_.inputs.size() ? request_.inputs[result_.source] : L"";
  switch (result_.outcome) {
    case JoinOutcome::Cancelled:
      return JobOutcome::Cancelled;
    case JoinOutcome::ReadFailed:
      message_ = L"The file " + failed + L" " + FromAnsi(result_.problem);
      return JobOutcome::Failed;
    case JoinOutcome::WriteFailed:
      message_ = L"The playback file could not be written in " + folder + L": " + SystemErrorText(writeError);
      return JobOutcome::Failed;
    case JoinOutcome::BadInput:
      message_ = L"The file " + failed + L" could not be converted.\r\n\r\n" + FromAnsi(ErrorPlace(result_.error)) +
                 L": " + FromAnsi(result_.error.problem) + L".\r\n\r\nNothing was started, and " + request_.target +
                 L" was left as it was.";
      return JobOutcome::BadInput;
    case JoinOutcome::Done:
      break;
  }
  if (cancel_) return JobOutcome::Cancelled;
  if (!::FlushFileBuffers(out.get())) {
    message_ = L"The playback file could not be written in " + folder + L": " + SystemErrorText(::GetLastError());
    return JobOutcome::Failed;
  }
  out.reset();
  if (!::MoveFileExW(temporary_.c_str(), request_.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    message_ = L"The new playback file could not replace " + request_.target + L": " +
               SystemErrorText(::GetLastError()) + L"\r\n\r\nIs the station still running and replaying it?";
    return JobOutcome::Failed;
  }
  return JobOutcome::Done;
}

}  // namespace tickvane::converter
