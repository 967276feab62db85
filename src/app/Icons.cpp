#include "app/Icons.h"

#include "app/DeferredIcon.h"

QIcon ProgramIcon() {
  // Decoded once, when first drawn: the splash, the about box and the help window all
  // show it, and on some platforms no window ever draws it. Never destroyed, so it
  // outlives the application object without complaint.
  static const QIcon* icon = [] {
    Q_INIT_RESOURCE(icons);  // a static library keeps its resources only when asked
    return new QIcon(DeferredIcon([] { return QIcon(":/icons/brenvoll-admin.png"); }));
  }();
  return *icon;
}
