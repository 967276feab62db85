#include "shell/DropEffect.h"

#include <gtest/gtest.h>

namespace {
TEST(ChooseDropEffect, NeverReportsAMove) {
  constexpr int all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  constexpr TDragTypes every = dtCopy | dtMove | dtLink;
  struct Case {
    const char* label;
    int source;
    TDragTypes dragtypes;
    TShiftState shift;
    int expected;
  };
  const Case cases[] = {
      {"no key: copy", all, every, 0, DROPEFFECT_COPY},
      {"Shift and Ctrl: link", all, every, ssShift | ssCtrl | ssLeft, DROPEFFECT_LINK},
      {"Ctrl alone: copy", all, every, ssCtrl, DROPEFFECT_COPY},
      {"Shift alone, move allowed: copy, not move", all, every, ssShift, DROPEFFECT_COPY},
      {"Shift and Ctrl, no link allowed: copy", DROPEFFECT_COPY | DROPEFFECT_MOVE, every,
       ssShift | ssCtrl, DROPEFFECT_COPY},
      {"link only", DROPEFFECT_LINK, every, 0, DROPEFFECT_LINK},
      {"move only: refused", DROPEFFECT_MOVE, every, ssShift, DROPEFFECT_NONE},
      {"link not in Dragtypes", all, dtCopy, ssShift | ssCtrl, DROPEFFECT_COPY},
      {"copy not in Dragtypes", all, dtMove | dtLink, 0, DROPEFFECT_LINK},
      {"nothing allowed", DROPEFFECT_NONE, every, 0, DROPEFFECT_NONE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ChooseDropEffect(c.source, c.dragtypes, c.shift), c.expected) << "row: " << c.label;
  }
}
}  // namespace
