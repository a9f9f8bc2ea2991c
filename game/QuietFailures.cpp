#include "game/QuietFailures.h"

#include <array>
#include <cstdio>

namespace game {
namespace {

std::function<void(const std::string&)> gSink;
std::array<bool, 3> gReported{};

}  // namespace

void reportQuietFailure(QuietFailure kind, const std::string& subject, const std::string& reason) {
  bool& reported = gReported[static_cast<std::size_t>(kind)];
  if (reported) return;
  reported = true;
  std::string line;
  switch (kind) {
    case QuietFailure::Sound:
      line = "sound cue: " + subject + " failed (" + reason +
             "); playing on without it, later sound failures are not reported";
      break;
    case QuietFailure::Music:
      line = "music: " + subject + " failed (" + reason +
             "); playing on without music, later music failures are not reported";
      break;
    case QuietFailure::Picture:
      line = "picture: " + subject + " failed (" + reason +
             "); keeping the previous picture, later picture failures are not reported";
      break;
  }
  if (gSink)
    gSink(line);
  else
    std::fprintf(stderr, "%s\n", line.c_str());
}

void setQuietFailureSink(std::function<void(const std::string&)> sink) {
  gSink = std::move(sink);
  gReported.fill(false);
}

}  // namespace game
