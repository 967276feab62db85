#include "shell/DropEffect.h"

int ReportableDropEffects(int sourceEffects, TDragTypes dragtypes) {
  return sourceEffects & static_cast<int>(dragtypes) & (DROPEFFECT_COPY | DROPEFFECT_LINK);
}

int ChooseDropEffect(int sourceEffects, TDragTypes dragtypes, TShiftState shift) {
  int possible = ReportableDropEffects(sourceEffects, dragtypes);
  bool shiftAndCtrl = (shift & ssShift) && (shift & ssCtrl);
  if (shiftAndCtrl && (possible & DROPEFFECT_LINK)) return DROPEFFECT_LINK;
  if (possible & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  if (possible & DROPEFFECT_LINK) return DROPEFFECT_LINK;
  return DROPEFFECT_NONE;
}
