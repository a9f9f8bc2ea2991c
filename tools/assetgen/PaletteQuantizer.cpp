#include "tools/assetgen/PaletteQuantizer.h"

#include <algorithm>
#include <limits>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace assetgen {
namespace {

// Colours closer than this are skipped in the first pass of the adaptive palette, so that
// the many nearly equal shades of an anti-aliased edge do not crowd out small flat areas.
constexpr int kSpreadDistance = 9 * 24 * 24;

std::vector<QRgb> adaptivePalette(const std::map<QRgb, int>& histogram, int maxColours,
                                  const std::vector<QRgb>& mustKeep) {
  std::vector<std::pair<QRgb, int>> byCount(histogram.begin(), histogram.end());
  std::stable_sort(byCount.begin(), byCount.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::vector<QRgb> palette;
  auto contains = [&](QRgb c) { return std::find(palette.begin(), palette.end(), c) != palette.end(); };
  for (QRgb c : mustKeep)
    if (!contains(c) && static_cast<int>(palette.size()) < maxColours) palette.push_back(c);
  if (static_cast<int>(histogram.size()) <= maxColours) {
    for (const auto& [c, n] : byCount)
      if (!contains(c)) palette.push_back(c);
    return palette;
  }
  for (const auto& [c, n] : byCount) {
    if (static_cast<int>(palette.size()) >= maxColours) break;
    if (contains(c)) continue;
    int nearest = std::numeric_limits<int>::max();
    for (QRgb p : palette) nearest = std::min(nearest, PaletteQuantizer::distance(c, p));
    if (nearest >= kSpreadDistance) palette.push_back(c);
  }
  for (const auto& [c, n] : byCount) {
    if (static_cast<int>(palette.size()) >= maxColours) break;
    if (!contains(c)) palette.push_back(c);
  }
  return palette;
}

}  // namespace

int PaletteQuantizer::distance(QRgb a, QRgb b) {
  const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

IndexedPicture PaletteQuantizer::reduce(const QImage& picture, int maxColours,
                                        const std::vector<QRgb>& fixedPalette,
                                        const std::vector<QRgb>& mustKeep) {
  if (maxColours < 1 || maxColours > 256) throw std::invalid_argument("palette size out of 1..256");
  if (static_cast<int>(fixedPalette.size()) > maxColours)
    throw std::invalid_argument("fixed palette larger than the allowed colour count");
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  std::map<QRgb, int> histogram;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) ++histogram[line[x] | 0xFF000000u];
  }
  std::vector<QRgb> palette =
      fixedPalette.empty() ? adaptivePalette(histogram, maxColours, mustKeep) : fixedPalette;
  for (QRgb& c : palette) c |= 0xFF000000u;

  std::unordered_map<QRgb, int> nearestIndex;
  for (const auto& [c, n] : histogram) {
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
      const int d = distance(c, palette[i]);
      if (d < bestDistance) bestDistance = d, best = i;
    }
    nearestIndex[c] = best;
  }

  std::vector<int> rawIndices(static_cast<std::size_t>(rgb.width()) * rgb.height());
  std::vector<bool> used(palette.size(), false);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      const int i = nearestIndex[line[x] | 0xFF000000u];
      rawIndices[static_cast<std::size_t>(y) * rgb.width() + x] = i;
      used[i] = true;
    }
  }
  // Drop unused entries so the colour table holds exactly the colours the picture uses.
  std::vector<int> compact(palette.size(), -1);
  IndexedPicture out;
  out.width = rgb.width();
  out.height = rgb.height();
  for (std::size_t i = 0; i < palette.size(); ++i)
    if (used[i]) {
      compact[i] = static_cast<int>(out.palette.size());
      out.palette.push_back(palette[i]);
    }
  out.pixels.reserve(rawIndices.size());
  for (int i : rawIndices) out.pixels.push_back(static_cast<std::uint8_t>(compact[i]));
  return out;
}

}  // namespace assetgen
