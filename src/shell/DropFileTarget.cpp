#include "shell/DropFileTarget.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>

#include "base/Exceptions.h"

namespace {
// Marks the control with the drop target that holds it, as the platform registry of
// drop targets would: one target per control.
constexpr const char* kHolder = "brenvollDropTarget";

QObject* HolderOf(const QWidget* control) {
  return control->property(kHolder).value<QObject*>();
}

std::string NameOf(const QWidget* control) {
  return control ? control->objectName().toStdString() : std::string();
}

// The local files and folders of a drag, in the source's order; other URLs are left out.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    QString path = url.toLocalFile();
    if (path.size() > 1 && path.endsWith('/')) path.chop(1);  // folders as plain paths
    files.push_back(path.toStdString());
  }
  return files;
}

TShiftState ShiftStateOf(const QDropEvent& event) {
  TShiftState shift = 0;
  Qt::KeyboardModifiers keys = event.modifiers();
  Qt::MouseButtons buttons = event.buttons();
  if (keys & Qt::ShiftModifier) shift |= ssShift;
  if (keys & Qt::AltModifier) shift |= ssAlt;
  if (keys & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}
}  // namespace

TDropFileTarget::TDropFileTarget(QObject* owner) : QObject(owner) {
  scrollTimer_.setInterval(100);
  connect(&scrollTimer_, &QTimer::timeout, this, &TDropFileTarget::AutoScroll);
}

TDropFileTarget::~TDropFileTarget() {
  try {
    UnregisterTarget();
  } catch (const Exception&) {
    // The control was taken over meanwhile; nothing of ours is left on it.
  }
}

void TDropFileTarget::RegisterTarget(QWidget* control) {
  if (control && control == control_) return;
  if (control_) UnregisterTarget();
  if (!control || (HolderOf(control) && HolderOf(control) != this))
    throw Exception("Failed to Register " + NameOf(control));

  control_ = control;
  controlAcceptedDrops_ = control->acceptDrops();
  control->setProperty(kHolder, QVariant::fromValue<QObject*>(this));
  control->setAcceptDrops(true);
  control->installEventFilter(this);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) {
    viewport_ = area->viewport();
    viewportAcceptedDrops_ = viewport_->acceptDrops();
    viewport_->setAcceptDrops(true);
    viewport_->installEventFilter(this);
  }
}

void TDropFileTarget::UnregisterTarget() {
  EndDrag();
  QPointer<QWidget> control = control_;
  QPointer<QWidget> viewport = viewport_;
  control_ = nullptr;
  viewport_ = nullptr;
  if (!control) return;  // the control is gone, and its registration with it
  if (viewport) {
    viewport->removeEventFilter(this);
    viewport->setAcceptDrops(viewportAcceptedDrops_);
  }
  control->removeEventFilter(this);
  if (HolderOf(control) != this) throw Exception("Failed to Unregister " + NameOf(control));
  control->setProperty(kHolder, QVariant());
  control->setAcceptDrops(controlAcceptedDrops_);
}

bool TDropFileTarget::eventFilter(QObject* watched, QEvent* event) {
  if (!control_ || (watched != control_ && watched != viewport_))
    return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::DragEnter: DragEnter(static_cast<QDropEvent&>(*event)); return true;
    case QEvent::DragMove: DragOver(static_cast<QDropEvent&>(*event)); return true;
    case QEvent::DragLeave: DragLeave(); event->accept(); return true;
    case QEvent::Drop: Drop(static_cast<QDropEvent&>(*event)); return true;
    default: return QObject::eventFilter(watched, event);
  }
}

void TDropFileTarget::DragEnter(QDropEvent& event) {
  EndDrag();
  std::vector<std::string> files = LocalFiles(event.mimeData());
  if (files.empty()) {
    Report(event, DROPEFFECT_NONE);
    return;
  }
  dragging_ = true;
  sourceEffects_ = static_cast<int>(event.possibleActions());
  if (GetDataOnEnter) {
    enterFiles_ = std::move(files);
    enterFilesRead_ = true;
  }
  scrollMargin_ = control_->fontMetrics().height();
  auto [shift, point, effect] = Sample(event);
  if (OnEnter) OnEnter(*this, shift, point, effect);
  Report(event, effect);
}

void TDropFileTarget::DragOver(QDropEvent& event) {
  if (!dragging_) {
    Report(event, DROPEFFECT_NONE);
    return;
  }
  auto [shift, point, effect] = Sample(event);
  UpdateAutoScroll(point);
  if (scrollTimer_.isActive()) effect |= DROPEFFECT_SCROLL;
  if (OnDragOver) OnDragOver(*this, shift, point, effect);
  Report(event, effect);
}

void TDropFileTarget::DragLeave() {
  EndDrag();
  if (OnLeave) OnLeave(*this);
}

void TDropFileTarget::Drop(QDropEvent& event) {
  scrollTimer_.stop();
  if (!dragging_) {
    Report(event, DROPEFFECT_NONE);
    return;
  }
  auto [shift, point, effect] = Sample(event);
  std::vector<std::string> files =
      enterFilesRead_ ? std::move(enterFiles_) : LocalFiles(event.mimeData());
  if (files.empty() || (effect & (DROPEFFECT_COPY | DROPEFFECT_LINK)) == 0) {
    Report(event, DROPEFFECT_NONE);
    EndDrag();
    return;
  }
  droppedFiles_ = std::move(files);
  // The list lives only while the handler runs, also when the handler raises.
  struct Forget {
    TDropFileTarget& target;
    ~Forget() {
      target.droppedFiles_.clear();
      target.EndDrag();
    }
  } forget{*this};
  if (OnDrop) OnDrop(*this, shift, point, effect);
  Report(event, effect);
}

void TDropFileTarget::EndDrag() {
  scrollTimer_.stop();
  scrollBar_ = nullptr;
  dragging_ = false;
  sourceEffects_ = DROPEFFECT_NONE;
  enterFiles_.clear();
  enterFilesRead_ = false;
}

TDropFileTarget::DragSample TDropFileTarget::Sample(const QDropEvent& event) {
  TShiftState shift = ShiftStateOf(event);
  QPoint point = event.position().toPoint();
  return {shift, point, Effect(shift, point)};
}

int TDropFileTarget::Effect(TShiftState shift, QPoint point) {
  if (!OnGetDropEffect) return ChooseDropEffect(sourceEffects_, Dragtypes, shift);
  int reportable = ReportableDropEffects(sourceEffects_, Dragtypes);
  int effect = reportable;
  OnGetDropEffect(*this, shift, point, effect);
  return effect & reportable;
}

void TDropFileTarget::Report(QDropEvent& event, int effect) const {
  // Only what the source allows and never a move: Qt would turn an action the source
  // does not allow into the source's proposal, which may be a move.
  int action = ReportableDropEffects(effect & sourceEffects_, Dragtypes);
  if (action & DROPEFFECT_COPY) action = DROPEFFECT_COPY;
  if (action == DROPEFFECT_NONE) {
    event.setDropAction(Qt::IgnoreAction);
    event.ignore();
    return;
  }
  event.setDropAction(static_cast<Qt::DropAction>(action));
  event.accept();
}

QWidget* TDropFileTarget::ClientArea() const {
  return viewport_ ? viewport_.data() : control_.data();
}

void TDropFileTarget::UpdateAutoScroll(QPoint point) {
  auto* area = qobject_cast<QAbstractScrollArea*>(control_.data());
  scrollBar_ = nullptr;
  scrollStep_ = 0;
  if (area) {
    QSize client = ClientArea()->size();
    QScrollBar* vertical = area->verticalScrollBar();
    QScrollBar* horizontal = area->horizontalScrollBar();
    auto scrolls = [](QScrollBar* bar) { return bar && bar->maximum() > bar->minimum(); };
    if (scrolls(vertical) && point.y() < scrollMargin_) scrollBar_ = vertical, scrollStep_ = -1;
    else if (scrolls(vertical) && point.y() >= client.height() - scrollMargin_)
      scrollBar_ = vertical, scrollStep_ = 1;
    else if (scrolls(horizontal) && point.x() < scrollMargin_)
      scrollBar_ = horizontal, scrollStep_ = -1;
    else if (scrolls(horizontal) && point.x() >= client.width() - scrollMargin_)
      scrollBar_ = horizontal, scrollStep_ = 1;
  }
  if (!scrollBar_) scrollTimer_.stop();
  else if (!scrollTimer_.isActive()) scrollTimer_.start();
}

void TDropFileTarget::AutoScroll() {
  if (!scrollBar_) return;
  scrollBar_->triggerAction(scrollStep_ < 0 ? QAbstractSlider::SliderSingleStepSub
                                            : QAbstractSlider::SliderSingleStepAdd);
}
