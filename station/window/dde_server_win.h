// The station's DDE source: a DDEML server whose items are the texts of the window's controls.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tickvane {

// Answers what an item holds now. Item names compare case-insensitively, as DDE names do.
class DdeItemSource {
 public:
  virtual ~DdeItemSource() = default;
  // The item's current text, or nothing when no item of that name exists.
  virtual std::optional<std::wstring> ItemText(std::wstring_view item) const = 0;
};

// Who posts hot-link data and answers requests. Automatic: DDEML on Windows; under Wine the server
// itself, since Wine's DDEML keeps a movable memory block of every update and request for good and
// a process has only 65,536 (dde_wine_path_win.h). Ddeml: DDEML on every platform, for tests of
// that path under Wine.
enum class DdePosting { Automatic, Ddeml };

// One per process (DDEML's callback carries no context, so the running server is found through
// a single static pointer). Create, Start and call ItemChanged on the same thread: DDEML
// delivers its callbacks through that thread's message queue.
class DdeServer {
 public:
  DdeServer(std::wstring service, std::wstring topic, DdeItemSource& source,
            DdePosting posting = DdePosting::Automatic);
  ~DdeServer();
  DdeServer(const DdeServer&) = delete;
  DdeServer& operator=(const DdeServer&) = delete;

  // Registers the service name. On failure returns false with the reason in *error.
  bool Start(std::wstring* error);

  // From now on only this topic is served (new conversations; open ones keep theirs).
  void SetTopic(std::wstring topic);
  const std::wstring& Topic() const { return topic_; }

  // The text of this item has changed: every client linked to it is sent the new value,
  // in the order of these calls.
  void ItemChanged(std::wstring_view item);

  // Whether some client has a hot link to this item now: items that cost something to make are
  // then only made for the clients that want them.
  bool Linked(std::wstring_view item) const;

 private:
  // Implementation detail of the .cpp file.
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::wstring service_;
  std::wstring topic_;
  DdeItemSource& source_;
  DdePosting posting_;
};

}  // namespace tickvane
