// The cue operations: sounds by channel, the music, and the portrait. A cue never fails
// visibly: every failure is swallowed here.
#include "game/CueSink.h"
#include "game/QuietFailures.h"
#include "game/TForm1.h"
#include "platform/Pictures.h"

namespace game {

std::filesystem::path TForm1::soundPath(const std::string& file) const {
  return env_.assetRoot / "dat" / file;
}

std::filesystem::path TForm1::picturePath(const std::string& file) const {
  return env_.assetRoot / "cg" / file;
}

void TForm1::playWave(int channel, const std::string& file) {
  try {
    cues_.playWave(channel, file);
  } catch (...) {
  }
}

void TForm1::PlayWave0(const std::string& file) { playWave(0, file); }
void TForm1::PlayWave1(const std::string& file) { playWave(1, file); }
void TForm1::PlayWave2(const std::string& file) { playWave(2, file); }
void TForm1::PlayWave3(const std::string& file) { playWave(3, file); }

void TForm1::PlayMusic(const std::string& name) {
  if (name.empty()) return;
  try {
    cues_.playMusic(name);
  } catch (...) {
  }
}

void TForm1::ShowFace(const std::string& file) {
  try {
    cues_.showingFace(file);
    bak->setPicture(platform::loadPicture(picturePath(file)));
  } catch (const std::exception& e) {
    // The previous face stays.
    reportQuietFailure(QuietFailure::Picture, "\"" + picturePath(file).string() + "\"", e.what());
  } catch (...) {
    reportQuietFailure(QuietFailure::Picture, "\"" + picturePath(file).string() + "\"", "unknown error");
  }
}

}  // namespace game
