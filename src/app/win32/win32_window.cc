// The Win32 converter window: its controls, their layout, fonts and colours,
// and the events it forwards to the logic.
#include "app/win32/win32_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include "app/wide_text.h"
#include "app/win32/summary_window.h"
#include "helpers/encoding.h"

namespace s1ordo {
namespace {

constexpr COLORREF kGrey = RGB(192, 192, 192);
// Posted to activate a folder list's entry once its notification is over:
// wparam the side, lparam the entry.
constexpr UINT kActivateFolder = WM_APP + 1;
// The drive lists' drop-down part, beyond the place of the list itself.
constexpr int kDropDownTwips = 3000;

std::wstring W(std::string_view utf8) { return WideText(utf8); }
std::wstring W(std::u8string_view utf8) {
  return WideText(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The first family of kFontFamilies the system has; empty when none.
std::wstring UiFontFace() {
  HDC screen = GetDC(nullptr);
  std::wstring face;
  for (const char* family : kFontFamilies) {
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const std::wstring name = W(std::string_view(family));
    name.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    if (found) {
      face = name;
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  return face;
}

struct ClassAndStyle {
  const wchar_t* name;
  DWORD style;
  DWORD ex_style;
};

ClassAndStyle ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kBackground:
      // Without WS_CLIPCHILDREN: the frames do not paint what they enclose.
      return {kBackgroundClass, 0, WS_EX_CONTROLPARENT | WS_EX_STATICEDGE};
    case ControlKind::kLabel:
      return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case ControlKind::kPathBox:
      return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::kFrame:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case ControlKind::kFolderList:
      return {WC_TREEVIEWW, TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::kDriveList:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::kBoreholeList:
      return {WC_LISTBOXW, LBS_MULTIPLESEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::kButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::kProgress:
      return {PROGRESS_CLASSW, PBS_SMOOTH, 0};
  }
  return {WC_STATICW, 0, 0};
}

void RegisterClasses(HINSTANCE instance, WNDPROC procedure, HBRUSH background) {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = background;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  window_class.lpszClassName = kMainWindowClass;
  RegisterClassExW(&window_class);
  window_class.hIcon = nullptr;
  window_class.lpszClassName = kBackgroundClass;
  RegisterClassExW(&window_class);
}

// A message box: Japanese buttons where the system has them, the icon of
// the kind.
bool ShowMessageBox(HWND owner, const std::string& text, MessageKind kind, const std::string& title) {
  UINT type = MB_OK;
  switch (kind) {
    case MessageKind::kWarning:
      type = MB_OK | MB_ICONEXCLAMATION;
      break;
    case MessageKind::kNotice:
      type = MB_OK;
      break;
    case MessageKind::kQuestion:
      type = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
      break;
    case MessageKind::kInformation:
      type = MB_OK | MB_ICONINFORMATION;
      break;
    case MessageKind::kError:
      type = MB_OK | MB_ICONERROR;
      break;
  }
  const int answer = MessageBoxExW(owner, W(text).c_str(), W(title).c_str(), type | MB_SETFOREGROUND,
                                   MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN));
  return kind != MessageKind::kQuestion || answer == IDYES;
}

}  // namespace

Win32Window::Win32Window(Session& session, Desktop& desktop) : grey_(CreateSolidBrush(kGrey)) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterClasses(instance, Procedure, grey_);
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  window_ = CreateWindowExW(0, kMainWindowClass, W(DisplayText(ApplicationTitle())).c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, this);
  RECT frame = {0, 0, TwipsToPixels(kInitialWidth, Dpi()), TwipsToPixels(kInitialHeight, Dpi())};
  AdjustWindowRectExForDpi(&frame, style, FALSE, 0, Dpi());
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CreateControls();
  ApplyFont();
  PlaceControls();
  ConverterWindowView& view = *this;
  logic_ = std::make_unique<ConverterWindowLogic>(session, desktop, view);
}

Win32Window::~Win32Window() {
  SetBusy(false);
  if (IsWindow(window_)) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
  if (folder_icons_) ImageList_Destroy(folder_icons_);
  DeleteObject(grey_);
}

void Win32Window::Show(int show_command) {
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
}

void Win32Window::CreateControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (int i = 0; i < kControlCount; ++i) {
    const ControlSpec& spec = Spec(static_cast<Control>(i));
    const ClassAndStyle c = ClassOf(spec.kind);
    // The message line leaves the progress bar over it alone.
    const DWORD clip = static_cast<Control>(i) == Control::kMessageLine ? WS_CLIPSIBLINGS : 0;
    controls_[i] = CreateWindowExW(c.ex_style, c.name, W(spec.caption).c_str(), WS_CHILD | WS_VISIBLE | clip | c.style,
                                   0, 0, 0, 0, i == 0 ? window_ : controls_[0],
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(static_cast<Control>(i)))),
                                   instance, i == 0 ? this : nullptr);
  }
  // Frames under everything they hold, the progress bar over the message
  // line; the tab order of the rest stays their order of creation.
  for (int i = 0; i < kControlCount; ++i) {
    if (Spec(static_cast<Control>(i)).kind == ControlKind::kFrame)
      SetWindowPos(controls_[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  SetWindowPos(Get(Control::kProgress), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(Get(Control::kProgress), SW_HIDE);
  SetWindowSubclass(Get(Control::kProgress), ProgressProcedure, 1, reinterpret_cast<DWORD_PTR>(this));

  folder_icons_ =
      ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 2, 0);
  // The shell's closed and open folder (icons 3 and 4 of shell32.dll where
  // the stock icons are missing).
  for (SHSTOCKICONID id : {SIID_FOLDER, SIID_FOLDEROPEN}) {
    SHSTOCKICONINFO stock = {};
    stock.cbSize = sizeof stock;
    HICON icon = nullptr;
    if (FAILED(SHGetStockIconInfo(id, SHGSI_ICON | SHGSI_SMALLICON, &stock)) || !(icon = stock.hIcon))
      ExtractIconExW(L"shell32.dll", id == SIID_FOLDER ? 3 : 4, nullptr, &icon, 1);
    if (icon) {
      ImageList_AddIcon(folder_icons_, icon);
      DestroyIcon(icon);
    }
  }
  for (Side side : {Side::kSource, Side::kDestination}) {
    TreeView_SetImageList(Folders(side), folder_icons_, TVSIL_NORMAL);
    TreeView_SetIndent(Folders(side), 12);
  }
}

void Win32Window::ApplyFont() {
  static const std::wstring face = UiFontFace();
  LOGFONTW font = {};
  if (face.empty()) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, Dpi());
    font = metrics.lfMessageFont;
  } else {
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    font.lfCharSet = DEFAULT_CHARSET;
  }
  font.lfHeight = -MulDiv(kFontPoints, Dpi(), 72);
  HFONT old = font_;
  font_ = CreateFontIndirectW(&font);
  for (HWND control : controls_) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  if (old) DeleteObject(old);
}

void Win32Window::PlaceControls() {
  if (!controls_[0]) return;
  RECT client;
  GetClientRect(window_, &client);
  const int dpi = Dpi();
  const auto places = LayOut(PixelsToTwips(client.right, dpi), PixelsToTwips(client.bottom, dpi));
  for (int i = 0; i < kControlCount; ++i) {
    const ControlSpec& spec = Spec(static_cast<Control>(i));
    Place p = places[i];
    // Every control but the background lies on the background itself.
    if (i != 0 && spec.container != Control::kBackground) {
      p.left += places[static_cast<int>(spec.container)].left;
      p.top += places[static_cast<int>(spec.container)].top;
    }
    if (spec.kind == ControlKind::kDriveList) p.height += kDropDownTwips;
    MoveWindow(controls_[i], TwipsToPixels(p.left, dpi), TwipsToPixels(p.top, dpi), TwipsToPixels(p.width, dpi),
               TwipsToPixels(p.height, dpi), TRUE);
  }
}

int Win32Window::Dpi() const {
  const UINT dpi = window_ ? GetDpiForWindow(window_) : 0;
  return dpi ? static_cast<int>(dpi) : 96;
}

LRESULT CALLBACK Win32Window::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->Handle(hwnd, message, wparam, lparam) : DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT Win32Window::Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (lparam) OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wparam), kGrey);
      return reinterpret_cast<LRESULT>(grey_);
    case WM_SETCURSOR:
      if (!busy_) break;
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      return TRUE;
    case WM_MOUSEMOVE: {
      // Windows also sends one when a window under a still pointer changes:
      // only a pointer that moved since the end of the last run counts.
      POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ClientToScreen(hwnd, &at);
      if (hwnd == Get(Control::kBackground) && logic_ && (at.x != still_.x || at.y != still_.y))
        logic_->OnBackgroundMouseMove();
      return 0;
    }
  }
  if (hwnd != window_) return DefWindowProcW(hwnd, message, wparam, lparam);
  switch (message) {
    case WM_SIZE:
      PlaceControls();
      return 0;
    case WM_GETMINMAXINFO: {
      RECT frame = {0, 0, TwipsToPixels(kInitialWidth, Dpi()), TwipsToPixels(kInitialHeight, Dpi())};
      AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE, 0, Dpi());
      reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
      return 0;
    }
    case WM_DPICHANGED: {
      ApplyFont();
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case kActivateFolder:
      logic_->OnFolderActivated(static_cast<Side>(wparam), static_cast<int>(lparam));
      return 0;
    case WM_CLOSE:
      if (!logic_ || logic_->CanClose()) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Win32Window::OnCommand(int id, int code) {
  if (!logic_) return;
  if (id == ControlId(Control::kConvertButton) && code == BN_CLICKED) logic_->OnConvertClicked();
  if (id == ControlId(Control::kExitButton) && code == BN_CLICKED) logic_->OnExitClicked();
  for (Side side : {Side::kSource, Side::kDestination}) {
    if (id == GetDlgCtrlID(Drives(side)) && code == CBN_SELCHANGE)
      logic_->OnDriveChanged(side, static_cast<int>(SendMessageW(Drives(side), CB_GETCURSEL, 0, 0)));
  }
}

void Win32Window::OnNotify(const NMHDR& header) {
  if (header.code != NM_DBLCLK) return;
  for (Side side : {Side::kSource, Side::kDestination}) {
    if (header.hwndFrom != Folders(side)) continue;
    TVHITTESTINFO hit = {};
    const DWORD at = GetMessagePos();
    hit.pt = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ScreenToClient(header.hwndFrom, &hit.pt);
    if (TreeView_HitTest(header.hwndFrom, &hit) && (hit.flags & TVHT_ONITEM)) {
      TreeView_SelectItem(header.hwndFrom, hit.hItem);
      ActivateSelectedFolder(header.hwndFrom);
    }
  }
}

void Win32Window::ActivateSelectedFolder(HWND tree) {
  TVITEMW item = {};
  item.mask = TVIF_PARAM;
  item.hItem = TreeView_GetSelection(tree);
  if (!item.hItem || !TreeView_GetItem(tree, &item)) return;
  const Side side = tree == Folders(Side::kSource) ? Side::kSource : Side::kDestination;
  PostMessageW(window_, kActivateFolder, static_cast<WPARAM>(side), item.lParam);
}

bool Win32Window::PreTranslate(MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
    for (Side side : {Side::kSource, Side::kDestination}) {
      if (msg.hwnd != Folders(side)) continue;
      ActivateSelectedFolder(msg.hwnd);
      return true;
    }
  }
  return IsDialogMessageW(window_, &msg) != 0;
}

LRESULT CALLBACK Win32Window::ProgressProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                                DWORD_PTR data) {
  if (message != WM_PAINT) return DefSubclassProc(hwnd, message, wparam, lparam);
  reinterpret_cast<Win32Window*>(data)->PaintProgress(hwnd);
  return 0;
}

void Win32Window::PaintProgress(HWND bar) {
  // The bar as it draws itself, with its text (the borehole in hand) on it.
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(bar, &paint);
  RECT area;
  GetClientRect(bar, &area);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
  HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
  DefSubclassProc(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
  wchar_t text[512];
  GetWindowTextW(bar, text, 512);
  HGDIOBJ old_font = SelectObject(memory, font_);
  SetBkMode(memory, TRANSPARENT);
  DrawTextW(memory, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  BitBlt(screen, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old_font);
  SelectObject(memory, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(bar, &paint);
}

HWND Win32Window::PathBoxControl(s1ordo::PathBox box) const {
  return Get(box == PathBox::kDestination ? Control::kDestinationPathBox : Control::kSourcePathBox);
}

HWND Win32Window::Folders(Side side) const {
  return Get(side == Side::kSource ? Control::kSourceFolderList : Control::kDestinationFolderList);
}

HWND Win32Window::Drives(Side side) const {
  return Get(side == Side::kSource ? Control::kSourceDriveList : Control::kDestinationDriveList);
}

void Win32Window::CentreOnScreen() {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT frame;
  GetWindowRect(window_, &frame);
  const RECT& work = monitor.rcWork;
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - (frame.right - frame.left)) / 2,
               work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Win32Window::PathBoxText(PathBox box) {
  const int length = GetWindowTextLengthW(PathBoxControl(box));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(PathBoxControl(box), text.data(), length + 1)));
  return Utf8Text(text);
}

void Win32Window::SetPathBoxText(PathBox box, const std::string& text) {
  SetWindowTextW(PathBoxControl(box), W(text).c_str());
}

void Win32Window::FocusAndSelectAll(PathBox box) {
  SetFocus(PathBoxControl(box));
  SendMessageW(PathBoxControl(box), EM_SETSEL, 0, -1);
}

void Win32Window::ShowFolders(Side side, const std::vector<FolderEntry>& entries, int current) {
  HWND tree = Folders(side);
  SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
  TreeView_DeleteAllItems(tree);
  std::vector<HTREEITEM> last_at_depth;
  HTREEITEM current_item = nullptr;
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    const FolderEntry& entry = entries[i];
    std::wstring label = W(entry.label);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = entry.depth == 0 ? TVI_ROOT : last_at_depth[entry.depth - 1];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = label.data();
    insert.item.lParam = i;
    insert.item.iImage = insert.item.iSelectedImage = entry.open ? 1 : 0;
    last_at_depth.resize(entry.depth + 1);
    last_at_depth[entry.depth] = TreeView_InsertItem(tree, &insert);
    if (i == current) current_item = last_at_depth[entry.depth];
  }
  for (HTREEITEM item : last_at_depth) TreeView_Expand(tree, item, TVE_EXPAND);
  if (current_item) {
    TreeView_SelectItem(tree, current_item);
    TreeView_SelectSetFirstVisible(tree, current_item);
  }
  SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree, nullptr, TRUE);
}

void Win32Window::ShowDrives(const std::vector<std::string>& labels) {
  for (Side side : {Side::kSource, Side::kDestination}) {
    SendMessageW(Drives(side), CB_RESETCONTENT, 0, 0);
    for (const std::string& label : labels)
      SendMessageW(Drives(side), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(label).c_str()));
  }
}

void Win32Window::SelectDrive(Side side, int index) { SendMessageW(Drives(side), CB_SETCURSEL, index, 0); }

void Win32Window::ShowBoreholes(const std::vector<std::string>& names) {
  HWND list = Get(Control::kBoreholeList);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : names) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(name).c_str()));
}

bool Win32Window::IsBoreholeSelected(int i) { return SendMessageW(Get(Control::kBoreholeList), LB_GETSEL, i, 0) > 0; }

void Win32Window::DeselectBorehole(int i) { SendMessageW(Get(Control::kBoreholeList), LB_SETSEL, FALSE, i); }

void Win32Window::SetMessageLine(const std::string& text) {
  SetWindowTextW(Get(Control::kMessageLine), W(text).c_str());
}

bool Win32Window::ShowMessage(const std::string& text, MessageKind kind, const std::string& title) {
  return ShowMessageBox(window_, text, kind, title);
}

void Win32Window::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32Window::ProcessEvents() {
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!PreTranslate(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void Win32Window::ShowProgress(int finished, int total, const std::string& text) {
  HWND bar = Get(Control::kProgress);
  SendMessageW(bar, PBM_SETRANGE32, 0, total);
  SendMessageW(bar, PBM_SETPOS, finished, 0);
  SetWindowTextW(bar, W(text).c_str());
  ShowWindow(bar, SW_SHOWNA);
  InvalidateRect(bar, nullptr, TRUE);
}

void Win32Window::HideProgress() {
  ShowWindow(Get(Control::kProgress), SW_HIDE);
  SendMessageW(Get(Control::kProgress), PBM_SETPOS, 0, 0);
}

void Win32Window::EnableControls(bool enabled, bool restore_focus) {
  if (!enabled) had_focus_ = GetFocus();
  for (Control c : {Control::kConvertButton, Control::kExitButton, Control::kBoreholeList, Control::kSourceFolderList,
                    Control::kDestinationFolderList, Control::kSourceDriveList, Control::kDestinationDriveList})
    EnableWindow(Get(c), enabled);
  if (enabled && restore_focus && IsWindow(had_focus_)) SetFocus(had_focus_);
  if (enabled) GetCursorPos(&still_);
}

void Win32Window::Close() { PostMessageW(window_, WM_CLOSE, 0, 0); }

void Win32Window::ShowRunSummary(const std::string& summary, const std::string& details) {
  ShowSummaryWindow(window_, font_, Dpi(), summary, details);
}

}  // namespace s1ordo
