#include "shell/DropFileTarget.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

#include "base/Exceptions.h"

namespace {
using Paths = std::vector<std::string>;
constexpr Qt::DropActions kAll = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

std::unique_ptr<QMimeData> Files(const QStringList& urls) {
  auto data = std::make_unique<QMimeData>();
  QList<QUrl> list;
  for (const QString& url : urls) list << QUrl(url);
  data->setUrls(list);
  return data;
}

std::unique_ptr<QMimeData> Text(const QString& text) {
  auto data = std::make_unique<QMimeData>();
  data->setText(text);
  return data;
}

// A list box with a drop target that records every drop, as the configuration editor has.
class DropFileTargetTest : public testing::Test {
protected:
  DropFileTargetTest() {
    list.setObjectName("lboxCompactFiles");
    list.resize(200, 120);
    target.RegisterTarget(&list);
    target.OnDrop = [this](TDropFileTarget& sender, TShiftState, QPoint, int& effect) {
      drops.push_back(sender.DroppedFiles());
      dropEffects.push_back(effect);
    };
  }

  // A whole drag from entering to the drop; the action reported at the drop, or
  // IgnoreAction when the drag was refused.
  Qt::DropAction Drag(QWidget* receiver, const QMimeData& data, Qt::DropActions allowed,
                      Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QPoint point(20, 40);
    QDragEnterEvent enter(point, allowed, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(receiver, &enter);
    if (!enter.isAccepted()) return Qt::IgnoreAction;
    QDragMoveEvent move(point, allowed, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(receiver, &move);
    if (!move.isAccepted()) return Qt::IgnoreAction;
    QDropEvent drop(QPointF(point), allowed, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(receiver, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
  }

  QListWidget list;
  TDropFileTarget target;
  std::vector<Paths> drops;
  std::vector<int> dropEffects;
};

TEST_F(DropFileTargetTest, HandsDroppedFilesToOnDropInTheSourcesOrder) {
  struct Case {
    const char* label;
    std::unique_ptr<QMimeData> data;
    Qt::DropActions allowed;
    Qt::KeyboardModifiers keys;
    Qt::DropAction reported;
    std::optional<Paths> dropped;  // nothing: OnDrop not called
  };
  Case cases[] = {
      {"three files in order",
       Files({"file:///data/c.mdb", "file:///data/a.mdb", "file:///data/b%20x.mdb"}), kAll,
       Qt::NoModifier, Qt::CopyAction, Paths{"/data/c.mdb", "/data/a.mdb", "/data/b x.mdb"}},
      {"a folder", Files({"file:///data/archive/"}), kAll, Qt::NoModifier, Qt::CopyAction,
       Paths{"/data/archive"}},
      {"non-ASCII path", Files({"file:///data/donn%C3%A9es.mdb"}), kAll, Qt::NoModifier,
       Qt::CopyAction, Paths{"/data/données.mdb"}},
      {"Shift and Ctrl: a link", Files({"file:///data/a.mdb"}), kAll,
       Qt::ShiftModifier | Qt::ControlModifier, Qt::LinkAction, Paths{"/data/a.mdb"}},
      {"Shift alone: a copy, never a move", Files({"file:///data/a.mdb"}), kAll,
       Qt::ShiftModifier, Qt::CopyAction, Paths{"/data/a.mdb"}},
      {"remote addresses left out", Files({"https://example.com/x.mdb", "file:///data/a.mdb"}),
       kAll, Qt::NoModifier, Qt::CopyAction, Paths{"/data/a.mdb"}},
      {"text only: refused", Text("/data/a.mdb"), kAll, Qt::NoModifier, Qt::IgnoreAction,
       std::nullopt},
      {"only remote addresses: refused", Files({"https://example.com/x.mdb"}), kAll,
       Qt::NoModifier, Qt::IgnoreAction, std::nullopt},
      {"a source that only moves: refused", Files({"file:///data/a.mdb"}), Qt::MoveAction,
       Qt::NoModifier, Qt::IgnoreAction, std::nullopt},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.label);
    drops.clear();
    EXPECT_EQ(Drag(list.viewport(), *c.data, c.allowed, c.keys), c.reported) << "row: " << c.label;
    if (c.dropped) {
      ASSERT_EQ(drops.size(), 1u) << "row: " << c.label;
      EXPECT_EQ(drops[0], *c.dropped) << "row: " << c.label;
    } else {
      EXPECT_TRUE(drops.empty()) << "row: " << c.label;
    }
    EXPECT_TRUE(target.DroppedFiles().empty()) << "row: " << c.label;
  }
}

TEST_F(DropFileTargetTest, ReportsTheEffectTheHandlerLeaves) {
  target.OnDrop = [](TDropFileTarget&, TShiftState, QPoint, int& effect) {
    effect = DROPEFFECT_LINK;
  };
  EXPECT_EQ(Drag(list.viewport(), *Files({"file:///a"}), kAll), Qt::LinkAction);
  target.OnDrop = [](TDropFileTarget&, TShiftState, QPoint, int& effect) {
    effect = DROPEFFECT_MOVE;  // never passed on: the source would delete its files
  };
  EXPECT_EQ(Drag(list.viewport(), *Files({"file:///a"}), kAll), Qt::IgnoreAction);
}

TEST_F(DropFileTargetTest, OneTargetPerControl) {
  TDropFileTarget second;
  try {
    second.RegisterTarget(&list);
    ADD_FAILURE() << "a second target took the control";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Failed to Register lboxCompactFiles");
  }
  try {
    second.RegisterTarget(nullptr);
    ADD_FAILURE() << "registered no control";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Failed to Register ");
  }

  // Registering the same control again changes nothing; another one moves the target.
  target.RegisterTarget(&list);
  EXPECT_EQ(Drag(list.viewport(), *Files({"file:///a"}), kAll), Qt::CopyAction);
  QLineEdit other;
  other.setObjectName("edtOther");
  target.RegisterTarget(&other);
  EXPECT_FALSE(list.viewport()->acceptDrops());
  EXPECT_EQ(Drag(list.viewport(), *Files({"file:///a"}), kAll), Qt::IgnoreAction);
  EXPECT_EQ(Drag(&other, *Files({"file:///b"}), kAll), Qt::CopyAction);
  EXPECT_EQ(drops, (std::vector<Paths>{{"/a"}, {"/b"}}));

  // Once withdrawn, the control is free for another target.
  target.UnregisterTarget();
  EXPECT_NO_THROW(second.RegisterTarget(&list));
}

TEST_F(DropFileTargetTest, ScrollsTowardsTheEdgeThePointerRestsNear) {
  for (int i = 0; i < 200; ++i) list.addItem(QString("/data/file%1.mdb").arg(i));
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  QScrollBar* bar = list.verticalScrollBar();
  bar->setValue(bar->maximum());
  int overEffect = 0;
  target.OnDragOver = [&](TDropFileTarget&, TShiftState, QPoint, int& effect) { overEffect = effect; };

  auto data = Files({"file:///a"});
  QDragEnterEvent enter(QPoint(50, 50), kAll, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &enter);
  QDragMoveEvent nearTop(QPoint(50, 2), kAll, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &nearTop);
  EXPECT_EQ(overEffect, DROPEFFECT_COPY | DROPEFFECT_SCROLL);
  int start = bar->value();
  EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() < start - 1; }, 5000))
      << "the list did not scroll up";

  // Back in the middle, scrolling stops.
  QDragMoveEvent middle(QPoint(50, list.viewport()->height() / 2), kAll, data.get(),
                        Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &middle);
  EXPECT_EQ(overEffect, DROPEFFECT_COPY);
  int stopped = bar->value();
  QTest::qWait(300);
  EXPECT_EQ(bar->value(), stopped);
  QDragLeaveEvent leave;
  QApplication::sendEvent(list.viewport(), &leave);
}
}  // namespace
