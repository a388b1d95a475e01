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
  struct {
    const char* name;
    int slot;
    bool showChanges;
    const char *top, *bottom;
    int fontHeight, weight;
  } const rows[] = {
      {"changed key", 43, true, "前変換", "変換(次候補)", 7, kBoldWeight},
      {"changes hidden", 43, false, "CapsLock", "英数", 10, kNormalWeight},
      {"disabled key", 1, true, "無効", "", 10, kBoldWeight},
      {"own label at own height", 1, false, "Esc", "", 12, kNormalWeight},
      {"typed scancode", 2, true, "Scan", "code", 10, kBoldWeight},
      {"unknown scancode", 3, true, "Scan", "code", 10, kBoldWeight},
      {"the disable button", kDisableSlot, false, "キーを無効にする！", "", 10, kNormalWeight},
  };
  for (const auto& row : rows) {
    const auto label = LabelForSlot(c, row.slot, row.showChanges);
    ASSERT_TRUE(label) << row.name;
    EXPECT_EQ(label->top, row.top) << row.name;
    EXPECT_EQ(label->bottom, row.bottom) << row.name;
    EXPECT_EQ(label->fontHeight, row.fontHeight) << row.name;
    EXPECT_EQ(label->weight, row.weight) << row.name;
  }
  EXPECT_FALSE(LabelForSlot(c, 0, false));
  EXPECT_FALSE(LabelForSlot(c, 120, true));
}

TEST(NextFocusId, PageDownToTheNextGroupPageUpToTheGroupStartOrTheOneBefore) {
  struct {
    unsigned message;
    int from, to;
  } const rows[] = {
      {UM_NEXT_GROUP, 201, 214}, {UM_NEXT_GROUP, 213, 214}, {UM_NEXT_GROUP, 228, 229},
      {UM_NEXT_GROUP, 242, 243}, {UM_NEXT_GROUP, 255, 256}, {UM_NEXT_GROUP, 268, 269},
      {UM_NEXT_GROUP, 279, 280}, {UM_NEXT_GROUP, 282, 283}, {UM_NEXT_GROUP, 288, 289},
      {UM_NEXT_GROUP, 292, 293}, {UM_NEXT_GROUP, 293, 201}, {UM_NEXT_GROUP, 309, 201},
      {UM_NEXT_GROUP, 349, 201}, {UM_NEXT_GROUP, 0, 201},   {UM_PREV_GROUP, 0, 293},
      {UM_PREV_GROUP, 201, 293}, {UM_PREV_GROUP, 202, 201}, {UM_PREV_GROUP, 214, 201},
      {UM_PREV_GROUP, 215, 214}, {UM_PREV_GROUP, 229, 214}, {UM_PREV_GROUP, 230, 229},
      {UM_PREV_GROUP, 243, 229}, {UM_PREV_GROUP, 256, 243}, {UM_PREV_GROUP, 269, 256},
      {UM_PREV_GROUP, 280, 269}, {UM_PREV_GROUP, 283, 280}, {UM_PREV_GROUP, 289, 283},
      {UM_PREV_GROUP, 290, 289}, {UM_PREV_GROUP, 293, 289}, {UM_PREV_GROUP, 294, 293},
      {UM_PREV_GROUP, 350, 293},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(NextFocusId(row.message, row.from), row.to)
        << (row.message == UM_NEXT_GROUP ? "PageDown from " : "PageUp from ") << row.from;
  }
}

TEST(Geometry, CentringTruncatesEachHalf) {
  EXPECT_EQ(CentredTopLeft(1281, 1023, 601, 199), (Point{340, 412}));
  EXPECT_EQ(CentredTopLeft(100, 100, 301, 301), (Point{-100, -100}));
}

TEST(Geometry, SizesScaleWithTheDpiRoundedAsMulDiv) {
  struct Row {
    int value, dpi, scaled;
  };
  // The label heights 7, 8, 10, 12 and the mark's 1, 2, 3 at 100, 125, 150, 200 %.
  for (const Row& r :
       {Row{7, 96, 7}, Row{12, 96, 12}, Row{7, 120, 9}, Row{10, 120, 13}, Row{1, 120, 1},
        Row{7, 144, 11}, Row{1, 144, 2}, Row{3, 144, 5}, Row{8, 192, 16}, Row{1, 192, 2}}) {
    EXPECT_EQ(ScaleForDpi(r.value, r.dpi), r.scaled) << r.value << " at " << r.dpi;
  }
}

TEST(Geometry, MarkSitsJustOutsideTheButton) {
  // A window at (100, 50) with a 3-pixel frame, 22-pixel caption and menu:
  // outer 100..706 x 50..300, client 600 x 222 from (103, 75).
  const Point origin = MarkOrigin({100, 50, 706, 300}, 600, 222);
  EXPECT_EQ(origin, (Point{106, 78}));
  const Rect button{110, 90, 140, 120};  // client 7..37 x 15..45
  struct Row {
    const char* name;
    MarkFrame frame;
    int ring;
    Point topLeft, bottomRight;
  };
  for (const Row& r : {
           Row{"100 %: the origin's line", {origin, {103, 75}, 96}, 0, {5, 14}, {37, 45}},
           Row{"200 %, inner ring: grown to the button",
               {origin, {103, 75}, 192},
               0,
               {6, 14},
               {37, 45}},
           Row{"200 %, outer ring", {origin, {103, 75}, 192}, 1, {5, 13}, {38, 46}},
           Row{"150 %, outer ring", {origin, {103, 75}, 144}, 1, {5, 13}, {38, 46}},
           // A 7-pixel frame would put the right and bottom edges on the button.
           Row{"wide frame", {{114, 82}, {107, 75}, 96}, 0, {-3, 10}, {33, 45}},
       }) {
    const auto points = MarkPolyline(button, r.frame, r.ring);
    EXPECT_EQ(points[0], r.topLeft) << r.name;
    EXPECT_EQ(points[2], r.bottomRight) << r.name;
    EXPECT_EQ(points[1], (Point{r.bottomRight.x, r.topLeft.y})) << r.name;
    EXPECT_EQ(points[3], (Point{r.topLeft.x, r.bottomRight.y})) << r.name;
    EXPECT_EQ(points[4], points[0]) << r.name;
  }
}

}  // namespace
}  // namespace kivora
