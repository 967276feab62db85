#include "grid/MFStringGrid.h"

#include <QApplication>

#include "grid/DelimitedRows.h"
#include "grid/RowSort.h"

namespace {

// Every CR LF pair becomes one blank; a lone CR or LF stays.
std::string CrLfToBlank(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
      result += ' ';
      ++k;
    } else {
      result += text[k];
    }
  }
  return result;
}

// Painting off and the busy cursor for the time of a sort, restored on every way out.
class BusySort {
public:
  explicit BusySort(QWidget& widget) : widget_(widget) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    widget_.setUpdatesEnabled(false);
  }
  ~BusySort() {
    widget_.setUpdatesEnabled(true);
    widget_.update();
    QApplication::restoreOverrideCursor();
  }
  BusySort(const BusySort&) = delete;
  BusySort& operator=(const BusySort&) = delete;

private:
  QWidget& widget_;
};

}  // namespace

TMFStringGrid::TMFStringGrid(QWidget* parent) : TStringGrid(parent) {
  SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goRowSizing,
              goColSizing, goEditing, goTabs, goAlwaysShowEditor});
}

void TMFStringGrid::RemoveRow(int row) {
  if (Row() < FixedRows() || row < FixedRows() || row >= RowCount()) return;
  int topRow = TopRow();
  Cells().ClearRow(row);
  TGridRect selection = Selection();
  if (row != RowCount() - 1) DeleteRow(row);
  SetSelection(selection);
  SetTopRow(topRow);
  viewport()->update();
  SetModified(true);
}

void TMFStringGrid::SortByColumn(int col, bool ascending) {
  {
    BusySort busy(*this);
    UpdateLock lock(*this);
    SortRowsByColumn(Cells(), col, ascending);
  }
  SetModified(true);
}

void TMFStringGrid::InsertRowAt(int index) {
  SetRowCount(RowCount() + 1);
  MoveRow(RowCount() - 1, index);
  Cells().ClearRow(index);
  viewport()->update();
  SetModified(true);
}

void TMFStringGrid::MoveRowTo(int from, int to) {
  MoveRow(from, to);
  viewport()->update();
  SetModified(true);
}

void TMFStringGrid::AppendRow() {
  SetRowCount(RowCount() + 1);
  viewport()->update();
  SetModified(true);
}

void TMFStringGrid::SaveToCommaFile(const std::string& fileName) { SaveToDelimitedFile(fileName, ',', true); }

void TMFStringGrid::LoadFromCommaFile(const std::string& fileName, bool append) {
  LoadFromDelimitedFile(fileName, ',', append, true);
}

void TMFStringGrid::SaveToDelimitedFile(const std::string& fileName, char delimiter, bool withTitles) {
  SaveRowsToDelimitedFile(Cells(), fileName, delimiter, withTitles);
}

void TMFStringGrid::LoadFromDelimitedFile(const std::string& fileName, char delimiter, bool append,
                                          bool withTitles) {
  bool loaded;
  {
    UpdateLock lock(*this);
    loaded = LoadRowsFromDelimitedFile(Cells(), fileName, delimiter, withTitles);
  }
  if (loaded) SetModified(true);
}

void TMFStringGrid::KeyDown(int& key, Qt::KeyboardModifiers shift) {
  if (key != Qt::Key_Down || Row() != RowCount() - 1) return;
  bool add = newRowOnKeyDown_ == kdAlways || (newRowOnKeyDown_ == kdLastRowNotEmpty && LastRowHasText());
  if (!add) return;
  SetRowCount(RowCount() + 1);
  SetRow(RowCount() - 1);
  key = 0;
}

void TMFStringGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  if (sortOnTitleClick_ == tcNone) return;
  TGridCoord cell = MouseCoord(x, y);
  if (cell.Y != 0 || FixedRows() == 0) return;
  SortByColumn(cell.X, sortAscendingNext_);
  sortAscendingNext_ = !sortAscendingNext_;
}

void TMFStringGrid::SetEditText(int col, int row, const std::string& text) {
  TStringGrid::SetEditText(col, row, text);
  if (!eolToSpace_) return;
  const std::string& current = Cell(Col(), Row());
  std::string replaced = CrLfToBlank(current);
  if (replaced != current) SetCell(Col(), Row(), replaced);
  if (!modified_) modified_ = EditorModified();
}

bool TMFStringGrid::LastRowHasText() const {
  for (const std::string& cell : Cells().RowCells(RowCount() - 1))
    if (!cell.empty()) return true;
  return false;
}
