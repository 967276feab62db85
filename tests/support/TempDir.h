#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.
#include <string>

class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending in "/".
  const std::string& Path() const { return path_; }
  // Path() + name.
  std::string File(const std::string& name) const { return path_ + name; }

  // Writes bytes to Path() + name and returns the full path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // The bytes of a file; empty when it cannot be read.
  static std::string Read(const std::string& path);

private:
  std::string path_;
};
