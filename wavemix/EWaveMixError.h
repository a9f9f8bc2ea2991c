#pragma once
// The one exception type of the mixer. It carries only its message text, a byte string
// (some texts hold a non-ASCII byte, see WaveMixMessages.h).
#include <stdexcept>
#include <string>

namespace wavemix {

class EWaveMixError : public std::runtime_error {
 public:
  explicit EWaveMixError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace wavemix
