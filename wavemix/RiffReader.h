#pragma once
// Walks the chunks of a RIFF image held in memory. Chunk sizes come from untrusted input:
// every offset is checked against the image, so a lying size can only make a search fail
// or a later read come up short, never read outside the image.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace wavemix {

class RiffReader {
 public:
  struct Chunk {
    std::uint32_t id = 0;
    std::uint32_t size = 0;       // as declared
    std::size_t dataOffset = 0;   // first byte after the chunk header (after the form type
                                  // for a RIFF chunk)
    std::size_t end() const;      // dataOffset + declared size, word-aligned
  };

  explicit RiffReader(std::span<const std::uint8_t> image) : image_(image) {}

  // The first top-level "RIFF" chunk whose form type is `formType`.
  std::optional<Chunk> findRiff(std::uint32_t formType) const;
  // The first chunk `id` whose header starts in [from, end).
  std::optional<Chunk> findChunk(std::size_t from, std::size_t end, std::uint32_t id) const;
  // Copies up to `count` bytes from `offset`; returns how many were there.
  std::size_t read(std::size_t offset, std::uint8_t* destination, std::size_t count) const;
  // The image's bytes from `offset` (at most size()), read in place; the caller keeps to
  // what the image holds.
  const std::uint8_t* bytesAt(std::size_t offset) const { return image_.data() + offset; }
  std::size_t size() const { return image_.size(); }

 private:
  std::optional<Chunk> headerAt(std::size_t offset, std::size_t end) const;
  std::uint32_t le32(std::size_t offset) const;

  std::span<const std::uint8_t> image_;
};

}  // namespace wavemix
