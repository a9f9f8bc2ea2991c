#include "platform/core/AppPaths.h"

#include <cstdlib>
#include <unistd.h>

namespace platform {
namespace {

std::filesystem::path homeDir() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  return "/tmp";
}

std::filesystem::path xdgDir(const char* variable, const char* fallbackUnderHome) {
  if (const char* value = std::getenv(variable); value && *value && value[0] == '/') return value;
  return homeDir() / fallbackUnderHome;
}

}  // namespace

std::filesystem::path executableDir() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path();
  return exe.parent_path();
}

std::filesystem::path userDataDir(const std::string& program) {
  return xdgDir("XDG_DATA_HOME", ".local/share") / program;
}

std::filesystem::path userConfigHome() { return xdgDir("XDG_CONFIG_HOME", ".config"); }

}  // namespace platform
