#pragma once
// The splash window shown while start-up creates the long-lived windows.

#include <QWidget>

class TfrmSplash final : public QWidget {
  Q_OBJECT
public:
  explicit TfrmSplash(QWidget* parent = nullptr);
  // Shows the window and paints it at once, before the event loop runs.
  void ShowNow();
};
