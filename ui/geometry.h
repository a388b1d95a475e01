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

// Top-left corner that centres a window of the given outer size; each half is
// taken with integer division, as the rest of the program expects.
Point CentredTopLeft(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

// The screen point that mark coordinates are measured from: the outer rectangle's
// bottom-right corner less the client size.
Point MarkOrigin(const Rect& outer, int clientWidth, int clientHeight);

// Where the marks of one dialog are drawn from: its mark origin, the screen
// position of its client area and its DPI.
struct MarkFrame {
  Point origin;
  Point client;
  int dpi = kBaseDpi;
};

// Pixels across a mark's edge: one at 96 DPI, scaled like every other size.
int MarkWidth(int dpi);

// The closed five-point polyline, in the dialog's client coordinates, of ring
// `ring` (0 .. MarkWidth - 1, the nearest to the button first) of the mark around
// a button whose outer rectangle (screen coordinates) is `button`. One pixel
// wide, the mark lies where the origin puts it, though never on the button; a
// wider one covers that line and grows towards the button, up to the pixel next
// to it, then away from it, so that it stays in the gap between the keys.
std::array<Point, 5> MarkPolyline(const Rect& button, const MarkFrame& frame, int ring);

}  // namespace kivora
