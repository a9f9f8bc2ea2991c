#include "platform/core/BoundedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <system_error>
#include <utility>

namespace platform {
namespace {

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

BoundedFile failure(BoundedFile::Status status, int error = 0) {
  BoundedFile result;
  result.status = status;
  result.error = error;
  return result;
}

}  // namespace

std::string BoundedFile::reason() const {
  switch (status) {
    case Status::Ok: return {};
    case Status::NotRegularFile:
      return error != 0 ? std::generic_category().message(error) : "Not a regular file";
    case Status::TooLarge: return std::generic_category().message(EFBIG);
    case Status::NoMemory: return std::generic_category().message(ENOMEM);
    case Status::CannotOpen:
    case Status::ReadFailed: break;
  }
  return std::generic_category().message(error);
}

BoundedFile readBoundedFile(const std::filesystem::path& file, std::size_t bound, OverBound over) {
  // O_NONBLOCK: opening a pipe that has no writer returns at once instead of waiting for
  // one. O_NOCTTY: a terminal named here never becomes the controlling one.
  const Descriptor input{::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
  if (input.fd < 0) return failure(BoundedFile::Status::CannotOpen, errno);
  struct stat info {};
  if (::fstat(input.fd, &info) != 0) return failure(BoundedFile::Status::ReadFailed, errno);
  if (S_ISDIR(info.st_mode)) return failure(BoundedFile::Status::NotRegularFile, EISDIR);
  if (!S_ISREG(info.st_mode)) return failure(BoundedFile::Status::NotRegularFile);
  const auto recorded = static_cast<std::uintmax_t>(info.st_size < 0 ? 0 : info.st_size);
  if (recorded > bound && over == OverBound::Refuse) return failure(BoundedFile::Status::TooLarge);

  // One byte past what is expected shows a file that grew (or one whose recorded size is
  // 0, as in /proc): the buffer then grows, never past the bound plus one byte.
  const std::size_t limit = bound + 1;
  std::size_t capacity = (recorded < bound ? static_cast<std::size_t>(recorded) : bound) + 1;
  BoundedFile result;
  result.data.reset(new (std::nothrow) std::uint8_t[capacity]);
  if (!result.data) return failure(BoundedFile::Status::NoMemory);
  for (;;) {
    if (result.size == capacity) {
      if (capacity == limit) break;
      const std::size_t larger = capacity < limit / 2 ? capacity * 2 : limit;
      std::unique_ptr<std::uint8_t[]> grown(new (std::nothrow) std::uint8_t[larger]);
      if (!grown) return failure(BoundedFile::Status::NoMemory);
      std::memcpy(grown.get(), result.data.get(), result.size);
      result.data = std::move(grown);
      capacity = larger;
    }
    const ssize_t got = ::read(input.fd, result.data.get() + result.size, capacity - result.size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return failure(BoundedFile::Status::ReadFailed, errno);
    if (got == 0) break;
    result.size += static_cast<std::size_t>(got);
  }
  if (result.size > bound && over == OverBound::Refuse) return failure(BoundedFile::Status::TooLarge);
  result.status = BoundedFile::Status::Ok;
  return result;
}

void warnAboutFile(const std::filesystem::path& file, std::string_view what) {
  // One write for the whole line, so that lines from two threads do not interleave.
  const std::string line = std::string(program_invocation_short_name) + ": " + file.string() +
                           ": " + std::string(what) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace platform
