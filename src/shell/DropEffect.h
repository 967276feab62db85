#pragma once
// The drop effects a file-drop target reports, and the rule that picks one. Plain logic,
// no toolkit: effects are bit sets with the values of the drag sources (copy 1, move 2,
// link 4), which Qt's drop actions share.

// The effects a target may report.
enum TDragType : unsigned { dtCopy = 1, dtMove = 2, dtLink = 4 };
using TDragTypes = unsigned;  // a set of TDragType

constexpr int DROPEFFECT_NONE = 0;
constexpr int DROPEFFECT_COPY = 1;
constexpr int DROPEFFECT_MOVE = 2;
constexpr int DROPEFFECT_LINK = 4;
// Added while the pointer is in the auto-scroll margin of a scrollable control.
constexpr int DROPEFFECT_SCROLL = static_cast<int>(0x80000000u);

// Keys and mouse buttons held during a drag.
enum TShiftStateFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;  // a set of TShiftStateFlag

// The effects the target can report for a source allowing sourceEffects: those named in
// dragtypes, never a move. A source told of a move may delete its files, and a file list
// needs only the names, so a move is never offered back.
int ReportableDropEffects(int sourceEffects, TDragTypes dragtypes);

// The one effect to report: with Shift and Ctrl held and a link possible, link; else copy
// when possible; else link when possible; else none.
int ChooseDropEffect(int sourceEffects, TDragTypes dragtypes, TShiftState shift);
