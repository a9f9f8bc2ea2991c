#include "audio/WavFileWriter.h"

#include <array>
#include <limits>

namespace platform {
namespace {

constexpr std::uint32_t kHeaderBytes = 44;
// RIFF sizes are 32-bit; stop appending well before they overflow.
constexpr std::uint32_t kMaxDataBytes = std::numeric_limits<std::uint32_t>::max() - kHeaderBytes - 1;

void putLe16(std::uint8_t* out, std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value);
  out[1] = static_cast<std::uint8_t>(value >> 8);
}

void putLe32(std::uint8_t* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

WavFileWriter::~WavFileWriter() { close(); }

bool WavFileWriter::open(const std::filesystem::path& path, const PcmFormat& format, std::uint32_t flushIntervalBytes) {
  close();
  failed_ = false;
  dataBytes_ = 0;
  bytesSinceFlush_ = 0;
  flushInterval_ = flushIntervalBytes;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  std::array<std::uint8_t, kHeaderBytes> header{};
  auto put = [&](std::size_t at, const char* tag) {
    for (int i = 0; i < 4; ++i) header[at + i] = static_cast<std::uint8_t>(tag[i]);
  };
  put(0, "RIFF");
  putLe32(&header[4], kHeaderBytes - 8);
  put(8, "WAVE");
  put(12, "fmt ");
  putLe32(&header[16], 16);
  putLe16(&header[20], format.formatTag);
  putLe16(&header[22], format.channels);
  putLe32(&header[24], format.samplesPerSec);
  putLe32(&header[28], format.avgBytesPerSec);
  putLe16(&header[32], format.blockAlign);
  putLe16(&header[34], format.bitsPerSample);
  put(36, "data");
  putLe32(&header[40], 0);
  if (std::fwrite(header.data(), 1, header.size(), file_) != header.size() || std::fflush(file_) != 0) {
    failed_ = true;
  }
  return !failed_;
}

bool WavFileWriter::append(const std::uint8_t* data, std::size_t bytes) {
  if (!file_ || failed_) return false;
  if (bytes > kMaxDataBytes - dataBytes_) {
    failed_ = true;
    return false;
  }
  if (std::fwrite(data, 1, bytes, file_) != bytes) {
    failed_ = true;
    return false;
  }
  dataBytes_ += static_cast<std::uint32_t>(bytes);
  bytesSinceFlush_ += static_cast<std::uint32_t>(bytes);
  if (flushInterval_ > 0 && bytesSinceFlush_ >= flushInterval_) {
    bytesSinceFlush_ = 0;
    if (!writeHeaderSizes()) failed_ = true;
  }
  return !failed_;
}

bool WavFileWriter::writeHeaderSizes() {
  const std::uint32_t padded = dataBytes_ + (dataBytes_ & 1u);
  std::uint8_t riffSize[4];
  std::uint8_t dataSize[4];
  putLe32(riffSize, kHeaderBytes - 8 + padded);
  putLe32(dataSize, dataBytes_);
  const long end = std::ftell(file_);
  bool ok = end >= 0 && std::fseek(file_, 4, SEEK_SET) == 0 && std::fwrite(riffSize, 1, 4, file_) == 4 &&
            std::fseek(file_, 40, SEEK_SET) == 0 && std::fwrite(dataSize, 1, 4, file_) == 4;
  ok = ok && std::fseek(file_, end, SEEK_SET) == 0 && std::fflush(file_) == 0;
  return ok;
}

bool WavFileWriter::close() {
  if (!file_) return false;
  bool ok = !failed_;
  if (ok && (dataBytes_ & 1u)) ok = std::fputc(0, file_) != EOF;
  // The pad byte is counted in the RIFF size only, not in the data size.
  ok = ok && writeHeaderSizes();
  if (std::fclose(file_) != 0) ok = false;
  file_ = nullptr;
  return ok;
}

}  // namespace platform
