#pragma once
// Where the program lives and where a user's own files go.
#include <filesystem>
#include <string>

namespace platform {

// The folder of the running executable (resolved from /proc/self/exe).
std::filesystem::path executableDir();

// $XDG_DATA_HOME/<program>, else ~/.local/share/<program>. Not created here.
std::filesystem::path userDataDir(const std::string& program);

// $XDG_CONFIG_HOME, else ~/.config.
std::filesystem::path userConfigHome();

}  // namespace platform
