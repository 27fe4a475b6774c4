// A DDEML client: one conversation with a server on one topic, requests, hot advise links,
// pokes and executes. Used by ddewatch and by the Windows tests.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/dde_owners_win.h"

namespace tickvane {

// One value sent over a hot advise link. value holds the CF_TEXT bytes as sent, up to the
// first NUL (system code page).
struct DdeUpdate {
  std::wstring item;  // as the server names it; DDE names compare without regard to case
  std::string value;
};

// Each client has a DDEML instance of its own (DDEML keeps one conversation per service and
// topic in an instance). Use it on the thread that created it: DDEML delivers its callbacks
// through that thread's messages, so updates arrive only while the thread pumps messages.
class DdeClient {
 public:
  DdeClient();
  ~DdeClient();
  DdeClient(const DdeClient&) = delete;
  DdeClient& operator=(const DdeClient&) = delete;

  // Opens a conversation. On failure returns false with the reason, naming service and topic.
  bool Connect(std::wstring_view service, std::wstring_view topic, std::wstring* error);
  // False before Connect and once either side has ended the conversation.
  bool Connected() const;
  void Disconnect();

  // The item's current value: the data bytes as sent (for CF_TEXT including the NUL).
  std::optional<std::vector<BYTE>> RequestData(std::wstring_view item, UINT format);
  // The item's current CF_TEXT value up to the first NUL.
  std::optional<std::string> Request(std::wstring_view item);

  // Opens a hot link: every change of the item is queued as a DdeUpdate.
  bool StartAdvise(std::wstring_view item, UINT format = CF_TEXT);
  bool StopAdvise(std::wstring_view item, UINT format = CF_TEXT);
  bool Poke(std::wstring_view item, std::string_view text);
  bool Execute(std::wstring_view command);

  // The DMLERR_* code of the last failed call, and its text.
  UINT LastError() const { return lastError_; }
  std::wstring LastErrorText() const;

  // Updates received so far and not yet taken, oldest first.
  std::deque<DdeUpdate> TakeUpdates();
  size_t PendingUpdates() const { return updates_.size(); }

  // How long a synchronous transaction may take.
  void SetTimeout(DWORD milliseconds) { timeoutMs_ = milliseconds; }

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                    ULONG_PTR data1, ULONG_PTR data2) noexcept;
  static DdeClient* FindByConversation(HCONV conv);
  HDDEDATA Transact(const void* bytes, DWORD size, std::wstring_view item, UINT format, UINT type);
  bool EnsureInstance(std::wstring* error);
  void DropStrayRequestAck();
  bool Acknowledged(HDDEDATA answer);
  void Forget();

  DdeInstance instance_;  // declared first: destroyed after the strings and the conversation
  UniqueDdeConversation conversation_;
  std::deque<DdeUpdate> updates_;
  UINT lastError_ = DMLERR_NO_ERROR;
  DWORD lastResult_ = 0;  // the flags of the last transaction's acknowledgement
  DWORD timeoutMs_ = 5000;
};

// Dispatches this thread's messages until done() holds (true) or the time is up (false).
// INFINITE waits for as long as it takes; a WM_QUIT ends the wait (false) and is posted again.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs);

}  // namespace tickvane
