#include "FirstShownReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <time.h>

#include <cstdio>
#include <utility>

namespace {
long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Sees every event of the application; acts on the first expose of the watched window.
class FirstExposeFilter final : public QObject {
public:
  explicit FirstExposeFilter(std::function<QWidget*()> windowToWatch)
      : QObject(QCoreApplication::instance()), windowToWatch_(std::move(windowToWatch)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && IsWatchedWindow(watched) &&
        static_cast<QWindow*>(watched)->isExposed()) {
      QCoreApplication::instance()->removeEventFilter(this);
      // Queued, so the time is taken once this expose has been handled and painted.
      QMetaObject::invokeMethod(
          QCoreApplication::instance(),
          [] {
            std::printf("%lld\n", MonotonicNanoseconds());
            std::fflush(stdout);
            QCoreApplication::exit(0);
          },
          Qt::QueuedConnection);
    }
    return false;
  }

private:
  bool IsWatchedWindow(QObject* watched) const {
    QWidget* window = windowToWatch_();
    return window && window->windowHandle() == watched;
  }

  std::function<QWidget*()> windowToWatch_;
};
}  // namespace

void ReportFirstShown(std::function<QWidget*()> windowToWatch) {
  QCoreApplication::instance()->installEventFilter(new FirstExposeFilter(std::move(windowToWatch)));
}
