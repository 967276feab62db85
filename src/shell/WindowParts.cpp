#include "shell/WindowParts.h"

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

QAction* MenuItem(QMenu* menu, const char* name, const char* caption) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(name);
  return item;
}

QToolButton* ToolbarButton(QWidget* parent, const char* name, const char* caption,
                           const char* hint, const QIcon& picture) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(caption);
  button->setToolTip(hint);
  button->setIcon(picture);
  button->setIconSize(QSize(24, 24));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}
