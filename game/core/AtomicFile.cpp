#include "game/core/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace game {
namespace {

std::string reason(int error) { return std::generic_category().message(error); }

std::string quoted(const std::filesystem::path& p) { return "「" + p.string() + "」"; }

// Closes a descriptor on every path out of the function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { reset(); }
  int get() const { return fd_; }
  // Closes now; returns close()'s result (0 when there was nothing to close).
  int reset() {
    int r = 0;
    if (fd_ >= 0) r = ::close(fd_);
    fd_ = -1;
    return r;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::filesystem::path atomicTempPath(const std::filesystem::path& target) {
  std::filesystem::path temp = target;
  temp += ".tmp";
  return temp;
}

AtomicWriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                      const std::function<bool(AtomicWriteStep)>& beforeStep) {
  AtomicWriteResult result;
  auto allowed = [&beforeStep](AtomicWriteStep step) {
    if (!beforeStep || beforeStep(step)) return true;
    errno = EIO;
    return false;
  };
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  const std::filesystem::path temp = atomicTempPath(target);

  FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.get() < 0) {
    result.error = quoted(folder) + " を開けません: " + reason(errno);
    return result;
  }
  // Held until folderFd closes; another process saving into this folder waits here.
  while (::flock(folderFd.get(), LOCK_EX) != 0 && errno == EINTR) {
  }

  mode_t mode = 0644;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) mode = old.st_mode & 0777;

  // A leftover temp (from a killed run, read-only, or a link to another file) is never
  // written through: it is unlinked and the temp is created afresh.
  ::unlink(temp.c_str());  // when this fails, the exclusive create below reports it
  FileDescriptor file(allowed(AtomicWriteStep::CreateTemp)
                          ? ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600)
                          : -1);
  if (file.get() < 0) {
    result.error = quoted(temp) + " を作れません: " + reason(errno);
    return result;
  }

  auto failAndRemoveTemp = [&](const std::string& what) {
    int error = errno;
    file.reset();
    ::unlink(temp.c_str());
    result.error = what + ": " + reason(error);
    return result;
  };

  if (!allowed(AtomicWriteStep::Write) || !writeAll(file.get(), bytes))
    return failAndRemoveTemp(quoted(temp) + " に書き込めません");
  if (::fchmod(file.get(), mode) != 0) return failAndRemoveTemp(quoted(temp) + " の属性を設定できません");
  if (!allowed(AtomicWriteStep::SyncFile) || ::fsync(file.get()) != 0)
    return failAndRemoveTemp(quoted(temp) + " をディスクに書き出せません");
  if (file.reset() != 0) return failAndRemoveTemp(quoted(temp) + " を閉じられません");
  if (!allowed(AtomicWriteStep::Rename) || ::rename(temp.c_str(), target.c_str()) != 0)
    return failAndRemoveTemp(quoted(temp) + " を " + quoted(target) + " に置き換えられません");
  if (!allowed(AtomicWriteStep::SyncFolder) || ::fsync(folderFd.get()) != 0) {
    result.error = quoted(folder) + " をディスクに書き出せません: " + reason(errno);
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace game
