#pragma once
// A module's built-in resources: byte blobs filed under a type (e.g. "WAVE") and either a
// name or a 16-bit number. The mixer loads "WAVE" resources from it. Names and types compare
// case-insensitively, as resource lookups traditionally do.
//
// Lifetime: the module owns its blobs; a pointer returned by lock() stays valid as long as
// the module lives and the resource is not replaced.
#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace platform {

class ResourceModule {
 public:
  using Key = std::variant<std::uint16_t, std::string>;

  void add(const std::string& type, const Key& key, std::vector<std::uint8_t> bytes);

  // The resource's bytes, or an empty optional-like null span with found=false.
  struct Found {
    bool found = false;
    std::span<const std::uint8_t> bytes;
  };
  Found find(const std::string& type, const Key& key) const;

  // Maps a found resource for reading. A resource without bytes cannot be mapped: null.
  static const std::uint8_t* lock(const Found& resource);

 private:
  static std::string upper(std::string text);
  std::map<std::pair<std::string, Key>, std::vector<std::uint8_t>> resources_;
};

}  // namespace platform
