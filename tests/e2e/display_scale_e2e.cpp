// The red and blue frames at the display scale of the prefix the driver runs
// in: on every side of the key, the frame's colour lies in the gap to the next
// key, never on the key itself nor on its neighbour.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/kivora_driver.h"

namespace kivora::e2e {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr int kA = 244, kS = 245;  // S has keys on all four sides

// Walks from the key's middle outwards on each side until a few pixels into
// the next key (or the window's edge); returns what is amiss, empty when the
// frame is in every gap and nowhere else.
std::string FrameFaults(HWND dialog, int id, COLORREF colour) {
  const HWND key = GetDlgItem(dialog, id);
  RECT r;
  GetWindowRect(key, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  RECT client;
  GetClientRect(dialog, &client);
  const HDC dc = GetDC(dialog);
  std::string faults;
  const struct {
    int dx, dy;
    const char* side;
  } sides[] = {{-1, 0, "left"}, {1, 0, "right"}, {0, -1, "top"}, {0, 1, "bottom"}};
  for (const auto& side : sides) {
    bool inGap = false;
    int intoNeighbour = 0;
    for (POINT pt{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
         PtInRect(&client, pt) && intoNeighbour < 6; pt.x += side.dx, pt.y += side.dy) {
      const HWND at = ChildWindowFromPointEx(dialog, pt, CWP_SKIPINVISIBLE);
      const bool onKey = at && at != dialog;
      if (onKey && at != key) ++intoNeighbour;
      if (GetPixel(dc, pt.x, pt.y) != colour) continue;
      if (onKey) {
        faults += std::string(side.side) + (at == key ? ": on the key " : ": on the neighbour ") +
                  std::to_string(pt.x) + "," + std::to_string(pt.y) + "; ";
      } else {
        inGap = true;
      }
    }
    if (!inGap) faults += std::string(side.side) + ": no frame; ";
  }
  ReleaseDC(dialog, dc);
  return faults;
}

TEST(DisplayScaleE2e, FramesSitInTheGapsAroundTheirKey) {
  DeleteStoredMap(HKEY_LOCAL_MACHINE);
  Kivora kivora;
  kivora.ClickKey(kS);
  const HWND change = kivora.WaitForDialog();
  ASSERT_NE(change, nullptr);
  std::string faults;
  WaitFor([&] { return (faults = FrameFaults(change, kS, kBlue)).empty(); });
  EXPECT_EQ(faults, "") << "blue frame";

  Kivora::Click(change, kA);
  ASSERT_TRUE(WaitFor([&] { return kivora.NoDialogOpen(); }));
  WaitFor([&] { return (faults = FrameFaults(kivora.Main(), kS, kRed)).empty(); });
  EXPECT_EQ(faults, "") << "red frame";
}

}  // namespace
}  // namespace kivora::e2e
