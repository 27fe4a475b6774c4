// The two forward buttons of the main window, "Forward ticks" and "Forward mins".
#include <exception>

#include "common/message_box_win.h"
#include "common/win_text_win.h"
#include "station/platform/chart_writer_com_win.h"
#include "station/window/frmzavo_win.h"
#include "station/engine/station_texts.h"

namespace tickvane {
namespace {

// Counts are typed in the user's number format; "." is read as well, since it is what most
// people type whatever their settings say.
std::wstring UserDecimalSeparator() {
  wchar_t separator[8] = {};
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return L".";
  return separator;
}

MainControlId BoxOf(ForwardBox box) {
  switch (box) {
    case ForwardBox::tick: return MainControlId::tick;
    case ForwardBox::for_min: return MainControlId::for_min;
    case ForwardBox::time: return MainControlId::time;
  }
  return MainControlId::time;
}

}  // namespace

void Frmzavo::Forward_Click() {
  try {
    ForwardTicksCommand(*this, station, UserDecimalSeparator());
  } catch (const std::exception& e) {
    ShowNotice(L"Forward ticks failed: " + FromUtf8(e.what()));
  }
}

void Frmzavo::for_mins_Click() {
  // No exception may leave a window procedure; the command runs inside the replay's hand-overs.
  try {
    if (!writerFactory_) writerFactory_ = MakeComChartWriterFactory();
    ForwardMinutesCommand(*this, station, *writerFactory_, UserDecimalSeparator());
  } catch (const std::exception& e) {
    ShowNotice(L"Forward mins failed: " + FromUtf8(e.what()));
  }
}

std::wstring Frmzavo::BoxText(ForwardBox box) { return Text(BoxOf(box)); }

void Frmzavo::SetBoxText(ForwardBox box, std::wstring_view text) { SetText(BoxOf(box), text); }

}  // namespace tickvane
