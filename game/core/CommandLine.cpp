#include "game/core/CommandLine.h"

#include <array>
#include <charconv>
#include <string_view>
#include <unistd.h>

namespace game {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kProgram = "pomuri";

// The toolkit's own options, read by it after us. Each may be written with one dash or two.
struct ToolkitOption {
  std::string_view name;
  bool takesValue;
};
constexpr std::array kToolkitOptions{
    ToolkitOption{"platform", true},      ToolkitOption{"platformpluginpath", true},
    ToolkitOption{"platformtheme", true}, ToolkitOption{"plugin", true},
    ToolkitOption{"qwindowgeometry", true}, ToolkitOption{"qwindowicon", true},
    ToolkitOption{"qwindowtitle", true},  ToolkitOption{"session", true},
    ToolkitOption{"display", true},       ToolkitOption{"name", true},
    ToolkitOption{"geometry", true},      ToolkitOption{"style", true},
    ToolkitOption{"stylesheet", true},    ToolkitOption{"reverse", false},
    ToolkitOption{"widgetcount", false},  ToolkitOption{"nograb", false},
    ToolkitOption{"dograb", false},       ToolkitOption{"sync", false},
    ToolkitOption{"qmljsdebugger", true},
};

const ToolkitOption* findToolkitOption(std::string_view name) {
  for (const ToolkitOption& option : kToolkitOptions)
    if (option.name == name) return &option;
  return nullptr;
}

std::string helpText() {
  std::string text;
  text += "Usage: pomuri [OPTION]...\n";
  text += "A joke fortune-telling game in one window.\n\n";
  text += "  --seed N         seed the game's random choices with N (0 to 2^64-1),\n";
  text += "                   so the same clicks give the same run\n";
  text += "  --data-dir DIR   read the game's dat/ and cg/ folders from DIR\n";
  text += "  --help           show this help and exit\n";
  text += "  --version        show the version and exit\n\n";
  text += "The toolkit's own options (-platform NAME, -display DISPLAY, -reverse, ...)\n";
  text += "are accepted as well. The profile is kept in $XDG_DATA_HOME/pomuri/my.dat\n";
  text += "(~/.local/share/pomuri/my.dat) unless the game runs from a folder of its own.\n";
  return text;
}

CommandLine failure(const std::string& message, bool suggestHelp) {
  CommandLine result;
  result.action = CommandLine::Action::Fail;
  result.exitCode = 2;
  result.output = std::string(kProgram) + ": " + message + "\n";
  if (suggestHelp) result.output += "Try '" + std::string(kProgram) + " --help' for more information.\n";
  return result;
}

std::optional<std::uint64_t> parseSeed(std::string_view text) {
  std::uint64_t value = 0;
  if (text.empty()) return std::nullopt;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments, const std::string& version) {
  CommandLine result;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument[0] != '-')
      return failure("unexpected argument '" + argument + "'", true);

    const bool doubleDash = argument.starts_with("--");
    std::string_view body = std::string_view(argument).substr(doubleDash ? 2 : 1);
    std::optional<std::string> inlineValue;
    std::string_view name = body;
    if (auto equals = body.find('='); equals != std::string_view::npos) {
      name = body.substr(0, equals);
      inlineValue = std::string(body.substr(equals + 1));
    }
    // The value of an option: after '=' or the next argument.
    auto takeValue = [&](std::string& value) {
      if (inlineValue) {
        value = *inlineValue;
        return true;
      }
      if (i + 1 >= arguments.size()) return false;
      value = arguments[++i];
      return true;
    };
    const std::string optionName = "--" + std::string(name);

    if (doubleDash && (name == "help" || name == "version")) {
      if (inlineValue) return failure("option '" + optionName + "' takes no value", true);
      if (name == "help") {
        result.action = CommandLine::Action::PrintHelp;
        result.output = helpText();
      } else {
        result.action = CommandLine::Action::PrintVersion;
        result.output = std::string(kProgram) + " " + version + "\n";
      }
      return result;  // the first such request wins; nothing after it is looked at
    }
    if (doubleDash && name == "seed") {
      std::string value;
      if (!takeValue(value)) return failure("option '--seed' requires an argument", true);
      std::optional<std::uint64_t> seed = parseSeed(value);
      if (!seed) return failure("invalid seed '" + value + "': expected a number from 0 to 18446744073709551615", true);
      result.seed = seed;
      continue;
    }
    if (doubleDash && name == "data-dir") {
      std::string value;
      if (!takeValue(value)) return failure("option '--data-dir' requires an argument", true);
      if (value.empty()) return failure("option '--data-dir' requires a folder", true);
      result.dataDir = fs::path(value);
      continue;
    }
    if (const ToolkitOption* option = findToolkitOption(name)) {
      // Left in place for the toolkit; only its value is stepped over.
      if (option->takesValue && !inlineValue) {
        if (i + 1 >= arguments.size())
          return failure("option '" + argument + "' requires an argument", true);
        ++i;
      }
      continue;
    }
    return failure("unknown option '" + argument + "'", true);
  }
  return result;
}

PathProbe PathProbe::real() {
  PathProbe probe;
  probe.isDirectory = [](const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
  };
  probe.isWritable = [](const fs::path& path) { return ::access(path.c_str(), W_OK) == 0; };
  return probe;
}

GamePaths resolveGamePaths(const std::optional<fs::path>& dataDir, const fs::path& executableDir,
                           const fs::path& userProfile, const PathProbe& probe) {
  GamePaths paths;
  paths.profileFallback = userProfile;
  const fs::path installedRoot = (executableDir / ".." / "share" / "pomuri").lexically_normal();
  if (dataDir) {
    paths.assetRoot = *dataDir;
    paths.installed = paths.assetRoot.lexically_normal() == installedRoot;
  } else if (probe.isDirectory(executableDir / "dat") || !probe.isDirectory(installedRoot / "dat")) {
    // Without an install beside it, the executable's folder is still the place to look, so
    // a missing dat/ is reported there rather than somewhere the player never put it.
    paths.assetRoot = executableDir;
  } else {
    paths.assetRoot = installedRoot;
    paths.installed = true;
  }
  const fs::path datFolder = paths.assetRoot / "dat";
  const bool besideAssets = !paths.installed && probe.isWritable(datFolder);
  paths.profilePrimary = besideAssets ? datFolder / "my.dat" : userProfile;
  if (!paths.installed && !besideAssets) paths.profileReadOnly = datFolder / "my.dat";
  return paths;
}

}  // namespace game
