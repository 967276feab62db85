#pragma once
// Placing and sizing windows the way their layouts are given: client areas in pixels,
// fixed borders, centred on the screen.

class QWidget;

// Moves the window so that it stands in the middle of its screen.
void CentreOnScreen(QWidget* window);
// Gives a main window (menu bar above a central client area) a fixed size that leaves
// the client area exactly width by height pixels.
void FixClientSize(QWidget* window, QWidget* clientArea, int width, int height);
