#pragma once
// What a file-name field's browse button starts from and what it puts back. Plain logic.

#include <string>

struct BrowseStart {
  std::string initialDir;  // empty: the dialog's own choice
  std::string fileName;    // the proposed name, or empty
};

// From the field's text: the whole text when it names an existing file, else its first
// word as a command line (a leading quoted part without its quotes, or the text up to the
// first blank). When that is a valid file name (not empty; none of < > " [ ] |; no "\"
// in its name part), the dialog starts in its folder if that exists, else in lastDir, and
// proposes its name part; otherwise it starts in lastDir and proposes nothing.
BrowseStart BrowseStartFor(const std::string& text, const std::string& lastDir);

// The field's new text for a chosen path: in double quotes when it holds a blank and
// does not already begin with a double quote, so it reads back as one word.
std::string FieldTextForChosenPath(const std::string& path);

// The folder of a path, up to and including its last "/"; empty without one.
std::string FolderOf(const std::string& path);
