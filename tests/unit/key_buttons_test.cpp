#include <gtest/gtest.h>

#include "keymodel/mapping_operations.h"
#include "ui/geometry.h"
#include "ui/key_groups.h"
#include "ui/key_labels.h"
#include "ui/window_messages.h"

namespace kivora {
namespace {

TEST(KeyLabels, ChangedKeysShowTheirTargetInBold) {
  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(43), IdFromSlot(74));  // CapsLock -> 前変換
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  c[kScancodeEntrySlot].scancode = 0x0056;
  ApplyChange(c, IdFromSlot(2), IdFromSlot(kScancodeEntrySlot));
  RecordPair(c, {.from = 0x003C, .to = 0x0059});  // F2 to a code no key has
  // clang-format off
  const struct { const char* name; int slot; bool showChanges; const char *top, *bottom;
                 int fontHeight, weight; } rows[] = {
      {"changed key", 43, true, "前変換", "変換(次候補)", 7, kBoldWeight},
      {"changes hidden", 43, false, "CapsLock", "英数", 10, kNormalWeight},
      {"disabled key", 1, true, "無効", "", 10, kBoldWeight},
      {"own label at own height", 1, false, "Esc", "", 12, kNormalWeight},
      {"typed scancode", 2, true, "Scan", "code", 10, kBoldWeight},
      {"unknown scancode", 3, true, "Scan", "code", 10, kBoldWeight},
      {"the disable button", kDisableSlot, false, "キーを無効にする！", "", 10, kNormalWeight},
  };
  // clang-format on
  for (const auto& row : rows) {
    const auto label = LabelForSlot(c, row.slot, row.showChanges);
    ASSERT_TRUE(label) << row.name;
    EXPECT_EQ(std::tie(label->top, label->bottom, label->fontHeight, label->weight),
              std::tie(row.top, row.bottom, row.fontHeight, row.weight))
        << row.name;
  }
  EXPECT_FALSE(LabelForSlot(c, 0, false));
  EXPECT_FALSE(LabelForSlot(c, 120, true));
}

// Each group by its first and last key, with the first keys of the groups around it.
TEST(NextFocusId, PageDownToTheNextGroupPageUpToTheGroupStartOrTheOneBefore) {
  // clang-format off
  const struct { int first, last, previous, next; } groups[] = {
      {201, 213, 293, 214},
      {214, 228, 201, 229},
      {229, 242, 214, 243},
      {243, 255, 229, 256},
      {256, 268, 243, 269},
      {269, 279, 256, 280},
      {280, 282, 269, 283},
      {283, 288, 280, 289},
      {289, 292, 283, 293},
      {293, 350, 289, 201},  // the keypad and the buttons after it
  };
  // clang-format on
  for (const auto& g : groups) {
    EXPECT_EQ(NextFocusId(UM_NEXT_GROUP, g.first), g.next) << "PageDown from " << g.first;
    EXPECT_EQ(NextFocusId(UM_NEXT_GROUP, g.last), g.next) << "PageDown from " << g.last;
    EXPECT_EQ(NextFocusId(UM_PREV_GROUP, g.first), g.previous) << "PageUp from " << g.first;
    EXPECT_EQ(NextFocusId(UM_PREV_GROUP, g.last), g.first) << "PageUp from " << g.last;
  }
  EXPECT_EQ(NextFocusId(UM_NEXT_GROUP, 0), 201);  // from nothing focused
  EXPECT_EQ(NextFocusId(UM_PREV_GROUP, 0), 293);
}

TEST(Geometry, CentringTruncatesEachHalf) {
  EXPECT_EQ(CentredTopLeft(1281, 1023, 601, 199), (Point{340, 412}));
  EXPECT_EQ(CentredTopLeft(100, 100, 301, 301), (Point{-100, -100}));
}

// Its width is one pixel at 96 DPI, scaled as MulDiv scales: halves up.
TEST(Geometry, MarkSitsJustOutsideTheButton) {
  // A window at (100, 50) with a 3-pixel frame, 22-pixel caption and menu:
  // outer 100..706 x 50..300, client 600 x 222 from (103, 75).
  const Point origin = MarkOrigin({100, 50, 706, 300}, 600, 222);
  EXPECT_EQ(origin, (Point{106, 78}));
  const Rect button{110, 90, 140, 120};  // client 7..37 x 15..45
  // clang-format off
  const struct { const char* name; MarkFrame frame; int ring; Point topLeft, bottomRight; } rows[] =
      {
      {"100 %: the origin's line", {origin, {103, 75}, 96}, 0, {5, 14}, {37, 45}},
      {"125 %: still one pixel (1.25 rounds down)", {origin, {103, 75}, 120}, 0, {5, 14}, {37, 45}},
      {"200 %, inner ring: grown to the button", {origin, {103, 75}, 192}, 0, {6, 14}, {37, 45}},
      {"200 %, outer ring", {origin, {103, 75}, 192}, 1, {5, 13}, {38, 46}},
      {"150 %, outer ring (1.5 rounds up)", {origin, {103, 75}, 144}, 1, {5, 13}, {38, 46}},
      // A 7-pixel frame would put the right and bottom edges on the button.
      {"wide frame", {{114, 82}, {107, 75}, 96}, 0, {-3, 10}, {33, 45}},
      {"no frame: on the origin's line", {{103, 75}, {103, 75}, 96}, 0, {6, 14}, {40, 48}},
  };
  // clang-format on
  for (const auto& r : rows) {
    const auto points = MarkPolyline(button, r.frame, r.ring);
    const Point topRight{r.bottomRight.x, r.topLeft.y}, bottomLeft{r.topLeft.x, r.bottomRight.y};
    EXPECT_EQ(points, (std::array{r.topLeft, topRight, r.bottomRight, bottomLeft, r.topLeft}))
        << r.name;
  }
}

}  // namespace
}  // namespace kivora
