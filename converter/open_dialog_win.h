// Asking the user for the recorded tick file to convert.
#pragma once

#include <optional>
#include <string>

namespace tickvane::converter {

// The open-file dialog, starting in folder with suggested (a file name in it) offered first when
// that file exists. nullopt when the user cancels.
std::optional<std::wstring> AskForTickFile(const std::wstring& folder, const std::wstring& suggested);

}  // namespace tickvane::converter
