#include "app/Icons.h"

#include <QString>

// Static libraries drop resources unless they are registered by name.
static void LoadBundledIcons() {
  static const bool loaded = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  (void)loaded;
}

QIcon ThemeIcon(const char* name) {
  LoadBundledIcons();
  return QIcon::fromTheme(name, QIcon(QString(":/icons/%1.png").arg(name)));
}

QIcon ProgramIcon() {
  LoadBundledIcons();
  return QIcon(":/icons/brenvoll-admin.png");
}
