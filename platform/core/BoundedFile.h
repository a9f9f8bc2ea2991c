#pragma once
// Reading a whole file whose size has a known bound, without ever blocking or growing
// without end. Every file the program reads comes through here: only a regular file is
// read (a named pipe, a device such as /dev/zero, a folder or a socket is refused at once:
// the file is opened non-blocking, so a pipe with no writer cannot hold up the open), and
// a file over its caller's bound is refused from its recorded size before any byte is
// read. A file that grows while it is read is cut at the bound plus one byte, so the
// caller can still tell that it was too large.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace platform {

struct BoundedFile {
  enum class Status {
    Ok,
    CannotOpen,      // open() failed; error holds errno
    NotRegularFile,  // a folder, pipe, device or socket
    TooLarge,        // more bytes than the bound
    ReadFailed,      // read() failed; error holds errno
    NoMemory,        // the buffer for the bytes could not be allocated
  };

  Status status = Status::CannotOpen;
  int error = 0;  // errno behind CannotOpen or ReadFailed, EISDIR for a folder
  std::unique_ptr<std::uint8_t[]> data;  // the bytes when Ok (not NUL-terminated)
  std::size_t size = 0;

  bool ok() const { return status == Status::Ok; }
  std::span<const std::uint8_t> bytes() const { return {data.get(), size}; }
  std::string_view text() const { return {reinterpret_cast<const char*>(data.get()), size}; }
  // The system's reason in English, as strerror gives it ("No such file or directory",
  // "Is a directory", "File too large", …); "Not a regular file" for a pipe or device.
  std::string reason() const;
};

// What happens to a regular file over the bound.
enum class OverBound {
  Refuse,    // TooLarge, no bytes
  KeepHead,  // Ok with the first bound + 1 bytes, so the caller sees that more followed
};

// Reads `file` whole when it is a regular file of at most `bound` bytes.
BoundedFile readBoundedFile(const std::filesystem::path& file, std::size_t bound,
                            OverBound over = OverBound::Refuse);

}  // namespace platform

namespace platform {

// Writes one line "<program>: <file>: <what>" to standard error, for trouble with a file
// that the program carries on without (a damaged picture, an unreadable setting file).
void warnAboutFile(const std::filesystem::path& file, std::string_view what);

}  // namespace platform
