#pragma once
// The program's command line, and where a run reads its assets and keeps its profile.
//
// Parsing happens before the windowing toolkit starts, so --help, --version and mistakes
// are answered without a display. The toolkit's own options (-platform NAME, -display D,
// -reverse, …) are let through untouched for it to read.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace game {

struct CommandLine {
  enum class Action {
    Run,          // start the game
    PrintHelp,    // print `output` to standard output, exit 0
    PrintVersion, // print `output` to standard output, exit 0
    Fail,         // print `output` to standard error, exit `exitCode`
  };
  Action action = Action::Run;
  std::optional<std::uint64_t> seed;                 // --seed N
  std::optional<std::filesystem::path> dataDir;      // --data-dir DIR
  std::string output;  // the text to print, with a final newline; empty for Run
  int exitCode = 0;
};

// arguments[0] is the program's path. `version` goes into the --version text.
// Accepted forms: "--seed N", "--seed=N", "--data-dir DIR", "--data-dir=DIR"; N is a
// decimal number 0 … 2^64−1. The first mistake decides: unknown option, missing or bad
// value, or a stray argument, each with exit code 2.
CommandLine parseCommandLine(const std::vector<std::string>& arguments,
                             const std::string& version);

// Where a run's files are. Filled by resolveGamePaths().
struct GamePaths {
  std::filesystem::path assetRoot;        // holds dat/ and cg/
  std::filesystem::path profilePrimary;   // where my.dat is kept first
  std::filesystem::path profileFallback;  // where it goes when the primary cannot be written
  // my.dat beside assets of no install whose dat/ cannot be written: read at start, so a
  // profile left there is not lost, but never written. Empty otherwise.
  std::filesystem::path profileReadOnly;
  bool installed = false;  // the assets came from <prefix>/share/pomuri beside bin/
};

// What resolveGamePaths() asks of the file system; tests give their own answers.
struct PathProbe {
  std::function<bool(const std::filesystem::path&)> isDirectory;
  std::function<bool(const std::filesystem::path&)> isWritable;  // by this user
  static PathProbe real();
};

// The asset folder is --data-dir when given, else the executable's folder when it holds
// dat/ (a build tree or a copied folder), else ../share/pomuri relative to it (an install).
// my.dat is kept beside the assets only when their dat/ folder belongs to no install and
// can be written by this user; otherwise the user's data file is the primary as well as the
// fallback, so a shared read-only install never gets a profile written into it. Outside an
// install, a read-only dat/ is still where an earlier profile may lie: profileReadOnly.
GamePaths resolveGamePaths(const std::optional<std::filesystem::path>& dataDir,
                           const std::filesystem::path& executableDir,
                           const std::filesystem::path& userProfile, const PathProbe& probe);

}  // namespace game
