// The system calls behind the guarded read and the readable-range snapshot.
#include "crash/code/GuardedRead.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <string>

size_t GuardedReadSome(uintptr_t address, void* buffer, size_t length) {
  if (address == 0 || length == 0) return 0;
  // process_vm_readv on our own process copies without faulting and stops at the first
  // page it cannot read.
  iovec local{buffer, length};
  iovec remote{reinterpret_cast<void*>(address), length};
  ssize_t copied;
  do {
    copied = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
  } while (copied < 0 && errno == EINTR);
  return copied < 0 ? 0 : size_t(copied);
}

TReadableRanges ReadableRangesSnapshot() {
  int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  std::string text;
  char chunk[8192];
  ssize_t got;
  while ((got = read(fd, chunk, sizeof chunk)) != 0) {
    if (got < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return {};
    }
    text.append(chunk, size_t(got));
  }
  close(fd);
  return ParseReadableRanges(text.data(), text.size());
}
