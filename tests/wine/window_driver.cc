// Drives s1ordo-gui.exe as a user would, through its controls: the source
// drive list to d:, the source folder list up to the drive's root and back
// into DIZIVAD, every borehole clicked, the destination typed, Execute
// pressed and every create-folder question answered yes; then the summary of
// the run, looked at and closed, a screenshot of the window and Exit. Every
// wait has a time limit.
//   s1ordo_window_driver GUI.EXE SCREENSHOT-PREFIX
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "app/wide_text.h"
#include "app/win32/win32_window.h"
// After win32_window.h, which sets up windows.h:
#include "app/win32/summary_window.h"

namespace {

using s1ordo::Control;
using s1ordo::ControlId;

HWND window = nullptr, background = nullptr;
PROCESS_INFORMATION gui = {};

HWND Find(Control control) { return GetDlgItem(background, ControlId(control)); }

std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  DWORD_PTR ignored;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &ignored);
  return text;
}

bool WaitFor(const std::function<bool()>& done, int milliseconds = 20000) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

int Fail(const char* what, const std::wstring& seen = L"") {
  std::fprintf(stderr, "window test: %s %s\n", what, s1ordo::Utf8Text(seen).c_str());
  TerminateProcess(gui.hProcess, 1);
  return 1;
}

// A visible message box of the window's process.
HWND MessageBoxOfGui() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND hwnd, LPARAM result) -> BOOL {
        wchar_t name[16];
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid != gui.dwProcessId || !IsWindowVisible(hwnd) || !GetClassNameW(hwnd, name, 16) ||
            std::wstring(name) != L"#32770")
          return TRUE;
        *reinterpret_cast<HWND*>(result) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void Put32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  const std::string body = type + data;
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : body) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
  Put32(png, static_cast<uint32_t>(data.size()));
  png += body;
  Put32(png, crc ^ 0xFFFFFFFFu);
}

// The screen under the window as an RGB PNG (deflate's stored blocks).
bool SaveScreenshot(HWND hwnd, const std::wstring& path) {
  RECT r;
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  std::string raw;
  for (int y = 0; y < h; ++y) {
    raw += '\0';
    const auto* row = static_cast<const unsigned char*>(bits) + static_cast<size_t>(y) * w * 4;
    for (int x = 0; x < w; ++x)
      raw += {static_cast<char>(row[4 * x + 2]), static_cast<char>(row[4 * x + 1]), static_cast<char>(row[4 * x])};
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  std::string header, z = "\x78\x01";
  Put32(header, w);
  Put32(header, h);
  header += std::string("\x08\x02\x00\x00\x00", 5);
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) a = (a + c) % 65521, b = (b + a) % 65521;
  for (size_t at = 0; at < raw.size(); at += 65535) {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    z += static_cast<char>(at + n == raw.size());
    z += {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(~n), static_cast<char>(~n >> 8)};
    z.append(raw, at, n);
  }
  Put32(z, b << 16 | a);
  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", "");
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  const bool written = file && std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return (file && std::fclose(file) == 0) && written && w > 0 && h > 0;
}

void Key(HWND hwnd, WPARAM key) {
  PostMessageW(hwnd, WM_KEYDOWN, key, 1);
  PostMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return Fail("usage: s1ordo_window_driver GUI.EXE SCREENSHOT-PREFIX");
  const std::wstring shots = argv[2];
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessW(argv[1], nullptr, nullptr, nullptr, FALSE, 0, nullptr, L"C:\\", &startup, &gui))
    return Fail("cannot start the window");
  if (!WaitFor([] { return (window = FindWindowW(s1ordo::kMainWindowClass, nullptr)) && IsWindowVisible(window); }))
    return Fail("no window:", MessageBoxOfGui() ? TextOf(GetDlgItem(MessageBoxOfGui(), 0xFFFF)) : L"");
  background = GetDlgItem(window, ControlId(Control::kBackground));
  HWND source = Find(Control::kSourcePathBox), destination = Find(Control::kDestinationPathBox);
  HWND folders = Find(Control::kSourceFolderList), boreholes = Find(Control::kBoreholeList);
  HWND message_line = Find(Control::kMessageLine);
  auto shows = [](HWND hwnd, const std::wstring& text) { return WaitFor([=] { return TextOf(hwnd) == text; }); };

  // The source drive d: holds DIZIVAD; its folder list goes up to the root
  // and back into DIZIVAD.
  PostMessageW(Find(Control::kSourceDriveList), WM_CHAR, L'd', 1);
  if (!shows(source, L"D:\\DIZIVAD")) return Fail("source after the drive list:", TextOf(source));
  Key(folders, VK_UP);
  Key(folders, VK_RETURN);
  if (!shows(source, L"D:\\")) return Fail("source after the folder list:", TextOf(source));
  Key(folders, VK_DOWN);
  Key(folders, VK_RETURN);
  if (!shows(source, L"D:\\DIZIVAD")) return Fail("source back in DIZIVAD:", TextOf(source));
  if (!WaitFor([&] { return SendMessageW(boreholes, LB_GETCOUNT, 0, 0) == 3; })) return Fail("not three boreholes");

  const int row = static_cast<int>(SendMessageW(boreholes, LB_GETITEMHEIGHT, 0, 0));
  for (int i = 0; i < 3; ++i) {
    PostMessageW(boreholes, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, row * i + row / 2));
    PostMessageW(boreholes, WM_LBUTTONUP, 0, MAKELPARAM(8, row * i + row / 2));
  }
  if (!WaitFor([&] { return SendMessageW(boreholes, LB_GETSELCOUNT, 0, 0) == 3; })) return Fail("not all selected");
  PostMessageW(destination, EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"D:\\out")) PostMessageW(destination, WM_CHAR, c, 1);
  if (!shows(destination, L"D:\\out")) return Fail("destination:", TextOf(destination));

  PostMessageW(Find(Control::kConvertButton), BM_CLICK, 0, 0);
  int questions = 0;
  const std::wstring done = s1ordo::WideText(
      "\xE5\xA4\x89\xE6\x8F\x9B\xE3\x81\x8C\xE6\xAD\xA3\xE5\xB8\xB8\xE3\x81\xAB"
      "\xE7\xB5\x82\xE4\xBA\x86\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x97\xE3\x81\x9F"
      "\xE3\x80\x82");  // 変換が正常に終了しました。
  const std::wstring create = s1ordo::WideText("\xE6\x96\xB0\xE8\xA6\x8F\xE4\xBD\x9C\xE6\x88\x90");  // 新規作成
  const bool finished = WaitFor(
      [&] {
        HWND box = MessageBoxOfGui();
        if (!box) return TextOf(message_line) == done;
        const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
        if (text.find(create) == std::wstring::npos) return false;
        if (questions++ == 0) SaveScreenshot(box, shots + L"-question.png");
        SendMessageTimeoutW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
        return false;
      },
      60000);
  if (HWND box = MessageBoxOfGui()) return Fail("unexpected message:", TextOf(GetDlgItem(box, 0xFFFF)));
  if (!finished || questions != 3) return Fail("the run did not end as it should:", TextOf(message_line));

  // The summary of the run, then OK.
  HWND summary = nullptr;
  if (!WaitFor([&] { return (summary = FindWindowW(s1ordo::kSummaryClass, nullptr)) && IsWindowVisible(summary); }))
    return Fail("no summary after the run");
  const std::wstring converted = s1ordo::WideText(
      "\xE3\x83\x9C\xE3\x83\xBC\xE3\x83\xAA\xE3\x83\xB3\xE3\x82\xB0\xE5\xAD\x94 3: "
      "\xE5\xA4\x89\xE6\x8F\x9B 3");  // ボーリング孔 3: 変換 3
  const std::wstring summary_text = TextOf(GetDlgItem(summary, s1ordo::kSummaryTextId));
  if (summary_text.rfind(converted, 0) != 0) return Fail("summary:", summary_text);
  if (!GetDlgItem(summary, s1ordo::kDetailsTextId)) return Fail("the summary shows no details");
  Sleep(300);
  if (!SaveScreenshot(summary, shots + L"-summary.png")) return Fail("no screenshot of the summary");
  PostMessageW(GetDlgItem(summary, IDOK), BM_CLICK, 0, 0);
  if (!WaitFor([&] { return !IsWindow(summary); }, 5000)) return Fail("the summary did not close with OK");

  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  Sleep(500);
  if (!SaveScreenshot(window, shots + L"-after-run.png")) return Fail("no screenshot");
  PostMessageW(Find(Control::kExitButton), BM_CLICK, 0, 0);
  DWORD code = 1;
  if (WaitForSingleObject(gui.hProcess, 15000) != WAIT_OBJECT_0 || !GetExitCodeProcess(gui.hProcess, &code) || code)
    return Fail("the window did not end with Exit");
  std::printf("window test: source, boreholes and destination chosen, %d folders created, run and Exit done\n",
              questions);
  return 0;
}
