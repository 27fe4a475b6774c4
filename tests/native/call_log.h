// One log of every call a fake makes, in order, with scripted actions that stand in for the user:
// they run when a given call is made for the n-th time (a Pause click during the 3rd event
// hand-over, a speed typed during a wait, a forward requested while a message is open).
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tickvane::replay_test {

class CallLog {
 public:
  // A replay that never ends (a wait that misses its exit) stops the test instead of hanging it.
  static constexpr std::size_t kLimit = 200000;

  // `kind` is what scripted actions are keyed on, `entry` what the log keeps.
  void Add(const std::string& kind, std::string entry) {
    if (calls.size() >= kLimit) throw std::runtime_error("the replay does not end: " + calls.back());
    calls.push_back(std::move(entry));
    const int n = ++counts_[kind];
    auto found = actions_.find({kind, n});
    if (found != actions_.end()) {
      auto action = std::move(found->second);
      actions_.erase(found);
      action();
    }
  }
  void At(const std::string& kind, int n, std::function<void()> action) { actions_[{kind, n}] = std::move(action); }
  int Count(const std::string& kind) const {
    auto found = counts_.find(kind);
    return found == counts_.end() ? 0 : found->second;
  }
  // The entries that start with one of the prefixes, in order.
  std::vector<std::string> Only(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> kept;
    for (const std::string& call : calls)
      for (std::string_view prefix : prefixes)
        if (std::string_view(call).substr(0, prefix.size()) == prefix) {
          kept.push_back(call);
          break;
        }
    return kept;
  }

  std::vector<std::string> calls;

 private:
  std::map<std::string, int> counts_;
  std::map<std::pair<std::string, int>, std::function<void()>> actions_;
};

// The station's texts are UTF-16; the logs and expectations of these tests are ASCII.
inline std::string Narrow(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}
inline std::wstring Wide(std::string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace tickvane::replay_test
