// Tickvane, the replay station.
#include <windows.h>
#include <commctrl.h>

#include "common/message_loop_win.h"
#include "common/single_instance_win.h"
#include "station/window/frmzavo_win.h"
#include "station/engine/station_texts.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  tickvane::SingleInstance instance(tickvane::kProgramName);
  tickvane::Frmzavo main(instance);
  if (!main.Create()) return 1;
  main.Form_Load();
  if (main.ShowsAfterLoad()) main.Show();
  return tickvane::RunMessageLoop();
}
