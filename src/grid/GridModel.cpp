#include "grid/GridModel.h"

namespace {

QString ToQString(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

}  // namespace

GridModel::GridModel(CellTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), rows_(table.RowCount()), cols_(table.ColCount()) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_; }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return ToQString(table_.Cell(index.column(), index.row()));
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  // An editor may commit while its row is being removed; the table has dropped it already.
  if (index.row() >= table_.RowCount() || index.column() >= table_.ColCount()) return false;
  QByteArray bytes = value.toString().toLatin1();
  table_.SetCell(index.column(), index.row(), std::string(bytes.constData(), size_t(bytes.size())));
  return true;
}

// A header shows the fixed cells of its column (one line per fixed row) or of its row.
QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  QStringList parts;
  if (orientation == Qt::Horizontal) {
    for (int row = 0; row < table_.FixedRows(); ++row) parts << ToQString(table_.Cell(section, row));
    return parts.join('\n');
  }
  for (int col = 0; col < table_.FixedCols(); ++col) parts << ToQString(table_.Cell(col, section));
  return parts.join(' ');
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  bool fixed = index.row() < table_.FixedRows() || index.column() < table_.FixedCols();
  if (editable_ && !fixed) flags |= Qt::ItemIsEditable;
  return flags;
}

void GridModel::CellChanged(int col, int row) {
  if (col >= cols_ || row >= rows_) return Sync();
  QModelIndex cell = index(row, col);
  emit dataChanged(cell, cell);
  if (row < table_.FixedRows()) emit headerDataChanged(Qt::Horizontal, col, col);
  if (col < table_.FixedCols()) emit headerDataChanged(Qt::Vertical, row, row);
}

void GridModel::Sync() {
  if (table_.RowCount() > rows_) {
    beginInsertRows({}, rows_, table_.RowCount() - 1);
    rows_ = table_.RowCount();
    endInsertRows();
  } else if (table_.RowCount() < rows_) {
    beginRemoveRows({}, table_.RowCount(), rows_ - 1);
    rows_ = table_.RowCount();
    endRemoveRows();
  }
  if (table_.ColCount() > cols_) {
    beginInsertColumns({}, cols_, table_.ColCount() - 1);
    cols_ = table_.ColCount();
    endInsertColumns();
  } else if (table_.ColCount() < cols_) {
    beginRemoveColumns({}, table_.ColCount(), cols_ - 1);
    cols_ = table_.ColCount();
    endRemoveColumns();
  }
  emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
  emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
  emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}
