// The converter window's control table and how its places grow with the
// window.
#include "app/window_layout.h"

#include <algorithm>
#include <cmath>

namespace s1ordo {
namespace {

// What a coordinate gains when the window grows by dw x dh twips: the
// source frame takes two thirds of the extra width, split evenly between
// its folder list and the borehole list; the destination frame the rest.
enum Growth { k0, kWidth, kHalfWidth, kHeight, kSource, kDestination, kSourceFolders, kBoreholes };

struct Row {
  ControlSpec spec;
  Place place;
  Growth left, top, width, height;
};

using C = Control;
using K = ControlKind;
// clang-format off
const Row kRows[kControlCount] = {
    {{"Picture1", K::kBackground, C::kBackground, u8""}, {0, 0, 9075, 6495}, k0, k0, kWidth, kHeight},
    {{"Label2", K::kLabel, C::kBackground, u8"変換元ﾌｫﾙﾀﾞ名 ："}, {240, 300, 2235, 315}, k0, k0, k0, k0},
    {{"Text2", K::kPathBox, C::kBackground, u8""}, {2400, 240, 6255, 405}, k0, k0, kWidth, k0},
    {{"Label1", K::kLabel, C::kBackground, u8"変換先ﾌｫﾙﾀﾞ名 ："}, {240, 900, 2235, 315}, k0, k0, k0, k0},
    {{"Text1", K::kPathBox, C::kBackground, u8""}, {2400, 840, 6255, 405}, k0, k0, kWidth, k0},
    {{"Frame2", K::kFrame, C::kBackground, u8"変換元ﾌｫﾙﾀﾞ名選択"}, {135, 1620, 5835, 2895}, k0, k0, kSource, kHeight},
    {{"Dir2", K::kFolderList, C::kSourceFrame, u8""}, {240, 420, 2595, 1530}, k0, k0, kSourceFolders, kHeight},
    {{"Drive2", K::kDriveList, C::kSourceFrame, u8""}, {210, 2205, 2595, 390}, k0, kHeight, kSourceFolders, k0},
    {{"List1", K::kBoreholeList, C::kSourceFrame, u8""}, {3060, 405, 2580, 2220}, kSourceFolders, k0, kBoreholes, kHeight},
    {{"Frame1", K::kFrame, C::kBackground, u8"変換先ﾌｫﾙﾀﾞ名選択"}, {6075, 1620, 2895, 2895}, kSource, k0, kDestination, kHeight},
    {{"Dir1", K::kFolderList, C::kDestinationFrame, u8""}, {240, 420, 2415, 1530}, k0, k0, kDestination, kHeight},
    {{"Drive1", K::kDriveList, C::kDestinationFrame, u8""}, {240, 2220, 2415, 390}, k0, kHeight, kDestination, k0},
    {{"Frame3", K::kFrame, C::kBackground, u8"メッセージ"}, {240, 4740, 8475, 675}, k0, kHeight, kWidth, k0},
    {{"Label3", K::kLabel, C::kMessageFrame, u8""}, {180, 240, 8175, 315}, k0, k0, kWidth, k0},
    // The run's progress, on the right of the message line while it converts.
    {{"Progress", K::kProgress, C::kMessageFrame, u8""}, {4500, 240, 3855, 315}, kWidth, k0, k0, k0},
    {{"Command1", K::kButton, C::kBackground, u8"実  行"}, {2520, 5580, 1935, 555}, kHalfWidth, kHeight, k0, k0},
    {{"Command2", K::kButton, C::kBackground, u8"終  了"}, {5190, 5580, 2055, 555}, kHalfWidth, kHeight, k0, k0},
};
// clang-format on

}  // namespace

const ControlSpec& Spec(Control control) { return kRows[static_cast<int>(control)].spec; }

std::array<Place, kControlCount> LayOut(int width, int height) {
  const int dw = std::max(0, width - kInitialWidth);
  const int source = dw * 2 / 3;
  const int gains[] = {0,      dw,          dw / 2,     std::max(0, height - kInitialHeight),
                       source, dw - source, source / 2, source - source / 2};
  std::array<Place, kControlCount> places;
  for (int i = 0; i < kControlCount; ++i) {
    const Row& row = kRows[i];
    places[i] = {row.place.left + gains[row.left], row.place.top + gains[row.top], row.place.width + gains[row.width],
                 row.place.height + gains[row.height]};
  }
  return places;
}

int TwipsToPixels(int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }
int PixelsToTwips(int pixels, int dpi) { return static_cast<int>(std::lround(pixels * 1440.0 / dpi)); }

}  // namespace s1ordo
