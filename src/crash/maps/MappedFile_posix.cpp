#include "crash/maps/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

TMappedFile::TMappedFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat status;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
    void* data = mmap(nullptr, size_t(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (data != MAP_FAILED) {
      data_ = data;
      size_ = size_t(status.st_size);
    }
  }
  close(fd);
}

TMappedFile::~TMappedFile() {
  if (data_) munmap(data_, size_);
}

std::optional<int64_t> FileWriteTime(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  return int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}
