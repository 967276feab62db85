#pragma once
// Icons from the freedesktop icon theme, with small bundled pictures standing in where
// no theme is installed, so the program looks the same everywhere.

#include <QIcon>

// The theme icon of that freedesktop name, or the bundled picture of the same name.
QIcon ThemeIcon(const char* name);
// The program's own icon (the bundled picture; the theme has none).
QIcon ProgramIcon();
