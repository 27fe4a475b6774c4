// Portvane, the launcher.
#include <windows.h>

#include "common/message_loop_win.h"
#include "common/single_instance_win.h"
#include "launcher/form1_win.h"
#include "launcher/launcher_texts.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tickvane::SingleInstance instance(tickvane::launcher::kProgramName);
  tickvane::launcher::Form1 form(instance);
  if (!form.Create()) return 1;
  form.Form_Load();
  form.Show();
  return tickvane::RunMessageLoop();
}
