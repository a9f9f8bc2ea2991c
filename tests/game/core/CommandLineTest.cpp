// The program's options and where a run finds its assets and keeps its profile.
#include "game/core/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

namespace game {
namespace {

using Action = CommandLine::Action;

CommandLine parse(std::vector<std::string> rest) {
  rest.insert(rest.begin(), "/opt/games/bin/pomuri");
  return parseCommandLine(rest, "9.8.7");
}

TEST(CommandLineTest, NoArgumentsRunsWithoutSeedOrDataFolder) {
  CommandLine line = parse({});
  EXPECT_EQ(line.action, Action::Run);
  EXPECT_FALSE(line.seed.has_value());
  EXPECT_FALSE(line.dataDir.has_value());
  EXPECT_EQ(line.output, "");
}

TEST(CommandLineTest, SeedAndDataFolderInBothSpellings) {
  struct Case {
    std::vector<std::string> args;
    std::uint64_t seed;
    std::string dataDir;
  };
  const Case cases[] = {
      {{"--seed", "42", "--data-dir", "/srv/p"}, 42, "/srv/p"},
      {{"--seed=7", "--data-dir=rel/dir"}, 7, "rel/dir"},
      {{"--data-dir", "a b", "--seed", "0"}, 0, "a b"},
      {{"--seed", "18446744073709551615", "--data-dir=/x"}, 18446744073709551615ull, "/x"},
      {{"--seed", "1", "--seed", "2", "--data-dir", "/first", "--data-dir", "/last"}, 2, "/last"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.args.back());
    CommandLine line = parse(c.args);
    ASSERT_EQ(line.action, Action::Run) << line.output;
    ASSERT_TRUE(line.seed.has_value());
    EXPECT_EQ(*line.seed, c.seed);
    ASSERT_TRUE(line.dataDir.has_value());
    EXPECT_EQ(line.dataDir->string(), c.dataDir);
  }
}

TEST(CommandLineTest, HelpAndVersionAreAnsweredFirst) {
  CommandLine help = parse({"--seed", "3", "--help", "--bogus"});
  EXPECT_EQ(help.action, Action::PrintHelp);
  EXPECT_EQ(help.exitCode, 0);
  for (const char* mentioned : {"Usage: pomuri", "--seed N", "--data-dir DIR", "--help", "--version",
                                "-platform"})
    EXPECT_NE(help.output.find(mentioned), std::string::npos) << mentioned;
  EXPECT_EQ(help.output.back(), '\n');

  CommandLine version = parse({"--version"});
  EXPECT_EQ(version.action, Action::PrintVersion);
  EXPECT_EQ(version.output, "pomuri 9.8.7\n");
}

TEST(CommandLineTest, MistakesExitWithTwoAndPointToHelp) {
  struct Case {
    std::vector<std::string> args;
    std::string firstLine;
  };
  const Case cases[] = {
      {{"--x"}, "pomuri: unknown option '--x'"},
      {{"-x"}, "pomuri: unknown option '-x'"},
      {{"--seed=4", "--colour=red"}, "pomuri: unknown option '--colour=red'"},
      {{"--seed"}, "pomuri: option '--seed' requires an argument"},
      {{"--data-dir"}, "pomuri: option '--data-dir' requires an argument"},
      {{"--data-dir="}, "pomuri: option '--data-dir' requires a folder"},
      {{"--seed", "12a"}, "pomuri: invalid seed '12a': expected a number from 0 to 18446744073709551615"},
      {{"--seed", "-1"}, "pomuri: invalid seed '-1': expected a number from 0 to 18446744073709551615"},
      {{"--seed="}, "pomuri: invalid seed '': expected a number from 0 to 18446744073709551615"},
      {{"--seed", "18446744073709551616"},
       "pomuri: invalid seed '18446744073709551616': expected a number from 0 to 18446744073709551615"},
      {{"--help=yes"}, "pomuri: option '--help' takes no value"},
      {{"stray"}, "pomuri: unexpected argument 'stray'"},
      {{"-"}, "pomuri: unexpected argument '-'"},
      {{"-platform"}, "pomuri: option '-platform' requires an argument"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front());
    CommandLine line = parse(c.args);
    EXPECT_EQ(line.action, Action::Fail);
    EXPECT_EQ(line.exitCode, 2);
    EXPECT_EQ(line.output, c.firstLine + "\nTry 'pomuri --help' for more information.\n");
  }
}

TEST(CommandLineTest, ToolkitOptionsAndTheirValuesPassThrough) {
  const std::vector<std::vector<std::string>> lines = {
      {"-platform", "offscreen", "--seed", "5"},
      {"--platform", "xcb", "--seed", "5"},
      {"-style=fusion", "-reverse", "--seed", "5"},
      // A value that looks like one of ours belongs to the toolkit option before it.
      {"-qwindowtitle", "--seed", "--seed", "5"},
      {"-display", ":3", "-widgetcount", "--seed=5"},
  };
  for (const auto& args : lines) {
    SCOPED_TRACE(args.front());
    CommandLine line = parse(args);
    ASSERT_EQ(line.action, Action::Run) << line.output;
    EXPECT_EQ(line.seed, std::optional<std::uint64_t>(5));
  }
}

// A file system of named folders; writable ones are listed separately.
struct FakeFolders {
  std::set<std::filesystem::path> folders;
  std::set<std::filesystem::path> writable;
  PathProbe probe() const {
    return {[this](const std::filesystem::path& p) { return folders.count(p.lexically_normal()) > 0; },
            [this](const std::filesystem::path& p) { return writable.count(p.lexically_normal()) > 0; }};
  }
};

TEST(GamePathsTest, AssetFolderAndProfileForEachWayOfRunning) {
  const std::filesystem::path user = "/home/u/.local/share/pomuri/my.dat";
  struct Case {
    const char* what;
    std::optional<std::filesystem::path> dataDir;
    std::filesystem::path exeDir;
    std::set<std::filesystem::path> folders;
    std::set<std::filesystem::path> writable;
    std::filesystem::path assetRoot;
    std::filesystem::path primary;
    bool installed;
    std::filesystem::path readOnly = {};
  };
  const Case cases[] = {
      {"build tree", std::nullopt, "/src/build/bin",
       {"/src/build/bin/dat", "/src/build/bin/cg"}, {"/src/build/bin/dat"},
       "/src/build/bin", "/src/build/bin/dat/my.dat", false},
      {"install under a prefix", std::nullopt, "/usr/local/bin",
       {"/usr/local/share/pomuri/dat", "/usr/local/share/pomuri/cg"}, {},
       "/usr/local/share/pomuri", user, true},
      {"install writable by this user keeps the profile out of it", std::nullopt, "/tmp/pfx/bin",
       {"/tmp/pfx/share/pomuri/dat"}, {"/tmp/pfx/share/pomuri/dat"},
       "/tmp/pfx/share/pomuri", user, true},
      {"copied folder that cannot be written: a profile left there is still read", std::nullopt,
       "/media/cd", {"/media/cd/dat"}, {}, "/media/cd", user, false, "/media/cd/dat/my.dat"},
      {"folder beside the program wins over an install", std::nullopt, "/usr/bin",
       {"/usr/bin/dat", "/usr/share/pomuri/dat"}, {"/usr/bin/dat"}, "/usr/bin", "/usr/bin/dat/my.dat",
       false},
      {"nothing anywhere: looked for beside the program", std::nullopt, "/x/bin", {}, {},
       "/x/bin", user, false, "/x/bin/dat/my.dat"},
      {"data folder given and writable", std::filesystem::path("/data/p"), "/usr/local/bin",
       {"/data/p/dat", "/usr/local/share/pomuri/dat"}, {"/data/p/dat"}, "/data/p",
       "/data/p/dat/my.dat", false},
      {"data folder given as the install folder", std::filesystem::path("/usr/local/bin/../share/pomuri"),
       "/usr/local/bin", {"/usr/local/share/pomuri/dat"}, {"/usr/local/share/pomuri/dat"},
       "/usr/local/bin/../share/pomuri", user, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFolders fs{c.folders, c.writable};
    GamePaths paths = resolveGamePaths(c.dataDir, c.exeDir, user, fs.probe());
    EXPECT_EQ(paths.assetRoot.lexically_normal(), c.assetRoot.lexically_normal());
    EXPECT_EQ(paths.profilePrimary, c.primary);
    EXPECT_EQ(paths.profileFallback, user);
    EXPECT_EQ(paths.installed, c.installed);
    EXPECT_EQ(paths.profileReadOnly, c.readOnly);
  }
}

}  // namespace
}  // namespace game
