#include "grid/DelimitedRows.h"

#include <cerrno>

#include "base/Exceptions.h"
#include "base/FileBytes.h"
#include "profile/TextFields.h"

namespace {

void AppendLine(std::string& text, const CellTable& table, int row, char delimiter) {
  for (int col = table.FixedCols(); col < table.ColCount(); ++col) {
    if (col > table.FixedCols()) text += delimiter;
    text += table.Cell(col, row);
  }
  text += "\r\n";
}

void FillDataColumns(CellTable& table, int row, const std::string& line, char delimiter) {
  for (int col = table.FixedCols(); col < table.ColCount(); ++col)
    table.SetCell(col, row, ExtractField(line, delimiter, col - table.FixedCols()));
}

// Errors of the write itself; every other failure means the file could not be created.
bool IsWriteFailure(int error) {
  return error == EFBIG || error == ENOSPC || error == EDQUOT || error == EIO;
}

// What the platform called "no such file": nothing of that name, or a folder.
bool IsMissingFile(int error) { return error == ENOENT || error == ENOTDIR || error == EISDIR; }

}  // namespace

std::string DelimitedRowsText(const CellTable& table, char delimiter, bool withTitles) {
  std::string text;
  if (withTitles) AppendLine(text, table, 0, delimiter);
  for (int row = table.FixedRows(); row < table.RowCount(); ++row)
    AppendLine(text, table, row, delimiter);
  return text;
}

void SaveRowsToDelimitedFile(const CellTable& table, const std::string& fileName,
                             char delimiter, bool withTitles) {
  std::string text = DelimitedRowsText(table, delimiter, withTitles);
  if (fileName.empty()) return;
  int error = ReplaceFileAtomically(fileName, text);
  if (error == 0) return;
  if (IsWriteFailure(error)) throw EWriteError("Stream write error");
  throw EFCreateError(Format("Cannot create file %s", fileName));
}

bool LoadRowsFromDelimitedFile(CellTable& table, const std::string& fileName,
                               char delimiter, bool withTitles) {
  std::string bytes;
  int error = ReadFileBytes(fileName, bytes);
  if (IsMissingFile(error)) return false;
  if (error != 0) throw EFOpenError(Format("Cannot open file %s", fileName));
  LoadDelimitedRows(table, bytes, delimiter, withTitles);
  return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
      ++start;
  }
  return lines;
}

void LoadDelimitedRows(CellTable& table, std::string_view text, char delimiter, bool withTitles) {
  std::vector<std::string> lines = SplitLines(text);
  for (int row = 0; row < table.RowCount(); ++row) table.ClearRow(row);
  table.SetRowCount(table.FixedRows() + 1);
  size_t next = 0;
  if (withTitles && next < lines.size()) FillDataColumns(table, 0, lines[next++], delimiter);
  for (int row = table.FixedRows(); next < lines.size(); ++row, ++next) {
    if (row == table.RowCount()) table.SetRowCount(row + 1);
    FillDataColumns(table, row, lines[next], delimiter);
  }
}
