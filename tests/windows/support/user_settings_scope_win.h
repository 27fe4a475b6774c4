// The user's Tickvane settings for the length of a test: set as the test needs them, put back as
// they were afterwards, so that no other test (and no user of the prefix) sees them.
#pragma once

#include <optional>
#include <string>

namespace tickvane::test {

class UserSettingsScope {
 public:
  // Removes both settings until Set is called.
  UserSettingsScope();
  ~UserSettingsScope();
  UserSettingsScope(const UserSettingsScope&) = delete;
  UserSettingsScope& operator=(const UserSettingsScope&) = delete;

  // nullopt removes the value; a text (empty included) is written as it stands.
  void Set(std::optional<std::wstring> chartFolder, std::optional<std::wstring> recordingTimeZone);

 private:
  std::optional<std::wstring> savedFolder_, savedZone_;
};

}  // namespace tickvane::test
