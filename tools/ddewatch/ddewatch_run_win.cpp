#include "tools/ddewatch/ddewatch_run_win.h"

#include <windows.h>

#include <chrono>
#include <set>
#include <string>

#include "common/memory_headroom_win.h"
#include "common/win_text_win.h"
#include "tools/ddewatch/dde_client_win.h"

namespace tickvane {
namespace {

constexpr DWORD kRetryMs = 100;

bool SameDdeName(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

class LineWriter {
 public:
  LineWriter(std::FILE* out, bool timestamps)
      : out_(out), timestamps_(timestamps), start_(std::chrono::steady_clock::now()) {}

  void Write(std::wstring_view item, std::string_view value) {
    std::string line;
    if (timestamps_) {
      auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
      line = std::to_string(ms.count()) + '\t';
    }
    line += ToAnsi(item);
    line += '\t';
    line += EscapeLineBreaks(value);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out_);
    // Scripts and pipes read the updates as they come.
    std::fflush(out_);
  }

 private:
  std::FILE* out_;
  bool timestamps_;
  std::chrono::steady_clock::time_point start_;
};

void Complain(std::FILE* err, const std::wstring& text) {
  std::string line = "ddewatch: " + ToAnsi(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), err);
  std::fflush(err);
}

bool QuitPosted() {
  MSG msg;
  return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

bool ConnectWithin(DdeClient& client, const WatchOptions& options, std::wstring* error) {
  ULONGLONG deadline = ::GetTickCount64() + options.waitMs;
  for (;;) {
    if (client.Connect(options.service, options.topic, error)) return true;
    ULONGLONG now = ::GetTickCount64();
    if (now >= deadline || QuitPosted()) return false;
    // Keep the thread's messages moving between tries; a WM_QUIT ends the wait.
    DWORD pause = static_cast<DWORD>(std::min<ULONGLONG>(kRetryMs, deadline - now));
    if (!PumpMessagesUntil([] { return false; }, pause) && QuitPosted()) return false;
  }
}

// The user's spelling of the item, which the server may have spelled differently.
std::wstring_view AsGiven(const WatchOptions& options, const std::wstring& item) {
  for (const std::wstring& given : options.items)
    if (SameDdeName(given, item)) return given;
  return item;
}

}  // namespace

int RunWatch(const WatchOptions& options, std::FILE* out, std::FILE* err) {
  LineWriter writer(out, options.timestamps);
  DdeClient client;
  std::wstring error;
  if (!ConnectWithin(client, options, &error)) {
    if (QuitPosted()) return 0;
    Complain(err, error);
    return 2;
  }

  auto broken = [&](const std::wstring& item) {
    Complain(err, L"the conversation with service \"" + options.service + L"\" on topic \"" + options.topic +
                      L"\" broke while reading item \"" + item + L"\": " + client.LastErrorText());
    return 2;
  };

  // Links first, then the current values: a change that comes in between is then printed as
  // an update after the values, never lost.
  std::set<std::wstring> refused;
  if (!options.once) {
    std::vector<std::wstring> linked;
    for (const std::wstring& item : options.items) {
      bool again = false;
      for (const std::wstring& l : linked) again = again || SameDdeName(l, item);
      if (again) continue;
      if (client.StartAdvise(item)) {
        linked.push_back(item);
      } else if (client.LastError() == DMLERR_NOTPROCESSED) {
        refused.insert(item);
      } else {
        return broken(item);
      }
    }
  }
  for (const std::wstring& item : options.items) {
    if (refused.count(item) != 0) continue;
    std::optional<std::string> value = client.Request(item);
    if (value) {
      writer.Write(item, *value);
    } else if (client.LastError() == DMLERR_NOTPROCESSED) {
      refused.insert(item);
    } else {
      return broken(item);
    }
  }
  if (!refused.empty()) {
    for (const std::wstring& item : options.items)
      if (refused.count(item) != 0)
        Complain(err, L"service \"" + options.service + L"\" on topic \"" + options.topic +
                          L"\" refused item \"" + item + L"\"");
    return 3;
  }
  if (options.once) return 0;

  auto reportHeadroom = [&](const wchar_t* when) {
    if (options.headroom)
      Complain(err, L"movable memory headroom " + std::to_wstring(MovableMemoryHeadroom()) + L" " + when);
  };
  reportHeadroom(L"at start");
  uint64_t printed = 0;
  for (;;) {
    for (DdeUpdate& update : client.TakeUpdates()) {
      writer.Write(AsGiven(options, update.item), update.value);
      if (options.count && ++printed >= *options.count) {
        reportHeadroom(L"at end");
        return 0;
      }
    }
    if (!client.Connected()) break;
    bool woke = PumpMessagesUntil([&] { return client.PendingUpdates() != 0 || !client.Connected(); }, INFINITE);
    if (!woke && client.PendingUpdates() == 0) break;  // interrupted
  }
  reportHeadroom(L"at end");
  return 0;
}

}  // namespace tickvane
