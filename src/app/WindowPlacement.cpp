#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

void FixClientSize(QWidget* window, QWidget* clientArea, int width, int height) {
  clientArea->setFixedSize(width, height);
  window->adjustSize();
  window->setFixedSize(window->sizeHint());
}
