#include "grid/StringGrid.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "grid/GridModel.h"

namespace {

constexpr int kDefaultColWidth = 64;

std::string ToText(const QString& text) {
  QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), size_t(bytes.size()));
}

}  // namespace

// Makes the in-place editor: a line edit that reports every change of its text to the
// grid's edit-text hook and keeps its own modified state when the cell is updated under it.
class TStringGrid::InplaceDelegate : public QStyledItemDelegate {
public:
  explicit InplaceDelegate(TStringGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, editor, [this, cell](const QString& text) {
      if (cell.isValid()) grid_.SetEditText(cell.column(), cell.row(), ToText(text));
    });
    grid_.editor_ = editor;
    return editor;
  }

  void setEditorData(QWidget* widget, const QModelIndex& index) const override {
    auto* editor = static_cast<QLineEdit*>(widget);
    QString text = index.data(Qt::EditRole).toString();
    if (editor->text() == text) return;
    bool modified = editor->isModified();
    editor->setText(text);
    editor->setModified(modified);
  }

  void setModelData(QWidget* widget, QAbstractItemModel* model, const QModelIndex& index) const override {
    model->setData(index, static_cast<QLineEdit*>(widget)->text(), Qt::EditRole);
  }

  // The editor keeps its released keys; the grid's owner hears of them all the same.
  bool eventFilter(QObject* editor, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease) {
      auto* key = static_cast<QKeyEvent*>(event);
      emit grid_.KeyUp(key->key(), key->modifiers());
    }
    return QStyledItemDelegate::eventFilter(editor, event);
  }

private:
  TStringGrid& grid_;
};

TStringGrid::TStringGrid(QWidget* parent)
    : QTableView(parent), model_(new GridModel(table_, this)), colWidths_(table_.ColCount(), kDefaultColWidth) {
  setModel(model_);
  setItemDelegate(new InplaceDelegate(*this));
  setVerticalScrollMode(ScrollPerItem);
  horizontalHeader()->setSectionsClickable(false);
  verticalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->viewport()->installEventFilter(this);
  verticalHeader()->viewport()->installEventFilter(this);
  if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);
  // Hiding a fixed column resizes its section to 0; that is not a width the user chose.
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int size) {
    if (col >= FixedCols() && size > 0) colWidths_[size_t(col)] = size;
  });
  table_.SetObserver(this);
  SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect});
  ShapeChanged();
  SetDefaultRowHeight(rowHeight_);
  setCurrentIndex(model_->index(FixedRows(), FixedCols()));
}

TStringGrid::~TStringGrid() { table_.SetObserver(nullptr); }

void TStringGrid::SetOptions(TGridOptions options) {
  options_ = options;
  ApplyOptions();
}

void TStringGrid::ApplyOptions() {
  setShowGrid(options_.Contains(goVertLine) || options_.Contains(goHorzLine));
  setSelectionBehavior(options_.Contains(goRowSelect) ? SelectRows : SelectItems);
  setSelectionMode(options_.Contains(goRangeSelect) ? ContiguousSelection : SingleSelection);
  horizontalHeader()->setSectionResizeMode(options_.Contains(goColSizing) ? QHeaderView::Interactive
                                                                          : QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(options_.Contains(goRowSizing) ? QHeaderView::Interactive
                                                                        : QHeaderView::Fixed);
  horizontalHeader()->setSectionsMovable(options_.Contains(goColMoving));
  verticalHeader()->setSectionsMovable(options_.Contains(goRowMoving));
  bool editing = options_.Contains(goEditing);
  model_->SetEditable(editing);
  setEditTriggers(editing ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(options_.Contains(goTabs));
  ShowEditorIfAlways();
}

int TStringGrid::ColWidth(int col) const {
  return col >= 0 && col < ColCount() ? colWidths_[size_t(col)] : 0;
}

void TStringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  colWidths_[size_t(col)] = width;
  if (col < FixedCols())
    verticalHeader()->setFixedWidth(FixedColsWidth());
  else
    setColumnWidth(col, width);
}

void TStringGrid::SetDefaultRowHeight(int height) {
  rowHeight_ = height;
  verticalHeader()->setDefaultSectionSize(height);
  horizontalHeader()->setFixedHeight(std::max(FixedRows(), 1) * height);
}

int TStringGrid::Col() const { return currentIndex().isValid() ? currentIndex().column() : FixedCols(); }

int TStringGrid::Row() const { return currentIndex().isValid() ? currentIndex().row() : FixedRows(); }

void TStringGrid::SetCol(int col) {
  if (col >= 0 && col < ColCount()) setCurrentIndex(model_->index(Row(), col));
}

void TStringGrid::SetRow(int row) {
  if (row >= 0 && row < RowCount()) setCurrentIndex(model_->index(row, Col()));
}

int TStringGrid::TopRow() const {
  int row = rowAt(0);
  return row < 0 ? FixedRows() : row;
}

void TStringGrid::SetTopRow(int row) {
  if (row < FixedRows() || row >= RowCount()) return;
  scrollTo(model_->index(row, std::max(Col(), FixedCols())), PositionAtTop);
}

TGridRect TStringGrid::Selection() const {
  const QItemSelection ranges = selectionModel()->selection();
  if (ranges.isEmpty()) return {Col(), Row(), Col(), Row()};
  const QItemSelectionRange& range = ranges.first();
  return {range.left(), range.top(), range.right(), range.bottom()};
}

void TStringGrid::SetSelection(const TGridRect& rect) {
  int right = std::min(rect.Right, ColCount() - 1);
  int bottom = std::min(rect.Bottom, RowCount() - 1);
  if (rect.Left < 0 || rect.Top < 0 || rect.Left > right || rect.Top > bottom) return;
  QItemSelection range(model_->index(rect.Top, rect.Left), model_->index(bottom, right));
  selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
}

TGridCoord TStringGrid::MouseCoord(int x, int y) const {
  QPoint inBody = viewport()->mapFrom(this, QPoint(x, y));
  int col = -1;
  int row = -1;
  if (inBody.x() >= 0) {
    col = columnAt(inBody.x());
  } else if (x >= verticalHeader()->x()) {
    int left = verticalHeader()->x();
    for (int fixed = 0; fixed < FixedCols() && col < 0; ++fixed) {
      left += colWidths_[size_t(fixed)];
      if (x < left) col = fixed;
    }
  }
  if (inBody.y() >= 0) {
    row = rowAt(inBody.y());
  } else if (y >= horizontalHeader()->y() && FixedRows() > 0) {
    row = std::min((y - horizontalHeader()->y()) / rowHeight_, FixedRows() - 1);
  }
  if (col < 0 || row < 0) return {-1, -1};
  return {col, row};
}

bool TStringGrid::EditorModified() const { return editor_ && editor_->isModified(); }

void TStringGrid::keyPressEvent(QKeyEvent* event) {
  int key = event->key();
  KeyDown(key, event->modifiers());
  if (key == 0) {
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void TStringGrid::keyReleaseEvent(QKeyEvent* event) {
  QTableView::keyReleaseEvent(event);
  emit KeyUp(event->key(), event->modifiers());
}

void TStringGrid::mousePressEvent(QMouseEvent* event) {
  QTableView::mousePressEvent(event);
  QPoint at = event->position().toPoint();
  QPoint inGrid = viewport()->mapTo(this, at);
  MouseDown(event->button(), event->modifiers(), inGrid.x(), inGrid.y());
}

// Presses on the title cells (the headers and their corner) reach MouseDown after the
// header has handled them, as presses on the body do. The corner only reports the press.
bool TStringGrid::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  bool header = widget == horizontalHeader()->viewport() || widget == verticalHeader()->viewport();
  bool corner = widget && widget->parent() == this && qobject_cast<QAbstractButton*>(widget);
  if (event->type() != QEvent::MouseButtonPress || !(header || corner) || inTitlePress_)
    return QTableView::eventFilter(watched, event);
  auto* press = static_cast<QMouseEvent*>(event);
  QPoint inGrid = widget->mapTo(this, press->position().toPoint());
  if (header) {
    inTitlePress_ = true;
    QCoreApplication::sendEvent(widget, event);
    inTitlePress_ = false;
  }
  MouseDown(press->button(), press->modifiers(), inGrid.x(), inGrid.y());
  return true;
}

void TStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (current.isValid()) ShowEditorIfAlways();
  emit Click();
}

void TStringGrid::ShowEditorIfAlways() {
  if (!options_.Contains(goEditing) || !options_.Contains(goAlwaysShowEditor)) return;
  QModelIndex current = currentIndex();
  if (current.isValid() && (model_->flags(current) & Qt::ItemIsEditable) && state() != EditingState)
    edit(current);
}

void TStringGrid::CellChanged(int col, int row) {
  if (updateLock_ == 0) model_->CellChanged(col, row);
}

void TStringGrid::ShapeChanged() {
  if (updateLock_ > 0) return;
  colWidths_.resize(size_t(ColCount()), kDefaultColWidth);
  model_->Sync();
  ApplyFixedCells();
}

// Hides the fixed cells in the body (the headers show them) and sizes the headers to them.
void TStringGrid::ApplyFixedCells() {
  for (int row = 0; row < std::max(hiddenRows_, FixedRows()); ++row) setRowHidden(row, row < FixedRows());
  for (int col = 0; col < std::max(hiddenCols_, FixedCols()); ++col) setColumnHidden(col, col < FixedCols());
  hiddenRows_ = FixedRows();
  hiddenCols_ = FixedCols();
  for (int col = FixedCols(); col < ColCount(); ++col) setColumnWidth(col, colWidths_[size_t(col)]);
  horizontalHeader()->setVisible(FixedRows() > 0);
  verticalHeader()->setVisible(FixedCols() > 0);
  horizontalHeader()->setFixedHeight(std::max(FixedRows(), 1) * rowHeight_);
  verticalHeader()->setFixedWidth(FixedColsWidth());
}

int TStringGrid::FixedColsWidth() const {
  int width = 0;
  for (int col = 0; col < FixedCols(); ++col) width += colWidths_[size_t(col)];
  return width;
}
