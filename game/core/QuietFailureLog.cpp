#include "game/core/QuietFailureLog.h"

#include <cstdio>

namespace game {

void QuietFailureLog::report(QuietFailure kind, const std::string& subject,
                             const std::string& reason) {
  bool& reported = reported_[static_cast<std::size_t>(kind)];
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
  if (sink_)
    sink_(line);
  else
    std::fprintf(stderr, "%s\n", line.c_str());
}

void QuietFailureLog::setSink(std::function<void(const std::string&)> sink) {
  sink_ = std::move(sink);
  reported_.fill(false);
}

}  // namespace game
