#include "wavemix/RiffReader.h"

#include <algorithm>
#include <cstring>

#include "wavemix/MemoryFileInfo.h"

namespace wavemix {

std::size_t RiffReader::Chunk::end() const {
  return dataOffset + size + (size & 1);
}

std::uint32_t RiffReader::le32(std::size_t offset) const {
  return std::uint32_t{image_[offset]} | std::uint32_t{image_[offset + 1]} << 8 |
         std::uint32_t{image_[offset + 2]} << 16 | std::uint32_t{image_[offset + 3]} << 24;
}

std::optional<RiffReader::Chunk> RiffReader::headerAt(std::size_t offset, std::size_t end) const {
  end = std::min(end, image_.size());
  if (offset > end || end - offset < 8) return std::nullopt;
  return Chunk{le32(offset), le32(offset + 4), offset + 8};
}

std::optional<RiffReader::Chunk> RiffReader::findRiff(std::uint32_t formType) const {
  static constexpr std::uint32_t kRiff = fourCC('R', 'I', 'F', 'F');
  for (std::size_t offset = 0;;) {
    std::optional<Chunk> chunk = headerAt(offset, image_.size());
    if (!chunk) return std::nullopt;
    if (chunk->id == kRiff && chunk->dataOffset + 4 <= image_.size() &&
        le32(chunk->dataOffset) == formType) {
      chunk->dataOffset += 4;
      chunk->size = chunk->size >= 4 ? chunk->size - 4 : 0;
      return chunk;
    }
    offset = chunk->end();
  }
}

std::optional<RiffReader::Chunk> RiffReader::findChunk(std::size_t from, std::size_t end,
                                                       std::uint32_t id) const {
  for (std::size_t offset = from;;) {
    std::optional<Chunk> chunk = headerAt(offset, end);
    if (!chunk) return std::nullopt;
    if (chunk->id == id) return chunk;
    offset = chunk->end();
  }
}

std::size_t RiffReader::read(std::size_t offset, std::uint8_t* destination, std::size_t count) const {
  if (offset >= image_.size()) return 0;
  const std::size_t n = std::min(count, image_.size() - offset);
  std::memcpy(destination, image_.data() + offset, n);
  return n;
}

}  // namespace wavemix
