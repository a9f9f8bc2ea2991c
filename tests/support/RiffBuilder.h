#pragma once
// RIFF images built chunk by chunk, for tests, benchmarks and fuzz seeds: little-endian
// fields, a pad byte after an odd-sized chunk, and a chunk's declared size may lie.
#include <cstdint>
#include <vector>

namespace testing_support {

class RiffBuilder {
 public:
  static void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  static void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
  }
  static std::vector<std::uint8_t> chunk(const char* id, const std::vector<std::uint8_t>& body,
                                         std::uint32_t declaredSize) {
    std::vector<std::uint8_t> out(id, id + 4);
    put32(out, declaredSize);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() & 1) out.push_back(0);
    return out;
  }
  static std::vector<std::uint8_t> chunk(const char* id, const std::vector<std::uint8_t>& body) {
    return chunk(id, body, static_cast<std::uint32_t>(body.size()));
  }
  static std::vector<std::uint8_t> fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                                       std::uint16_t bits) {
    std::vector<std::uint8_t> body;
    put16(body, tag);
    put16(body, channels);
    put32(body, rate);
    put32(body, rate * channels * bits / 8);
    put16(body, static_cast<std::uint16_t>(channels * bits / 8));
    put16(body, bits);
    return chunk("fmt ", body);
  }
  static std::vector<std::uint8_t> riff(const char* form, const std::vector<std::vector<std::uint8_t>>& chunks) {
    std::vector<std::uint8_t> body(form, form + 4);
    for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return chunk("RIFF", body);
  }
  static std::vector<std::uint8_t> wave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                                        const std::vector<std::uint8_t>& samples) {
    return riff("WAVE", {fmt(1, channels, rate, bits), chunk("data", samples)});
  }
};

}  // namespace testing_support
