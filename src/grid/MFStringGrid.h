#pragma once
// The editable string grid: row operations, sorting by a column on a title press, a new row
// on the down arrow at the last row, line breaks typed into a cell turned into blanks, a
// Modified flag for the owner, and the delimited row files.

#include <string>

#include "grid/StringGrid.h"

enum TOnKeyDown : unsigned char { kdNever, kdAlways, kdLastRowNotEmpty };
enum TOnTitleClick : unsigned char { tcNone, tcAscending, tcDescending };

class TMFStringGrid : public TStringGrid {
  Q_OBJECT
public:
  explicit TMFStringGrid(QWidget* parent = nullptr);

  TOnKeyDown NewRowOnKeyDown() const { return newRowOnKeyDown_; }
  void SetNewRowOnKeyDown(TOnKeyDown value) { newRowOnKeyDown_ = value; }
  // tcAscending and tcDescending both switch sorting on; the first sort is ascending.
  TOnTitleClick SortOnTitleClick() const { return sortOnTitleClick_; }
  void SetSortOnTitleClick(TOnTitleClick value) { sortOnTitleClick_ = value; }
  // Set by the grid's own changes; only the owner clears it.
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }
  bool EOLToSpace() const { return eolToSpace_; }
  void SetEOLToSpace(bool value) { eolToSpace_ = value; }
  // The direction of the next title-press sort, one for the whole grid.
  bool SortAscendingNext() const { return sortAscendingNext_; }
  const std::string& About() const { return about_; }
  void SetAbout(const std::string& value) { about_ = value; }

  // Removes a data row; the last row is emptied instead, so one data row always remains.
  // Nothing happens while the current row is fixed, or for a row outside the data rows.
  virtual void RemoveRow(int row);
  // Sorts the data rows by the column's text (std::out_of_range for a missing column).
  virtual void SortByColumn(int col, bool ascending);
  // Puts an empty row at index; the rows from there on move down.
  virtual void InsertRowAt(int index);
  virtual void MoveRowTo(int from, int to);
  virtual void AppendRow();
  // The comma files: the delimited files with "," and a title line.
  virtual void SaveToCommaFile(const std::string& fileName);
  virtual void LoadFromCommaFile(const std::string& fileName, bool append);

  // See DelimitedRows.h. Saving leaves Modified alone; a load from an existing file sets it.
  // The append flag is accepted for callers of the comma pair and has no effect: a load
  // always replaces the content.
  void SaveToDelimitedFile(const std::string& fileName, char delimiter, bool withTitles);
  void LoadFromDelimitedFile(const std::string& fileName, char delimiter, bool append, bool withTitles);

protected:
  void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
  void SetEditText(int col, int row, const std::string& text) override;

private:
  bool LastRowHasText() const;

  TOnKeyDown newRowOnKeyDown_ = kdAlways;
  TOnTitleClick sortOnTitleClick_ = tcAscending;
  bool modified_ = false;
  bool eolToSpace_ = true;
  bool sortAscendingNext_ = true;
  std::string about_ = "TMFStringGrid v1.01";
};
