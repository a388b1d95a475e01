#include "ui/geometry.h"

#include <algorithm>

namespace kivora {

int ScaleForDpi(int value, int dpi) { return (value * dpi + kBaseDpi / 2) / kBaseDpi; }

Point CentredTopLeft(const Rect& workArea, int windowWidth, int windowHeight) {
  // Centred, a window no larger than the area ends inside it; a larger one
  // would start before it, and starts at its edge instead.
  const auto centre = [](int low, int high, int size) {
    return std::max(low, low + (high - low) / 2 - size / 2);
  };
  return {centre(workArea.left, workArea.right, windowWidth),
          centre(workArea.top, workArea.bottom, windowHeight)};
}

int MarkWidth(int dpi) { return ScaleForDpi(1, dpi); }

std::array<Point, 5> MarkPolyline(const Rect& button, int dpi, int ring) {
  const int leftGap = MarkWidth(dpi) > 1 ? 0 : 1;
  const int left = button.left - 1 - leftGap - ring, top = button.top - 1 - ring;
  const int right = button.right + ring, bottom = button.bottom + ring;
  return {{{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}};
}

}  // namespace kivora
