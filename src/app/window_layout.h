// The converter window's controls: kind, container, caption and place, the
// same for every window toolkit. Places are in twips (1/1440 inch) relative
// to the container; the window's inner area starts at 9090 x 6495 and may
// grow, the folder and borehole lists growing with it.
//
// The controls keep their original names as object names (Qt) and, through
// ControlId, as control IDs (Win32):
//   Picture1 background         Label2/Text2 source path       Label1/Text1 destination path
//   Frame2   source selection   Dir2 source folders            Drive2 source drives
//   List1    boreholes          Frame1 destination selection   Dir1 destination folders
//   Drive1   destination drives Frame3 messages                Label3 message line
//   Progress run's progress     Command1 Execute               Command2 Exit
#ifndef S1ORDO_APP_WINDOW_LAYOUT_H_
#define S1ORDO_APP_WINDOW_LAYOUT_H_

#include <array>
#include <string_view>

namespace s1ordo {

enum class Control {
  kBackground,
  kSourceLabel,
  kSourcePathBox,
  kDestinationLabel,
  kDestinationPathBox,
  kSourceFrame,
  kSourceFolderList,
  kSourceDriveList,
  kBoreholeList,
  kDestinationFrame,
  kDestinationFolderList,
  kDestinationDriveList,
  kMessageFrame,
  kMessageLine,
  kProgress,
  kConvertButton,
  kExitButton,
};
constexpr int kControlCount = static_cast<int>(Control::kExitButton) + 1;

enum class ControlKind {
  kBackground,
  kLabel,
  kPathBox,
  kFrame,
  kFolderList,
  kDriveList,
  kBoreholeList,
  kButton,
  kProgress
};

struct Place {
  int left, top, width, height;
  bool operator==(const Place&) const = default;
};

struct ControlSpec {
  const char* object_name;
  ControlKind kind;
  Control container;  // kBackground's own container is the window
  std::u8string_view caption;
};

// In creation order, which is also the tab order.
const ControlSpec& Spec(Control control);
constexpr int kInitialWidth = 9090;   // twips
constexpr int kInitialHeight = 6495;  // twips

// The place of every control for an inner area of width x height twips (no
// smaller than the initial one), indexed by Control.
std::array<Place, kControlCount> LayOut(int width, int height);

// The Win32 control ID of a control; the window itself has none.
constexpr int ControlId(Control control) { return 1000 + static_cast<int>(control); }

// Font families for the window, the first one the system has: Windows'
// Japanese interface fonts, then those of Linux desktops. 9 points.
constexpr std::array<const char*, 6> kFontFamilies = {"Yu Gothic UI", "Meiryo UI",  "MS UI Gothic",
                                                      "IPAGothic",    "IPAPGothic", "Noto Sans CJK JP"};
constexpr int kFontPoints = 9;

// Twips as pixels at a screen resolution (96 dots per inch: 15 twips).
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);

}  // namespace s1ordo

#endif  // S1ORDO_APP_WINDOW_LAYOUT_H_
