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
  auto label = LabelForSlot(c, 43, true);
  ASSERT_TRUE(label);
  EXPECT_EQ(label->top, "前変換");
  EXPECT_EQ(label->bottom, "変換(次候補)");
  EXPECT_EQ(label->fontHeight, 7);
  EXPECT_EQ(label->weight, kBoldWeight);
  // Without changes shown every key has its own label at default weight.
  label = LabelForSlot(c, 43, false);
  EXPECT_EQ(label->top, "CapsLock");
  EXPECT_EQ(label->bottom, "英数");
  EXPECT_EQ(label->fontHeight, 10);
  EXPECT_EQ(label->weight, kNormalWeight);
}

TEST(KeyLabels, DisabledTypedAndUnknownTargets) {
  KeyCatalogue c;
  ApplyChange(c, IdFromSlot(1), IdFromSlot(kDisableSlot));
  EXPECT_EQ(LabelForSlot(c, 1, true)->top, "無効");
  EXPECT_EQ(LabelForSlot(c, 1, true)->bottom, "");
  EXPECT_EQ(LabelForSlot(c, 1, true)->weight, kBoldWeight);
  EXPECT_EQ(LabelForSlot(c, 1, true)->fontHeight, 10);  // slot 151's, not Esc's 12

  c[kScancodeEntrySlot].scancode = 0x0056;
  ApplyChange(c, IdFromSlot(2), IdFromSlot(kScancodeEntrySlot));
  EXPECT_EQ(LabelForSlot(c, 2, true)->top, "Scan");
  EXPECT_EQ(LabelForSlot(c, 2, true)->bottom, "code");
  RecordPair(c, {.from = 0x003C, .to = 0x0059});  // F2 to a code no key has
  EXPECT_EQ(LabelForSlot(c, 3, true)->top, "Scan");
  EXPECT_EQ(LabelForSlot(c, 3, true)->bottom, "code");
}

TEST(KeyLabels, UnlabelledSlotsAreLeftAlone) {
  const KeyCatalogue c;
  EXPECT_FALSE(LabelForSlot(c, 0, false));
  EXPECT_FALSE(LabelForSlot(c, 120, true));
  EXPECT_EQ(LabelForSlot(c, kDisableSlot, false)->top, "キーを無効にする！");
  EXPECT_EQ(LabelForSlot(c, kDisableSlot, false)->bottom, "");
  EXPECT_EQ(LabelForSlot(c, kScancodeEntrySlot, false)->top, "Scan");
  EXPECT_EQ(LabelForSlot(c, kScancodeEntrySlot, false)->bottom, "code");
  EXPECT_EQ(LabelForSlot(c, 1, false)->fontHeight, 12);
}

TEST(NextFocusId, PageDownGoesToTheNextGroupAndWrapsToEsc) {
  const std::pair<int, int> cases[] = {{201, 214}, {213, 214}, {228, 229}, {242, 243}, {255, 256},
                                       {268, 269}, {279, 280}, {282, 283}, {288, 289}, {292, 293},
                                       {293, 201}, {309, 201}, {349, 201}, {350, 201}, {0, 201}};
  for (auto [from, to] : cases) EXPECT_EQ(NextFocusId(UM_NEXT_GROUP, from), to) << from;
}

TEST(NextFocusId, PageUpGoesToTheGroupStartThenTheGroupBefore) {
  const std::pair<int, int> cases[] = {{0, 293},   {201, 293}, {202, 201}, {214, 201}, {215, 214},
                                       {229, 214}, {230, 229}, {243, 229}, {256, 243}, {269, 256},
                                       {280, 269}, {283, 280}, {289, 283}, {290, 289}, {293, 289},
                                       {294, 293}, {309, 293}, {350, 293}};
  for (auto [from, to] : cases) EXPECT_EQ(NextFocusId(UM_PREV_GROUP, from), to) << from;
}

TEST(Geometry, CentringTruncatesEachHalf) {
  EXPECT_EQ(CentredTopLeft(1280, 1024, 600, 200), (Point{340, 412}));
  EXPECT_EQ(CentredTopLeft(1281, 1023, 601, 199), (Point{640 - 300, 511 - 99}));
  EXPECT_EQ(CentredTopLeft(100, 100, 301, 301),
            (Point{50 - 150, 50 - 150}));  // larger than the screen
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
