// Screen arithmetic of the dialogs: centring and the marks drawn around keys.
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

// Top-left corner that centres a window of the given outer size; each half is
// taken with integer division, as the rest of the program expects.
Point CentredTopLeft(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

// The screen point that mark coordinates are measured from: the outer rectangle's
// bottom-right corner less the client size.
Point MarkOrigin(const Rect& outer, int clientWidth, int clientHeight);

// The closed five-point polyline, in the dialog's client coordinates, drawn just
// outside a button whose outer rectangle (screen coordinates) is `button`.
std::array<Point, 5> MarkPolyline(const Rect& button, Point origin);

}  // namespace kivora
