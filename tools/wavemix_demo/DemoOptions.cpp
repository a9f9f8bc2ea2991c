#include "DemoOptions.h"

#include <charconv>
#include <sstream>

#include "wavemix/WaveMixTypes.h"

namespace demo {
namespace {

template <typename Number>
bool parseNumber(const std::string& text, Number& value) {
  const char* end = text.data() + text.size();
  auto [at, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && at == end && !text.empty();
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

}  // namespace

std::optional<PlayRequest> parsePlayRequest(const std::string& text, std::string& error) {
  const std::vector<std::string> fields = split(text, ':');
  PlayRequest play;
  if (fields.empty() || fields[0].empty()) {
    error = "no file in \"" + text + "\"";
    return std::nullopt;
  }
  play.file = fields[0];
  if (fields.size() > 5) {
    error = "too many fields in \"" + text + "\"";
    return std::nullopt;
  }
  if (fields.size() > 1 && !(parseNumber(fields[1], play.channel) && play.channel >= 0 && play.channel < 8)) {
    error = "channel must be 0..7 in \"" + text + "\"";
    return std::nullopt;
  }
  if (fields.size() > 2 && !parseNumber(fields[2], play.delayMs)) {
    error = "bad delay in \"" + text + "\"";
    return std::nullopt;
  }
  if (fields.size() > 3 && !parseNumber(fields[3], play.loops)) {
    error = "loops must be 0..65535 in \"" + text + "\"";
    return std::nullopt;
  }
  if (fields.size() > 4 && !fields[4].empty()) {
    for (const std::string& flag : split(fields[4], '+')) {
      if (flag == "clear") {
        play.flags |= wavemix::mixClearChannel;
      } else if (flag == "lru") {
        play.flags |= wavemix::mixUseLruChannel;
      } else if (flag == "now") {
        play.flags |= wavemix::mixStartNow;
      } else if (flag == "wait") {
        play.flags |= wavemix::mixWait;
      } else {
        error = "unknown flag \"" + flag + "\" (clear, lru, now, wait)";
        return std::nullopt;
      }
    }
  }
  return play;
}

std::optional<DemoOptions> parseDemoOptions(int argc, char** argv, std::string& error) {
  DemoOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return std::nullopt;
      }
      return std::string(argv[++i]);
    };
    if (arg == "--output") {
      auto path = value();
      if (!path) return std::nullopt;
      options.outputPath = *path;
    } else if (arg == "--stereo") {
      options.stereo = true;
    } else if (arg == "--rate") {
      auto rate = value();
      if (!rate || !parseNumber(*rate, options.rateClass) ||
          (options.rateClass != 11 && options.rateClass != 22 && options.rateClass != 44)) {
        if (error.empty()) error = "--rate takes 11, 22 or 44";
        return std::nullopt;
      }
    } else if (arg == "--duration") {
      auto ms = value();
      std::uint32_t duration = 0;
      if (!ms || !parseNumber(*ms, duration)) {
        if (error.empty()) error = "--duration takes milliseconds";
        return std::nullopt;
      }
      options.durationMs = duration;
    } else if (arg == "--latency") {
      options.latency = true;
    } else if (arg.rfind("--", 0) == 0) {
      error = "unknown option " + arg;
      return std::nullopt;
    } else {
      auto play = parsePlayRequest(arg, error);
      if (!play) return std::nullopt;
      options.plays.push_back(*play);
    }
  }
  if (options.plays.empty()) {
    error = "nothing to play";
    return std::nullopt;
  }
  return options;
}

}  // namespace demo
