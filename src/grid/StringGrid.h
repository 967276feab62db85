#pragma once
// The base string grid: a table of text cells shown in an item view, with the platform
// grid's semantics. Fixed rows and columns are title cells drawn in the view's headers,
// so they stay in place while the rest scrolls, and cannot be edited; the body hides them.
// Cell coordinates are (column, row) over the whole table, fixed cells included.

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <string>

#include "grid/CellTable.h"
#include "grid/GridOptions.h"

class GridModel;

struct TGridCoord {
  int X;  // column
  int Y;  // row
  bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
  int Left;
  int Top;
  int Right;
  int Bottom;
  bool operator==(const TGridRect&) const = default;
};

class TStringGrid : public QTableView, private CellTableObserver {
  Q_OBJECT
public:
  explicit TStringGrid(QWidget* parent = nullptr);
  ~TStringGrid() override;

  // The cells without the window, for code that works on the table alone.
  CellTable& Cells() { return table_; }
  const CellTable& Cells() const { return table_; }
  const std::string& Cell(int col, int row) const { return table_.Cell(col, row); }
  void SetCell(int col, int row, const std::string& text) { table_.SetCell(col, row, text); }

  int ColCount() const { return table_.ColCount(); }
  int RowCount() const { return table_.RowCount(); }
  int FixedCols() const { return table_.FixedCols(); }
  int FixedRows() const { return table_.FixedRows(); }
  void SetColCount(int count) { table_.SetColCount(count); }
  void SetRowCount(int count) { table_.SetRowCount(count); }
  void SetFixedCols(int count) { table_.SetFixedCols(count); }
  void SetFixedRows(int count) { table_.SetFixedRows(count); }

  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions options);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int DefaultRowHeight() const { return rowHeight_; }
  void SetDefaultRowHeight(int height);

  // The current cell.
  int Col() const;
  int Row() const;
  void SetCol(int col);
  void SetRow(int row);
  // The first row shown below the fixed rows.
  int TopRow() const;
  void SetTopRow(int row);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& rect);

  // Row operations of the table, with the view kept in step.
  void MoveRow(int from, int to) { table_.MoveRow(from, to); }
  void DeleteRow(int row) { table_.DeleteRow(row); }

  // The cell under a point of this widget; {-1, -1} outside every cell.
  TGridCoord MouseCoord(int x, int y) const;

  // The in-place editor of the current cell while it is shown, else nullptr; modified once
  // the user changed its text.
  QLineEdit* InplaceEditor() const { return editor_; }
  bool EditorModified() const;

signals:
  // A cell was clicked or the current cell moved.
  void Click();
  void KeyUp(int key, Qt::KeyboardModifiers shift);

protected:
  // Called before the view handles a pressed key; setting key to 0 stops that handling.
  virtual void KeyDown(int& key, Qt::KeyboardModifiers shift) {}
  // Called after the view handled a press anywhere in the grid, titles included.
  virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {}
  // Every change of the in-place editor's text; stores it in the cell.
  virtual void SetEditText(int col, int row, const std::string& text) { SetCell(col, row, text); }

  // Sorting and loading change many cells: while a lock lives the view does not follow
  // the table, and catches up once when the last lock ends.
  class UpdateLock {
  public:
    explicit UpdateLock(TStringGrid& grid) : grid_(grid) { ++grid_.updateLock_; }
    ~UpdateLock() {
      if (--grid_.updateLock_ == 0) grid_.ShapeChanged();
    }
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

  private:
    TStringGrid& grid_;
  };

  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
  class InplaceDelegate;

  void CellChanged(int col, int row) override;
  void ShapeChanged() override;
  void ApplyFixedCells();
  void ApplyOptions();
  void ShowEditorIfAlways();
  int FixedColsWidth() const;

  CellTable table_;
  GridModel* model_;
  TGridOptions options_;
  std::vector<int> colWidths_;
  int rowHeight_ = 24;
  int hiddenRows_ = 0;
  int hiddenCols_ = 0;
  int updateLock_ = 0;
  bool inTitlePress_ = false;
  QPointer<QLineEdit> editor_;
};
