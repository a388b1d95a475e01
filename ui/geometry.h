// Screen arithmetic of the dialogs: display scale, centring and the marks drawn
// around keys.
#pragma once

#include <array>

namespace kivora {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom exclusive, as GetWindowRect gives them.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Every size we set in pixels (all positive) is chosen for 96 DPI (100 %) and
// scaled to the window's DPI, rounded as MulDiv rounds: halves up.
inline constexpr int kBaseDpi = 96;
int ScaleForDpi(int value, int dpi);

// Top-left corner that centres a window of the given outer size in a monitor's
// work area (screen coordinates: a monitor left of or above the primary one has
// negative ones); each half is taken with integer division, as the rest of the
// program expects. The window stays inside the area; one larger than it sits at
// its left or top edge, so that its caption can still be reached.
Point CentredTopLeft(const Rect& workArea, int windowWidth, int windowHeight);

// Pixels across a mark's edge: one at 96 DPI, scaled like every other size.
int MarkWidth(int dpi);

// The closed five-point polyline of ring `ring` (0 .. MarkWidth - 1, the nearest
// to the button first) of the mark around a button, both in the dialog's client
// coordinates: neither the window's frame nor its caption, whose sizes differ
// from one Windows and one scale to another, enters into it. One pixel wide,
// the mark lies on the pixels just outside the button, but for one pixel of gap
// on its left; a wider one fills that gap, then grows away from the button, so
// that it stays in the gap between the keys.
std::array<Point, 5> MarkPolyline(const Rect& button, int dpi, int ring);

}  // namespace kivora
