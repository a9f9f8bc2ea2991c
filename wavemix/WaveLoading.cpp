// Loading RIFF WAVE images from files, "WAVE" resources and memory files, and freeing waves.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <string>

#include "platform/core/ResourceModule.h"
#include "platform/core/BoundedFile.h"
#include "wavemix/ConvertWave.h"
#include "wavemix/MixerState.h"
#include "wavemix/RiffReader.h"
#include "wavemix/WaveMix.h"
#include "wavemix/WaveMixMessages.h"

namespace wavemix {

namespace {

bool isResourceNumber(const char* source) {
  return (reinterpret_cast<std::uintptr_t>(source) >> 16) == 0;
}

std::uint16_t resourceNumber(const char* source) {
  return static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(source));
}

std::uint32_t openMemoryFile(const MemoryFileInfo& info) {
  if (info.ioProc != kMemoryIoProc) return kMemoryFileBadIoProc;
  if (info.buffer == nullptr) return kMemoryFileNoBuffer;
  if (info.bufferSize <= 0) return kMemoryFileBadSize;
  return 0;
}

// The largest wave file read: far above any sound effect (128 MiB is more than 10 minutes
// of 16-bit stereo at 48 kHz), so that a file that never ends (a link to /dev/zero) or a
// huge one is refused from its size instead of filling memory.
constexpr std::size_t kMaxWaveFileBytes = std::size_t{128} << 20;

// Parses and converts one RIFF WAVE image into `wave`; raises on any fault. Everything it
// allocates is owned by a local until it is handed to the wave at the very end.
void loadImage(const WaveMixSession& session, std::span<const std::uint8_t> image, WaveMixWave& wave) {
  const RiffReader riff(image);
  const std::optional<RiffReader::Chunk> form = riff.findRiff(fourCC('W', 'A', 'V', 'E'));
  if (!form) raise(messages::kNotWave);
  const std::size_t formEnd = form->dataOffset + form->size;
  const std::optional<RiffReader::Chunk> fmt = riff.findChunk(form->dataOffset, formEnd, fourCC('f', 'm', 't', ' '));
  if (!fmt) raise(messages::kCorrupted);

  std::uint8_t raw[16];
  // A chunk declaring fewer than 16 bytes would make the read run into the next chunk.
  if (fmt->size < sizeof raw || riff.read(fmt->dataOffset, raw, sizeof raw) != sizeof raw) {
    raise(messages::kReadFormat);
  }
  platform::PcmFormat& format = wave.format;
  std::memcpy(&format, raw, sizeof raw);  // little-endian layout, as stored
  if (format.formatTag != 1) raise(messages::kNotPcm);

  const std::optional<RiffReader::Chunk> data = riff.findChunk(fmt->end(), formEnd, fourCC('d', 'a', 't', 'a'));
  if (!data) raise(messages::kNoDataChunk);
  if (data->size == 0) raise(messages::kEmptyData);
  // The size is untrusted: nothing is allocated for bytes the image does not hold.
  if (data->dataOffset > riff.size() || riff.size() - data->dataOffset < data->size) {
    raise(messages::kReadData);
  }
  // Only what the conversion steps can handle: 1 or 2 channels, 8 or 16 bits, a real rate.
  if (format.channels < 1 || format.channels > 2 || format.samplesPerSec == 0 ||
      (format.bitsPerSample != 8 && format.bitsPerSample != 16)) {
    raise(messages::kFormatNotSupported);
  }
  const std::uint32_t frameBytes = format.channels * (format.bitsPerSample / 8u);
  if (data->size < frameBytes) raise(messages::kShorterThanFrame);

  // Converted straight from the image's bytes, which the check above puts inside it.
  std::uint32_t length = data->size;
  SampleBuffer samples =
      ConvertWaveFrom(session.format, format, riff.bytesAt(data->dataOffset), length);
  // Too short to give one output frame (or longer than a play position can count).
  if (!samples || length == 0 || length > 0x7FFFFFFF) raise(messages::kConvert);

  wave.header = platform::WaveHeader{};
  wave.header.data = samples.release();
  wave.header.bufferLength = length;
}

void setName(WaveMixWave& wave, const char* source, std::uint32_t flags) {
  std::memset(wave.name, 0, sizeof wave.name);
  if ((flags & kOpenFromResource) && isResourceNumber(source)) {
    const std::string name = "res#" + std::to_string(resourceNumber(source));
    std::memcpy(wave.name, name.data(), std::min(name.size(), sizeof wave.name - 1));
  } else if (!(flags & kOpenFromResource) && (flags & kOpenFromMemory)) {
    // A memory file has no text of its own to name it by.
  } else {
    std::strncpy(wave.name, source, sizeof wave.name - 1);
  }
}

}  // namespace

const char* WaveMixResourceNumber(std::uint16_t number) {
  return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(number));
}

const char* WaveMixMemorySource(const MemoryFileInfo* info) {
  return reinterpret_cast<const char*>(info);
}

namespace {

// ---- one function per image source; each raises when the image cannot be had ----

// A "WAVE" resource of the module, by number or by name: its bytes stay in the module.
std::span<const std::uint8_t> resourceImage(const char* source, const platform::ResourceModule* module) {
  const bool numbered = isResourceNumber(source);
  if (!numbered && source == nullptr) raise(std::string(messages::kOpenResource));
  const platform::ResourceModule::Key key = numbered ? platform::ResourceModule::Key{resourceNumber(source)}
                                                     : platform::ResourceModule::Key{std::string(source)};
  const platform::ResourceModule::Found found =
      module != nullptr ? module->find("WAVE", key) : platform::ResourceModule::Found{};
  if (!found.found) {
    raise(std::string(messages::kOpenResource) +
          (numbered ? std::to_string(resourceNumber(source)) : std::string(source)));
  }
  const std::uint8_t* locked = platform::ResourceModule::lock(found);
  if (locked == nullptr) raise(messages::kLockResource);
  MemoryFileInfo info;
  info.buffer = locked;
  info.bufferSize = static_cast<std::int32_t>(std::min<std::size_t>(found.bytes.size(), 0x7FFFFFFF));
  if (const std::uint32_t error = openMemoryFile(info); error != 0) {
    raise(std::string(messages::kOpenResourceMmio) + std::to_string(error) + messages::kOpenResourceMmioTail);
  }
  return {info.buffer, static_cast<std::size_t>(info.bufferSize)};
}

// The caller's memory file: `source` points at its MemoryFileInfo.
std::span<const std::uint8_t> memoryImage(const char* source) {
  if (source == nullptr) {
    raise(std::string(messages::kOpenMemory) + std::to_string(kMemoryFileNoBuffer) + messages::kOpenMemoryTail);
  }
  MemoryFileInfo info;
  std::memcpy(&info, source, sizeof info);
  if (const std::uint32_t error = openMemoryFile(info); error != 0) {
    raise(std::string(messages::kOpenMemory) + std::to_string(error) + messages::kOpenMemoryTail);
  }
  return {info.buffer, static_cast<std::size_t>(info.bufferSize)};
}

// A file read whole into `file`, which holds the bytes the returned image points into.
std::span<const std::uint8_t> fileImage(const char* source, platform::BoundedFile& file) {
  if (source != nullptr) file = platform::readBoundedFile(source, kMaxWaveFileBytes);
  if (file.status == platform::BoundedFile::Status::NoMemory) raise(messages::kNoMemory);
  // Anything else that keeps the bytes from being read (a folder, a pipe, a device, a read
  // error, a file past the bound) is a path that cannot be opened for reading.
  if (!file.ok()) raise(std::string(messages::kOpenFile) + (source != nullptr ? source : ""));
  return file.bytes();
}

WaveMixWave* openWave(HMixSession handle, const char* source,
                      const platform::ResourceModule* module, std::uint32_t flags) {
  WaveMixSession* live = nullptr;
  {
    const std::lock_guard schedule(mixerLock());
    live = &validateSession(handle);
  }
  // Loading reads only the session's format, fixed since WaveMixInit: no lock is held while
  // the device set is asked and the file read.
  const WaveMixSession& session = *live;
  const WaveMixPlatform& platform = platformOrThrow();
  if (platform.waveOut->queryFormat(session.deviceId, session.format) != platform::kDeviceOk) {
    raise(messages::kCantPlayFormat);
  }
  std::unique_ptr<WaveMixWave> wave(new (std::nothrow) WaveMixWave);
  if (!wave) raise(messages::kNoMemory);

  platform::BoundedFile file;
  const std::span<const std::uint8_t> image = (flags & kOpenFromResource) ? resourceImage(source, module)
                                              : (flags & kOpenFromMemory) ? memoryImage(source)
                                                                          : fileImage(source, file);
  loadImage(session, image, *wave);
  setName(*wave, source, flags);
  return wave.release();
}

}  // namespace

WaveMixWave* WaveMixOpenWave(HMixSession handle, const char* source,
                             const platform::ResourceModule* module, std::uint32_t flags) {
  // Every failure is an EWaveMixError: an allocation that throws (a name, a message, a
  // resource key) gives the allocation message like every other one here.
  try {
    return openWave(handle, source, module, flags);
  } catch (const std::bad_alloc&) {
    raise(messages::kNoMemory);
  }
}

void WaveMixFreeWave(HMixSession handle, WaveMixWave* wave) {
  {
    const std::lock_guard schedule(mixerLock());
    WaveMixSession& session = validateSession(handle);
    if (wave == nullptr) raise(messages::kInvalidPointer);
    // After this no play refers to the samples, and mixing reads them only under this lock.
    DropPlaysOfWave(session, wave);
  }
  delete[] wave->header.data;
  delete wave;
}

}  // namespace wavemix
