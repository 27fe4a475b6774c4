// The part of Genvane's open-file dialog that shows, before converting, what Genvane finds in the
// picked file: its format, the zone its times are read in and the zone they are written in, the
// price taken, the symbol, and the first ticks as they will replay. The zone, the price and the
// symbol can be changed there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "converter/conversion_preview.h"
#include "converter/zone_name.h"

namespace tickvane::converter {

// What the user chose in the panel; nothing where the format's own choice stands.
struct FindingChoices {
  std::optional<std::string> sourceZone;  // a key name, a fixed offset, or empty for "as written"
  std::optional<PriceKind> price;
  std::string symbol;
};

class FindingPanel {
 public:
  // playbackZone: the zone the playback file is written in (empty: none); its rules, when known.
  FindingPanel(std::string playbackZone, const ZoneRules* playbackRules);

  // Makes the controls in the panel (a child dialog of the open-file dialog).
  void Create(HWND panel);
  // Once the dialog has laid out its own controls: the panel's go below them, and the dialog's
  // list gives up room when the panel needs more than the dialog made for it; the dialog is
  // moved onto the screen.
  void Arrange();
  // Looks at the dialog's current file name; shows the file's finding when it changed.
  void Refresh(bool force = false);
  // A combo box of the panel changed.
  void OnCommand(WORD id, WORD code);
  // The dialog is about to close with a file: the choices stand.
  void Keep();
  const FindingChoices& Choices() const { return choices_; }

 private:
  struct ZoneItem {
    std::wstring text;
    std::optional<std::string> zone;  // none: the format's own
  };
  HWND Control(int id) const { return ::GetDlgItem(panel_, id); }
  std::wstring CurrentPath(int* count) const;
  void Show();
  void FillZones();
  void FillPrices();
  void FillSymbols();
  FindingChoices ChoicesShown() const;

  struct Placed {
    HWND control;
    RECT units;  // in dialog units, from the panel's top
  };

  std::vector<Placed> placed_;
  std::string playbackZone_;
  const ZoneRules* playbackRules_;
  ZoneDirectory zones_;
  std::vector<std::pair<std::wstring, std::string>> systemZones_;  // display, key name
  HWND panel_ = nullptr;
  std::wstring path_;  // the file shown
  int files_ = 0;      // how many the file name box names
  Preview preview_;
  bool haveFinding_ = false;
  std::vector<ZoneItem> zoneItems_;
  std::vector<PriceKind> priceItems_;
  std::wstring symbolShown_;  // what the symbol box said when it was filled
  bool filling_ = false;      // the panel itself is changing the boxes
  FindingChoices picked_;     // the user's picks so far
  FindingChoices choices_;
};

// The in-memory dialog template of the panel (DLGTEMPLATE with its font), DWORD aligned.
std::vector<WORD> FindingPanelTemplate();

}  // namespace tickvane::converter
