#pragma once
// The item model a TStringGrid shows: model rows and columns are the table's, one to one.
// The model keeps its own counts and catches up with the table on Sync, so that Qt always
// sees rows announced before they are used, whatever order the table changed in.

#include <QAbstractTableModel>

#include "grid/CellTable.h"

class GridModel : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit GridModel(CellTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void SetEditable(bool editable) { editable_ = editable; }
  // One cell changed (a fixed cell changes a header's text).
  void CellChanged(int col, int row);
  // Adopts the table's counts and announces every cell as changed.
  void Sync();

private:
  CellTable& table_;
  int rows_;
  int cols_;
  bool editable_ = false;
};
