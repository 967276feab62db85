#include "app/DeferredIcon.h"

#include <QIconEngine>
#include <QPainter>

#include <memory>
#include <optional>
#include <utility>

namespace {
// An icon that asks for the real one the first time anything about it is needed. Copies
// share the real icon once it is made.
class DeferredIconEngine final : public QIconEngine {
public:
  explicit DeferredIconEngine(std::function<QIcon()> make)
      : state_(std::make_shared<State>(State{std::move(make), std::nullopt})) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    return Icon().pixmap(size, scale, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  bool isNull() override { return Icon().isNull(); }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
  struct State {
    std::function<QIcon()> make;
    std::optional<QIcon> icon;
  };

  QIcon& Icon() {
    if (!state_->icon) state_->icon = state_->make();
    return *state_->icon;
  }

  std::shared_ptr<State> state_;
};
}  // namespace

QIcon DeferredIcon(std::function<QIcon()> make) {
  return QIcon(new DeferredIconEngine(std::move(make)));
}
