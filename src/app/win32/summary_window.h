// The box that ends a run in the Win32 window: the summary of what the run
// did and, below it, the details in full (every line added to the pattern
// data, every failure and warning) in a read-only text to scroll and copy.
#ifndef S1ORDO_APP_WIN32_SUMMARY_WINDOW_H_
#define S1ORDO_APP_WIN32_SUMMARY_WINDOW_H_

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace s1ordo {

// Its window class and the IDs of its controls, for finding them: the
// summary, the details (only when there are details) and OK (IDOK).
constexpr wchar_t kSummaryClass[] = L"S1ordoSummary";
constexpr int kSummaryTextId = 101;
constexpr int kDetailsTextId = 102;

// Shows the box over owner, which is disabled meanwhile, and returns once
// it is closed (OK, Enter, Esc or its close box). Texts are UTF-8; font
// and dpi are the owner's.
void ShowSummaryWindow(HWND owner, HFONT font, int dpi, const std::string& summary, const std::string& details);

}  // namespace s1ordo

#endif  // S1ORDO_APP_WIN32_SUMMARY_WINDOW_H_
