#include "tools/assetgen/EmbeddedSourceWriter.h"

#include <cstdio>

namespace assetgen {

std::string EmbeddedSourceWriter::encode(const std::vector<std::pair<std::string, std::string>>& blobs) {
  std::string out =
      "// Written by the asset generator at build time; edit the drawings in assets/art instead.\n"
      "#include \"assets/EmbeddedPictureData.h\"\n\n"
      "namespace assets::generated {\nnamespace {\n";
  for (std::size_t i = 0; i < blobs.size(); ++i) {
    out += "const unsigned char kBlob" + std::to_string(i) + "[] = {";
    const std::string& bytes = blobs[i].second;
    for (std::size_t k = 0; k < bytes.size(); ++k) {
      if (k % 24 == 0) out += "\n ";
      char cell[8];
      std::snprintf(cell, sizeof cell, "%u,", static_cast<unsigned>(static_cast<unsigned char>(bytes[k])));
      out += cell;
    }
    out += "\n};\n";
  }
  out += "}  // namespace\n\nconst EmbeddedBlob kEmbeddedBlobs[] = {\n";
  for (std::size_t i = 0; i < blobs.size(); ++i)
    out += "    {\"" + blobs[i].first + "\", kBlob" + std::to_string(i) + ", sizeof kBlob" + std::to_string(i) + "},\n";
  out += "};\nconst std::size_t kEmbeddedBlobCount = " + std::to_string(blobs.size()) +
         ";\n\n}  // namespace assets::generated\n";
  return out;
}

}  // namespace assetgen
