#pragma once
// A file mapped read-only (maps and debug files are mapped, not read), and the write
// time of a file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TMappedFile {
public:
  explicit TMappedFile(const std::string& path);  // empty when the file cannot be mapped
  ~TMappedFile();
  TMappedFile(const TMappedFile&) = delete;
  TMappedFile& operator=(const TMappedFile&) = delete;

  bool IsOpen() const { return data_ != nullptr; }
  std::string_view Bytes() const { return {static_cast<const char*>(data_), size_}; }

private:
  void* data_ = nullptr;
  size_t size_ = 0;
};

// The last-write time of a file in nanoseconds, or nothing when it does not exist.
std::optional<int64_t> FileWriteTime(const std::string& path);
