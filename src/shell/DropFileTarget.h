#pragma once
// Lets the user drop files from the file manager onto one control. The component watches
// the registered widget (and, for a scrolled control, its viewport) for drags that carry
// local files, picks the drop effect, scrolls the control while the pointer rests near
// an edge, and hands the dropped paths to OnDrop in the order the source lists them.
// Interface thread only.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "shell/DropEffect.h"

class QDropEvent;
class QMimeData;
class QScrollBar;

class TDropFileTarget;

// Sender, the keys and buttons held, the point in the control's client coordinates (its
// viewport when it scrolls), and the effect, which the handler may change.
using TDropTargetEvent =
    std::function<void(TDropFileTarget& Sender, TShiftState ShiftState, QPoint Point, int& Effect)>;
using TNotifyEvent = std::function<void(TDropFileTarget& Sender)>;

class TDropFileTarget : public QObject {
  Q_OBJECT

public:
  explicit TDropFileTarget(QObject* owner = nullptr);
  ~TDropFileTarget() override;  // unregisters, and raises nothing

  // Makes control accept file drops through this component, withdrawing an earlier
  // registration first; the control it has already is left as it is. Raises
  // "Failed to Register " and the control's name when the control is missing or
  // another drop target holds it.
  void RegisterTarget(QWidget* control);
  // Withdraws the registration while the control still exists. Raises
  // "Failed to Unregister " and the control's name when the control is no longer ours.
  void UnregisterTarget();
  QWidget* Target() const { return control_; }

  // The full paths of the dropped files and folders, in the source's order; filled only
  // while OnDrop runs.
  const std::vector<std::string>& DroppedFiles() const { return droppedFiles_; }

  TDragTypes Dragtypes = dtCopy | dtMove | dtLink;
  // Read the file list when the drag enters instead of at the drop.
  bool GetDataOnEnter = false;
  // The drag image is drawn by the source on this platform; kept for the windows' setting.
  bool ShowImage = true;
  TDropTargetEvent OnDrop;
  TDropTargetEvent OnEnter;
  TDropTargetEvent OnDragOver;
  // When set, chooses the effect instead of the built-in rule; it receives the reportable
  // effects, and a move it asks for is not reported.
  TDropTargetEvent OnGetDropEffect;
  TNotifyEvent OnLeave;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void DragEnter(QDropEvent& event);
  void DragOver(QDropEvent& event);
  void DragLeave();
  void Drop(QDropEvent& event);
  void EndDrag();
  // The keys, the point and the effect of a drag event.
  struct DragSample {
    TShiftState shift;
    QPoint point;
    int effect;
  };
  DragSample Sample(const QDropEvent& event);
  int Effect(TShiftState shift, QPoint point);
  void Report(QDropEvent& event, int effect) const;
  QWidget* ClientArea() const;
  void UpdateAutoScroll(QPoint point);
  void AutoScroll();

  QPointer<QWidget> control_;
  QPointer<QWidget> viewport_;
  bool controlAcceptedDrops_ = false;
  bool viewportAcceptedDrops_ = false;

  bool dragging_ = false;
  int sourceEffects_ = DROPEFFECT_NONE;
  std::vector<std::string> enterFiles_;  // with GetDataOnEnter
  bool enterFilesRead_ = false;
  std::vector<std::string> droppedFiles_;

  QTimer scrollTimer_;
  int scrollMargin_ = 0;
  QScrollBar* scrollBar_ = nullptr;  // the bar the timer moves, and which way
  int scrollStep_ = 0;
};
