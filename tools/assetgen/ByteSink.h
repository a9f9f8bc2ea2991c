#pragma once
// Little helper that appends integers in a fixed byte order to a growing byte string.
#include <cstdint>
#include <string>
#include <string_view>

namespace assetgen {

class ByteSink {
 public:
  void u8(std::uint8_t v) { data_.push_back(static_cast<char>(v)); }
  void u16le(std::uint16_t v) { u8(v & 0xFF); u8(v >> 8); }
  void u32le(std::uint32_t v) { u16le(v & 0xFFFF); u16le(v >> 16); }
  void u16be(std::uint16_t v) { u8(v >> 8); u8(v & 0xFF); }
  void u32be(std::uint32_t v) { u16be(v >> 16); u16be(v & 0xFFFF); }
  void text(std::string_view s) { data_.append(s); }
  void bytes(std::string_view s) { data_.append(s); }
  // MIDI variable-length quantity: 7 bits per byte, most significant group first.
  void varLength(std::uint32_t v) {
    char groups[5];
    int n = 0;
    do { groups[n++] = static_cast<char>(v & 0x7F); v >>= 7; } while (v != 0);
    while (n-- > 0) u8(static_cast<std::uint8_t>(groups[n] | (n > 0 ? 0x80 : 0)));
  }
  std::size_t size() const { return data_.size(); }
  std::string take() { return std::move(data_); }

 private:
  std::string data_;
};

}  // namespace assetgen
