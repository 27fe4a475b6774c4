#include "converter/conversion_job_win.h"

#include <memory>
#include <new>
#include <string>

#include "common/win_text.h"
#include "converter/column_map.h"
#include "converter/epf_header.h"
#include "converter/tick_converter.h"

namespace tickvane::converter {
namespace {

constexpr DWORD kPiece = 1 << 20;  // bytes read at a time; records are written in batches as large

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

}  // namespace

ConversionJob::ConversionJob(std::wstring input, std::wstring target)
    : input_(std::move(input)), target_(std::move(target)) {}

ConversionJob::~ConversionJob() {
  if (thread_ && !abandoned_) {
    Cancel();
    Wait(INFINITE);
  }
}

void ConversionJob::Start() {
  // The new file is made beside the old one, so that the rename at the end stays on one volume.
  std::wstring folder = FolderOf(target_);
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
  std::int64_t size = size_.load();
  if (size < 0) return -1;
  if (size == 0) return 1000;
  return static_cast<int>(done_.load() * 1000 / size);
}

DWORD WINAPI ConversionJob::ThreadProc(void* self) {
  static_cast<ConversionJob*>(self)->Run();
  return 0;
}

void ConversionJob::Run() {
  JobOutcome outcome = JobOutcome::Failed;
  try {
    outcome = Convert();
  } catch (const std::bad_alloc&) {
    message_ = L"There was not enough memory to convert " + input_ + L".";
  } catch (...) {
    message_ = L"The conversion of " + input_ + L" failed unexpectedly.";
  }
  if (outcome != JobOutcome::Done) ::DeleteFileW(temporary_.c_str());
  outcome_ = outcome;
}

bool ConversionJob::WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  return bytes.empty() ||
         (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
}

JobOutcome ConversionJob::Convert() {
  UniqueFile in(::CreateFileW(input_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!in) {
    message_ = L"The file " + input_ + L" could not be opened: " + SystemErrorText(::GetLastError());
    return JobOutcome::Failed;
  }
  LARGE_INTEGER size{};
  if (::GetFileType(in.get()) == FILE_TYPE_DISK && ::GetFileSizeEx(in.get(), &size)) size_ = size.QuadPart;

  std::wstring folder = FolderOf(target_);
  UniqueFile out(::CreateFileW(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) {
    message_ = L"No new playback file could be made in " + folder + L": " + SystemErrorText(::GetLastError());
    return JobOutcome::Failed;
  }

  auto writeFailed = [&] {
    message_ = L"The playback file could not be written in " + folder + L": " + SystemErrorText(::GetLastError());
    return JobOutcome::Failed;
  };
  TickConverter converter(SymbolFromFileName(ToAnsi(input_)));
  std::string records = EpfHeader(ToAnsi(input_), ToAnsi(Now()));
  records.reserve(2 * kPiece + 4096);
  std::unique_ptr<char[]> buffer(new char[kPiece]);
  bool ok = true;
  for (;;) {
    if (cancel_) return JobOutcome::Cancelled;
    DWORD got = 0;
    if (!::ReadFile(in.get(), buffer.get(), kPiece, &got, nullptr)) {
      DWORD error = ::GetLastError();
      if (error == ERROR_BROKEN_PIPE) break;  // the writing end of a pipe closed: its end of file
      if (cancel_) return JobOutcome::Cancelled;
      message_ = L"The file " + input_ + L" could not be read: " + SystemErrorText(error);
      return JobOutcome::Failed;
    }
    if (got == 0) break;
    ok = converter.Feed(std::string_view(buffer.get(), got), records);
    if (!ok) break;
    done_ += got;
    if (records.size() >= kPiece) {
      if (!WriteAll(out.get(), records)) return writeFailed();
      records.clear();
    }
  }
  ok = ok && converter.Finish(records);
  if (!ok) {
    const ConversionError& e = converter.Error();
    message_ = L"The file " + input_ + L" could not be converted.\r\n\r\nLine " + std::to_wstring(e.line) + L": " +
               FromAnsi(e.problem) + L".\r\n\r\nNothing was started, and " + FolderOf(target_) +
               L"\\practice.EPF was left as it was.";
    return JobOutcome::BadInput;
  }
  if (cancel_) return JobOutcome::Cancelled;
  if (!WriteAll(out.get(), records) || !::FlushFileBuffers(out.get())) return writeFailed();
  out.reset();
  ticks_ = converter.Ticks();
  if (!::MoveFileExW(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    message_ = L"The new playback file could not replace " + target_ + L": " + SystemErrorText(::GetLastError()) +
               L"\r\n\r\nIs the station still running and replaying it?";
    return JobOutcome::Failed;
  }
  return JobOutcome::Done;
}

}  // namespace tickvane::converter
