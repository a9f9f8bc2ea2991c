#pragma once
// Failures the game rightly goes on without (a sound, the tune, a picture) are never shown
// in a box, but they are not invisible either: the first failure of each kind a log is told
// of writes one line to standard error, so that a user or packager can see why there is no
// sound. Later failures of the same kind are not repeated. One log per owner (the mixer
// cues, the window); not thread-safe.
#include <array>
#include <functional>
#include <string>

namespace game {

enum class QuietFailure { Sound, Music, Picture };

class QuietFailureLog {
 public:
  // `subject` names what failed (a file, or the mixer); `reason` is the error's own text.
  void report(QuietFailure kind, const std::string& subject, const std::string& reason);
  // Where the lines go instead of standard error (nullptr: standard error again); also
  // forgets which kinds were reported.
  void setSink(std::function<void(const std::string&)> sink);

 private:
  std::function<void(const std::string&)> sink_;
  std::array<bool, 3> reported_{};
};

}  // namespace game
