// A tune path that is not a readable MIDI file fails the open at once: never blocks on a
// pipe with no writer, never reads an endless device or a file far larger than any tune, never takes a
// foreign file.
#include "platform/music/FluidMidiSynth.h"
#include "platform/music/MediaDeviceError.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

TEST(TuneFileTest, PipesDevicesFoldersAndForeignFilesAreRefusedAtOnce) {
  std::string pattern = (fs::temp_directory_path() / "tunes.XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path folder = pattern;
  ASSERT_EQ(::mkfifo((folder / "pipe.mid").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", folder / "zero.mid");
  fs::create_directory(folder / "folder.mid");
  std::ofstream(folder / "text.mid") << "not a tune";
  std::ofstream(folder / "huge.mid") << "MThd";
  fs::resize_file(folder / "huge.mid", 64u << 20);  // sparse: a tune header, then 64 MiB

  FluidMidiSynth synth(folder);  // no SoundFont there: the synth stays silent
  for (const char* name : {"pipe.mid", "zero.mid", "folder.mid", "text.mid", "huge.mid", "missing.mid"})
    EXPECT_THROW(synth.load(folder / name), MediaDeviceError) << name;
  fs::remove_all(folder);
}

}  // namespace
}  // namespace platform
