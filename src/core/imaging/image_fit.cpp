#include "core/imaging/image_fit.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pictavo {

namespace {

// One source pixel's share of a result pixel along one axis. Positions are
// counted in units of 1 / (result size) of a source pixel, so every share is
// a whole number and the shares of one result pixel add up to the source size.
struct Tap {
  int source;
  std::uint32_t weight;
};

struct Axis {
  std::vector<Tap> taps;
  std::vector<std::size_t> first;  // taps of result pixel i: first[i] .. first[i + 1] - 1
};

Axis MakeAxis(int source_size, int result_size) {
  Axis axis;
  axis.first.reserve(static_cast<std::size_t>(result_size) + 1);
  const auto n = static_cast<long long>(source_size);
  const auto m = static_cast<long long>(result_size);
  for (long long i = 0; i < m; ++i) {
    axis.first.push_back(axis.taps.size());
    const long long begin = i * n;
    const long long end = (i + 1) * n;
    for (long long j = begin / m; j <= (end - 1) / m; ++j) {
      const long long overlap = std::min(end, (j + 1) * m) - std::max(begin, j * m);
      axis.taps.push_back({static_cast<int>(j), static_cast<std::uint32_t>(overlap)});
    }
  }
  axis.first.push_back(axis.taps.size());
  return axis;
}

std::uint8_t RoundedQuotient(std::uint64_t sum, std::uint64_t divisor) {
  return static_cast<std::uint8_t>(std::min<std::uint64_t>((sum + divisor / 2) / divisor, 255));
}

}  // namespace

FitDimensions FitSize(int width, int height, int max_width, int max_height) {
  if (width <= 0 || height <= 0 || max_width <= 0 || max_height <= 0) return {0, 0};
  if (width <= max_width && height <= max_height) return {width, height};
  const auto w = static_cast<long long>(width);
  const auto h = static_cast<long long>(height);
  // Compared as cross products, so the choice of the limiting side is exact.
  if (w * max_height >= h * max_width) {
    const long long scaled = (2 * h * max_width + w) / (2 * w);
    return {max_width, static_cast<int>(std::max(1LL, scaled))};
  }
  const long long scaled = (2 * w * max_height + h) / (2 * h);
  return {static_cast<int>(std::max(1LL, scaled)), max_height};
}

RgbImage ScaleDownByArea(const RgbImage& image, int width, int height) {
  const std::size_t count =
      static_cast<std::size_t>(std::max(image.width, 0)) * std::max(image.height, 0);
  if (width < 1 || height < 1 || width > image.width || height > image.height ||
      image.pixels.size() != count || (!image.alpha.empty() && image.alpha.size() != count)) {
    return {};
  }
  const bool has_alpha = !image.alpha.empty();
  const Axis columns = MakeAxis(image.width, width);
  const Axis rows = MakeAxis(image.height, height);
  // Which result rows each source row adds to, with its share in each.
  std::vector<std::vector<Tap>> row_targets(static_cast<std::size_t>(image.height));
  for (int k = 0; k < height; ++k) {
    for (std::size_t t = rows.first[k]; t < rows.first[k + 1]; ++t) {
      row_targets[static_cast<std::size_t>(rows.taps[t].source)].push_back(
          {k, rows.taps[t].weight});
    }
  }

  // Per result pixel: red, green, blue (weighted by opacity when there is an
  // alpha channel) and the opacity.
  using Sums = std::array<std::uint64_t, 4>;
  std::vector<Sums> total(static_cast<std::size_t>(width) * height, Sums{});
  std::vector<Sums> line(static_cast<std::size_t>(width));
  for (int sy = 0; sy < image.height; ++sy) {
    const std::size_t row_start = static_cast<std::size_t>(sy) * image.width;
    const Rgb* source = image.pixels.data() + row_start;
    const std::uint8_t* opacity = has_alpha ? image.alpha.data() + row_start : nullptr;
    for (int i = 0; i < width; ++i) {
      Sums sums{};
      for (std::size_t t = columns.first[i]; t < columns.first[i + 1]; ++t) {
        const Tap tap = columns.taps[t];
        const Rgb c = source[tap.source];
        const std::uint64_t w =
            has_alpha ? std::uint64_t{tap.weight} * opacity[tap.source] : std::uint64_t{tap.weight};
        sums[0] += w * c.r;
        sums[1] += w * c.g;
        sums[2] += w * c.b;
        sums[3] += w;
      }
      line[static_cast<std::size_t>(i)] = sums;
    }
    for (const Tap target : row_targets[static_cast<std::size_t>(sy)]) {
      Sums* out = total.data() + static_cast<std::size_t>(target.source) * width;
      for (int i = 0; i < width; ++i) {
        for (int c = 0; c < 4; ++c)
          out[i][c] += line[static_cast<std::size_t>(i)][c] * target.weight;
      }
    }
  }

  RgbImage result{width, height, {}, {}};
  result.pixels.reserve(total.size());
  if (has_alpha) result.alpha.reserve(total.size());
  // Every result pixel's shares add up to the source area.
  const std::uint64_t area = std::uint64_t(image.width) * std::uint64_t(image.height);
  for (const Sums& s : total) {
    if (has_alpha) {
      result.alpha.push_back(RoundedQuotient(s[3], area));
      if (s[3] == 0) {
        result.pixels.push_back({0, 0, 0});
        continue;
      }
    }
    result.pixels.push_back(
        {RoundedQuotient(s[0], s[3]), RoundedQuotient(s[1], s[3]), RoundedQuotient(s[2], s[3])});
  }
  return result;
}

FitDimensions FillCropSize(int width, int height, int part_width, int part_height) {
  if (width <= 0 || height <= 0 || part_width <= 0 || part_height <= 0) return {0, 0};
  const auto w = static_cast<long long>(width);
  const auto h = static_cast<long long>(height);
  // The image is wider than the part's proportions: its full height, the
  // matching width; otherwise its full width.
  if (w * part_height >= h * part_width) {
    const long long cropped = (2 * h * part_width + part_height) / (2 * part_height);
    return {static_cast<int>(std::clamp(cropped, 1LL, w)), height};
  }
  const long long cropped = (2 * w * part_height + part_width) / (2 * part_width);
  return {width, static_cast<int>(std::clamp(cropped, 1LL, h))};
}

RgbImage CropImage(const RgbImage& image, const ImagePart& part) {
  const std::size_t count =
      static_cast<std::size_t>(std::max(image.width, 0)) * std::max(image.height, 0);
  if (part.left < 0 || part.top < 0 || part.width < 1 || part.height < 1 ||
      part.left > image.width - part.width || part.top > image.height - part.height ||
      image.pixels.size() != count || (!image.alpha.empty() && image.alpha.size() != count)) {
    return {};
  }
  RgbImage result{part.width, part.height, {}, {}};
  result.pixels.reserve(static_cast<std::size_t>(part.width) * part.height);
  if (!image.alpha.empty()) result.alpha.reserve(result.pixels.capacity());
  for (int y = part.top; y < part.top + part.height; ++y) {
    const std::size_t start = static_cast<std::size_t>(y) * image.width + part.left;
    result.pixels.insert(result.pixels.end(), image.pixels.begin() + start,
                         image.pixels.begin() + start + part.width);
    if (!image.alpha.empty()) {
      result.alpha.insert(result.alpha.end(), image.alpha.begin() + start,
                          image.alpha.begin() + start + part.width);
    }
  }
  return result;
}

}  // namespace pictavo
