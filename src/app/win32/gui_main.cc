// s1ordo-gui.exe: the converter's window on Windows.
#include "app/desktop.h"
#include "app/win32/win32_window.h"
#include "app/startup.h"
#include "run/session.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show_command) {
  const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX),
                                         ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  auto env = s1ordo::NewPlatformEnv();
  auto desktop = s1ordo::NewPlatformDesktop();
  s1ordo::Session session(*env);
  const auto ahead_envs = s1ordo::NewAheadEnvs();
  session.ahead_envs = s1ordo::Pointers(ahead_envs);
  s1ordo::Win32Window window(session, *desktop);
  if (!window.logic().StartUp()) return 3;
  window.Show(show_command);
  MSG msg = {};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
