#pragma once
// Pieces every window of the program builds itself from, so the windows look and behave
// alike: named menu items, toolbar buttons with the picture above the caption, and
// placement in the middle of the screen. Interface thread only.

class QAction;
class QIcon;
class QMenu;
class QToolButton;
class QWidget;

// A menu item carrying its name as object name.
QAction* MenuItem(QMenu* menu, const char* name, const char* caption);

// A toolbar button: picture above caption, the hint as tool tip, never reached with Tab.
// Size and place are the caller's.
QToolButton* ToolbarButton(QWidget* parent, const char* name, const char* caption,
                           const char* hint, const QIcon& picture);

// Moves the window so that it stands in the middle of its screen.
void CentreOnScreen(QWidget* window);
