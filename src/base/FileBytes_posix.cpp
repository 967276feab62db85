#include "base/FileBytes.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now; the errno of a failed close, else 0.
  int Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links to the path of the file they end at, which need not exist yet.
int FinalTarget(const std::string& path, std::string& target) {
  target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info;
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      return 0;
    }
    char link[PATH_MAX];
    ssize_t length = ::readlink(target.c_str(), link, sizeof link);
    if (length < 0) {
      return errno;
    }
    if (static_cast<size_t>(length) == sizeof link) {
      return ENAMETOOLONG;
    }
    std::string next(link, static_cast<size_t>(length));
    target = next.front() == '/' ? next : FolderOf(target) + "/" + next;
  }
  return ELOOP;
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

// Opens a fresh temporary file beside target, named after it.
int OpenTemporary(const std::string& target, std::string& temporary) {
  static std::atomic<unsigned> counter{0};
  std::string folder = FolderOf(target);
  size_t slash = target.rfind('/');
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = folder + "/." + name + "." + std::to_string(::getpid()) + "." +
                std::to_string(counter++) + ".tmp";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

// Matches the old file's mode and owner, writes and flushes the temporary file. The mode
// comes first, so that the content of a file only its owner may read is never more open.
int FillTemporary(Descriptor& file, std::string_view bytes, const struct stat* old) {
  if (old != nullptr) {
    if (::fchmod(file.Get(), old->st_mode & 07777) != 0) {
      return errno;
    }
    // Only a privileged process can give the file back to another owner; others keep it.
    (void)!::fchown(file.Get(), old->st_uid, old->st_gid);
  }
  if (int error = WriteAll(file.Get(), bytes)) {
    return error;
  }
  if (::fsync(file.Get()) != 0) {
    return errno;
  }
  return file.Close();
}

}  // namespace

int ReadFileBytes(const std::string& path, std::string& bytes) {
  if (path.empty()) {
    return ENOENT;
  }
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) {
    return errno;
  }
  struct stat info;
  if (::fstat(file.Get(), &info) != 0) {
    return errno;
  }
  if (S_ISDIR(info.st_mode)) {
    return EISDIR;
  }
  // One read for a regular file of the size fstat gives; the loop covers files that grow.
  std::string content(static_cast<size_t>(info.st_size > 0 ? info.st_size : 0) + 1, '\0');
  size_t filled = 0;
  while (true) {
    if (filled == content.size()) {
      content.resize(content.size() * 2);
    }
    ssize_t got = ::read(file.Get(), content.data() + filled, content.size() - filled);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (got == 0) {
      break;
    }
    filled += static_cast<size_t>(got);
  }
  content.resize(filled);
  bytes = std::move(content);
  return 0;
}

int ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) {
    return ENOENT;
  }
  std::string target;
  if (int error = FinalTarget(path, target)) {
    return error;
  }
  struct stat old;
  bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) {
    return S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
  }
  std::string temporary;
  Descriptor file(OpenTemporary(target, temporary));
  if (file.Get() < 0) {
    return errno;
  }
  int error = FillTemporary(file, bytes, exists ? &old : nullptr);
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::unlink(temporary.c_str());
    return error;
  }
  // The rename itself reaches the disk with the folder.
  Descriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0) {
    ::fsync(folder.Get());
  }
  return 0;
}
