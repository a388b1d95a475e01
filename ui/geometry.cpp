#include "ui/geometry.h"

namespace kivora {

Point CentredTopLeft(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  return {screenWidth / 2 - windowWidth / 2, screenHeight / 2 - windowHeight / 2};
}

Point MarkOrigin(const Rect& outer, int clientWidth, int clientHeight) {
  return {outer.right - clientWidth, outer.bottom - clientHeight};
}

std::array<Point, 5> MarkPolyline(const Rect& button, Point origin) {
  const int left = button.left - origin.x + 1;
  const int top = button.top - origin.y + 2;
  const int right = button.right - origin.x + 3;
  const int bottom = button.bottom - origin.y + 3;
  return {{{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}};
}

}  // namespace kivora
