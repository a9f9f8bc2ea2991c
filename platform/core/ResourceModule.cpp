#include "platform/core/ResourceModule.h"

#include <cctype>
#include <utility>

namespace platform {

std::string ResourceModule::upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

static ResourceModule::Key normalized(const ResourceModule::Key& key,
                                      std::string (*upper)(std::string)) {
  if (const auto* name = std::get_if<std::string>(&key)) return upper(*name);
  return key;
}

void ResourceModule::add(const std::string& type, const Key& key, std::vector<std::uint8_t> bytes) {
  resources_[{upper(type), normalized(key, &ResourceModule::upper)}] = std::move(bytes);
}

ResourceModule::Found ResourceModule::find(const std::string& type, const Key& key) const {
  auto it = resources_.find({upper(type), normalized(key, &ResourceModule::upper)});
  if (it == resources_.end()) return {};
  return {true, std::span<const std::uint8_t>(it->second)};
}

const std::uint8_t* ResourceModule::lock(const Found& resource) {
  if (!resource.found || resource.bytes.empty()) return nullptr;
  return resource.bytes.data();
}

}  // namespace platform
