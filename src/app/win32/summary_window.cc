// The Win32 summary box of a run: its controls, placed for the resolution,
// and the modal loop that waits for it to close.
#include "app/win32/summary_window.h"

#include <commctrl.h>

#include "app/wide_text.h"
#include "helpers/encoding.h"
#include "run/user_interface.h"

namespace s1ordo {
namespace {


LRESULT CALLBACK SummaryProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) DestroyWindow(hwnd);
      return 0;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void RegisterSummaryClass(HINSTANCE instance) {
  WNDCLASSEXW window_class = {};
  if (GetClassInfoExW(instance, kSummaryClass, &window_class)) return;
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = SummaryProcedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kSummaryClass;
  RegisterClassExW(&window_class);
}

// The edit control wants CR LF between its lines.
std::wstring WithCrLf(const std::string& utf8) {
  std::wstring text;
  for (wchar_t c : WideText(utf8)) {
    if (c == L'\n') text += L'\r';
    text += c;
  }
  return text;
}

HWND Child(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, DWORD ex_style, int id, RECT r,
           HFONT font) {
  HWND child = CreateWindowExW(ex_style, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return child;
}

// Creates the box's controls in a client area of width w (pixels), and
// gives its height.
int CreateControls(HWND box, HFONT font, int dpi, int w, const std::string& summary, const std::string& details) {
  auto px = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
  int y = px(10);
  const int summary_height = px(18) * 4;
  Child(box, WC_STATICW, WithCrLf(summary), SS_LEFT | SS_NOPREFIX, 0, kSummaryTextId,
        {px(12), y, w - px(12), y + summary_height}, font);
  y += summary_height + px(6);
  if (!details.empty()) {
    const DWORD style = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP;
    Child(box, WC_EDITW, WithCrLf(details), style, WS_EX_CLIENTEDGE, kDetailsTextId, {px(12), y, w - px(12), y + px(240)},
          font);
    y += px(240) + px(10);
  }
  HWND ok = Child(box, WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, IDOK,
                  {w - px(12) - px(96), y, w - px(12), y + px(28)}, font);
  SetFocus(ok);
  return y + px(28) + px(12);
}

// Dispatches messages until the box is gone; a quit on the way is kept for
// the main loop.
void WaitUntilClosed(HWND box) {
  MSG msg;
  while (IsWindow(box) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(box, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (IsWindow(box)) {  // WM_QUIT came first
    PostQuitMessage(static_cast<int>(msg.wParam));
    DestroyWindow(box);
  }
}

}  // namespace

void ShowSummaryWindow(HWND owner, HFONT font, int dpi, const std::string& summary, const std::string& details) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterSummaryClass(instance);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME, kSummaryClass, WideText(DisplayText(ApplicationTitle())).c_str(),
                             style, 0, 0, 0, 0, owner, nullptr, instance, nullptr);
  const int width = MulDiv(620, dpi, 96);
  const int height = CreateControls(box, font, dpi, width, summary, details);
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  RECT over;
  GetWindowRect(owner, &over);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  SetWindowPos(box, HWND_TOP, over.left + (over.right - over.left - w) / 2, over.top + (over.bottom - over.top - h) / 2,
               w, h, SWP_SHOWWINDOW);
  EnableWindow(owner, FALSE);
  WaitUntilClosed(box);
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
}

}  // namespace s1ordo
