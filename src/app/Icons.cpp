#include "app/Icons.h"

#include "ProgramPictures.h"
#include "shell/BundledPicture.h"

QIcon ProgramIcon() {
  // Made once: the splash, the about box and the help window all show it. Never
  // destroyed, so it outlives the application object without complaint.
  static const QIcon* icon =
      new QIcon(BundledIcon({&ProgramIcon48, &ProgramIcon96, &ProgramIcon137}));
  return *icon;
}
