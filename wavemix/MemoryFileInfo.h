#pragma once
// The caller-filled description of a memory file that WaveMixOpenWave reads with
// kOpenFromMemory. The mixer copies the record and reads the buffer in place; the buffer
// must stay valid for the duration of the call only.
#include <cstdint>

namespace wavemix {

constexpr std::uint32_t fourCC(char a, char b, char c, char d) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

inline constexpr std::uint32_t kMemoryIoProc = fourCC('M', 'E', 'M', ' ');

struct MemoryFileInfo {
  std::uint32_t flags = 0;              // reserved, 0
  std::uint32_t ioProc = kMemoryIoProc;  // must be "MEM "
  const std::uint8_t* buffer = nullptr;
  std::int32_t bufferSize = 0;          // bytes, > 0
  std::int32_t growthIncrement = 0;     // 0: the file cannot grow (read-only use)
  std::uint32_t errorCode = 0;          // unused on input
};

// Error numbers of opening a memory file.
inline constexpr std::uint32_t kMemoryFileBadIoProc = 1;
inline constexpr std::uint32_t kMemoryFileNoBuffer = 2;
inline constexpr std::uint32_t kMemoryFileBadSize = 3;

}  // namespace wavemix
