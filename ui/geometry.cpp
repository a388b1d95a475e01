#include "ui/geometry.h"

namespace kivora {

int ScaleForDpi(int value, int dpi) { return (value * dpi + kBaseDpi / 2) / kBaseDpi; }

Point CentredTopLeft(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  return {screenWidth / 2 - windowWidth / 2, screenHeight / 2 - windowHeight / 2};
}

int MarkWidth(int dpi) { return ScaleForDpi(1, dpi); }

std::array<Point, 5> MarkPolyline(const Rect& button, int dpi, int ring) {
  const int leftGap = MarkWidth(dpi) > 1 ? 0 : 1;
  const int left = button.left - 1 - leftGap - ring, top = button.top - 1 - ring;
  const int right = button.right + ring, bottom = button.bottom + ring;
  return {{{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}};
}

}  // namespace kivora
