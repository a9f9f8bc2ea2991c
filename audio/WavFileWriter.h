#pragma once
// Writes a PCM RIFF/WAVE file as data arrives: a 44-byte header ("RIFF", "WAVE", a 16-byte
// "fmt " chunk, "data") followed by the samples. The sizes in the header are rewritten
// every flushIntervalBytes of data and on close, so the file is a valid WAV after close and
// nearly complete if the program dies. An odd data length gets the RIFF pad byte at close.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "audio/WaveOutDevice.h"

namespace platform {

class WavFileWriter {
 public:
  WavFileWriter() = default;
  ~WavFileWriter();
  WavFileWriter(const WavFileWriter&) = delete;
  WavFileWriter& operator=(const WavFileWriter&) = delete;

  // Creates (truncates) the file and writes its header. False on failure (errno kept).
  bool open(const std::filesystem::path& path, const PcmFormat& format, std::uint32_t flushIntervalBytes = 65536);
  // Appends samples. False once a write has failed; later data is ignored.
  bool append(const std::uint8_t* data, std::size_t bytes);
  // Fixes up the header and closes the file. False when anything failed.
  bool close();
  bool isOpen() const { return file_ != nullptr; }
  std::uint32_t dataBytes() const { return dataBytes_; }

 private:
  bool writeHeaderSizes();

  std::FILE* file_ = nullptr;
  std::uint32_t dataBytes_ = 0;
  std::uint32_t flushInterval_ = 65536;
  std::uint32_t bytesSinceFlush_ = 0;
  bool failed_ = false;
};

}  // namespace platform
