// A classic DDE client that speaks the WM_DDE_* messages itself, as programs did before DDEML,
// so that tests can check what a DDEML server answers to them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/handle_owners_win.h"

namespace tickvane::testing {

struct DdeRawPartner {
  HWND window = nullptr;
  std::wstring service;
  std::wstring topic;
};

enum class DdeRawKind { Ack, Data, Terminate };
enum class DdeRawAbout { None, Request, Advise, Unadvise, Poke, Execute };

// One message the partner sent.
struct DdeRawEvent {
  DdeRawKind kind = DdeRawKind::Ack;
  DdeRawAbout about = DdeRawAbout::None;  // Ack: the transaction it answers
  std::wstring item;                      // Ack and Data (not for an execute)
  WORD status = 0;                        // Ack: wStatus
  bool response = false;                  // Data: answer to a request, not an advise
  bool release = false;                   // Data: the sender left the memory to us (fRelease)
  bool ackReq = false;                    // Data: the sender asked for an acknowledgement
  UINT format = 0;                        // Data
  std::string value;                      // Data: up to the first NUL

  bool positive() const { return (status & 0x8000) != 0; }
};

// Lives on one thread; answers arrive while that thread pumps messages.
class DdeRawClient {
 public:
  DdeRawClient();
  ~DdeRawClient();
  DdeRawClient(const DdeRawClient&) = delete;
  DdeRawClient& operator=(const DdeRawClient&) = delete;

  // Sends WM_DDE_INITIATE to every top-level window; an empty name asks for any. Every
  // answer opens a conversation: all are terminated again unless keepFirst keeps the first
  // as the partner.
  std::vector<DdeRawPartner> Initiate(std::wstring_view service, std::wstring_view topic, bool keepFirst);
  bool Connect(std::wstring_view service, std::wstring_view topic) {
    return !Initiate(service, topic, true).empty();
  }
  HWND Partner() const { return partner_; }

  // Each posts one message to the partner; the answers come as events. Wait for the answer
  // before posting the next transaction, as the protocol asks.
  bool PostRequest(std::wstring_view item, UINT format);
  bool PostAdvise(std::wstring_view item, UINT format, bool ackReq);
  bool PostUnadvise(std::wstring_view item, UINT format);
  bool PostPoke(std::wstring_view item, std::string_view text);
  bool PostExecute(std::wstring_view command);
  bool PostTerminate();

  const std::vector<DdeRawEvent>& Events() const { return events_; }
  // The events so far, handed over; later ones start a new list.
  std::vector<DdeRawEvent> TakeEvents() { return std::exchange(events_, {}); }
  size_t CountOf(DdeRawKind kind) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnAck(HWND from, LPARAM lParam);
  void OnData(HWND from, LPARAM lParam);
  void OnTerminate(HWND from);
  bool Post(UINT message, LPARAM lParam, DdeRawAbout about, HGLOBAL memory);

  UniqueWindow window_;
  HWND partner_ = nullptr;
  bool initiating_ = false;
  bool terminating_ = false;
  std::vector<DdeRawPartner> answers_;
  std::vector<DdeRawEvent> events_;
  DdeRawAbout pending_ = DdeRawAbout::None;
  HGLOBAL pendingMemory_ = nullptr;  // ours to free unless the partner takes it
  int strayAcks_ = 0;
};

}  // namespace tickvane::testing
