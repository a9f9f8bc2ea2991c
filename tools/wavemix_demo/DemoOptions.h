#pragma once
// Command line of wavemix_demo.
//
//   wavemix_demo [options] PLAY...
//   PLAY     FILE[:CHANNEL[:DELAY_MS[:LOOPS[:FLAGS]]]]
//            CHANNEL 0..7 (default 0); DELAY_MS after start (default 0); LOOPS extra
//            repetitions, 65535 = until the end (default 0); FLAGS joined with '+':
//            clear, lru, now, wait (default none)
//   --output PATH     record what plays to a WAV file instead of the sound device
//   --stereo          ask the session for stereo output
//   --rate 11|22|44   ask the session for this sampling rate class
//   --duration MS     stop after MS even if plays are still sounding (needed with loops 65535)
//   --latency         print, for each play, the time from the call to its first audible byte
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace demo {

struct PlayRequest {
  std::string file;
  std::int32_t channel = 0;
  std::uint32_t delayMs = 0;
  std::uint16_t loops = 0;
  std::uint32_t flags = 0;
};

struct DemoOptions {
  std::vector<PlayRequest> plays;
  std::optional<std::string> outputPath;
  bool stereo = false;
  std::uint16_t rateClass = 0;  // 0 = from WAVEMIX.INI
  std::optional<std::uint32_t> durationMs;
  bool latency = false;
};

// Parses argv[1..]; on failure returns nullopt with the reason in error.
std::optional<DemoOptions> parseDemoOptions(int argc, char** argv, std::string& error);
// One PLAY argument.
std::optional<PlayRequest> parsePlayRequest(const std::string& text, std::string& error);

}  // namespace demo
