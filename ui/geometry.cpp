#include "ui/geometry.h"

#include <algorithm>

namespace kivora {

int ScaleForDpi(int value, int dpi) { return (value * dpi + kBaseDpi / 2) / kBaseDpi; }

Point CentredTopLeft(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  return {screenWidth / 2 - windowWidth / 2, screenHeight / 2 - windowHeight / 2};
}

Point MarkOrigin(const Rect& outer, int clientWidth, int clientHeight) {
  return {outer.right - clientWidth, outer.bottom - clientHeight};
}

int MarkWidth(int dpi) { return ScaleForDpi(1, dpi); }

std::array<Point, 5> MarkPolyline(const Rect& button, const MarkFrame& frame, int ring) {
  const int grow = MarkWidth(frame.dpi) - 1;
  const Point o = frame.origin, c = frame.client;
  // The one-pixel line measured from the origin, and the button in client
  // coordinates, right and bottom exclusive.
  const int left = std::min(button.left - o.x + 1 + grow, button.left - c.x - 1) - ring;
  const int top = std::min(button.top - o.y + 2 + grow, button.top - c.y - 1) - ring;
  const int right = std::max(button.right - o.x + 3 - grow, button.right - c.x) + ring;
  const int bottom = std::max(button.bottom - o.y + 3 - grow, button.bottom - c.y) + ring;
  return {{{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}};
}

}  // namespace kivora
