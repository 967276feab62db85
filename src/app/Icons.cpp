#include "app/Icons.h"

QIcon ProgramIcon() {
  // Decoded once: the splash, the about box and the help window all show it. Never
  // destroyed, so it outlives the application object without complaint.
  static const QIcon* icon = [] {
    Q_INIT_RESOURCE(icons);  // a static library keeps its resources only when asked
    return new QIcon(":/icons/brenvoll-admin.png");
  }();
  return *icon;
}
