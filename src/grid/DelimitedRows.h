#pragma once
// The grid's delimited row files: one line per row, the cells of the data columns joined
// by one delimiter character, CR LF after every line. Nothing is quoted on writing; on
// reading, a double quote protects delimiters up to the next one (ExtractField). The
// schedule file is this format with a tab and no title line; the comma files add the
// title line.

#include <string>
#include <string_view>
#include <vector>

#include "grid/CellTable.h"

// The file's text: with titles row 0's data cells first, then every data row, also rows
// whose cells are all empty; each line ends in CR LF.
std::string DelimitedRowsText(const CellTable& table, char delimiter, bool withTitles);

// Writes DelimitedRowsText to the file, replacing it whole and atomically; an empty file
// name writes nothing. Raises EFCreateError "Cannot create file %s" when the file cannot
// be created and EWriteError "Stream write error" when writing fails; in both cases the
// old file stays exactly as it was. The table is not changed.
void SaveRowsToDelimitedFile(const CellTable& table, const std::string& fileName,
                             char delimiter, bool withTitles);

// Replaces the table's content with the file's lines (see LoadDelimitedRows). Returns
// false, touching nothing, when no such file exists; raises EFOpenError "Cannot open file
// %s", touching nothing, when it exists but cannot be read.
bool LoadRowsFromDelimitedFile(CellTable& table, const std::string& fileName,
                               char delimiter, bool withTitles);

// Lines of a text: a line ends at CR LF, a lone CR or a lone LF; a last line without an
// end counts; a NUL ends the text.
std::vector<std::string> SplitLines(std::string_view text);

// Empties every cell (titles and fixed columns too), then fills the data columns from the
// lines: with titles the first line goes to row 0, every other line to the next data row.
// Fields beyond the last data column are ignored, missing ones give empty cells. RowCount
// becomes FixedRows plus the number of data lines, at least FixedRows + 1.
void LoadDelimitedRows(CellTable& table, std::string_view text, char delimiter, bool withTitles);
