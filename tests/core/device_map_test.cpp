#include "core/render/device_map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace pictavo {
namespace {

// The scale factors desktops offer, zooms from the smallest with a grid to
// the largest, odd and even, and both axes of the shown 670 x 587.
constexpr double kRatios[] = {1.0, 1.25, 1.5, 2.0};
constexpr int kPixelSizes[] = {2, 3, 4, 5, 7, 10, 15, 49};
constexpr int kLengths[] = {670, 587};

std::string Case(double ratio, int pixel_size, int length) {
  return "ratio " + std::to_string(ratio) + ", pixel size " + std::to_string(pixel_size) +
         ", length " + std::to_string(length);
}

TEST(DeviceMap, OneAndAHalfGivesLinesOnePixelAndCellsTheRest) {
  // Pixel size 5: 7.5 device pixels a cell, its line 1 of them, the cells
  // 7 and 6 in turn.
  const DeviceAxisMap map(1.5, 5, 670);
  const std::vector<int> first(map.Table().begin(), map.Table().begin() + 16);
  EXPECT_EQ(first, (std::vector<int>{0, 1, 1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 8, 8, 9, 10}));
  EXPECT_EQ(map.DeviceLength(), 1005);
}

TEST(DeviceMap, WholeRatiosScalePlainly) {
  for (int p : kPixelSizes) {
    for (int ratio : {1, 2}) {
      const DeviceAxisMap map(ratio, p, 670);
      ASSERT_EQ(map.DeviceLength(), 670 * ratio);
      for (int d = 0; d < map.DeviceLength(); ++d) {
        ASSERT_EQ(map.ToLogical(d), d / ratio) << Case(ratio, p, 670) << ", device " << d;
      }
    }
  }
}

TEST(DeviceMap, EqualLinesCellsWithinOnePixelEveryPixelShown) {
  // Also in a scrolled view, whose first pixel is `origin` pixels into the
  // drawing: its lines lie where the drawing's do.
  for (double ratio : kRatios) {
    for (int p : kPixelSizes) {
      for (int length : kLengths) {
        for (int origin : {0, 3, p + 1, 10 * p - 1}) {
          SCOPED_TRACE(Case(ratio, p, length) + ", origin " + std::to_string(origin));
          const DeviceAxisMap map(ratio, p, length, origin);
          const std::vector<int>& table = map.Table();
          // Steps of 0 or 1 from 0: monotonic, and no logical pixel skipped.
          ASSERT_FALSE(table.empty());
          EXPECT_EQ(table.front(), 0);
          for (std::size_t d = 1; d < table.size(); ++d) {
            const int step = table[d] - table[d - 1];
            ASSERT_TRUE(step == 0 || step == 1) << "device pixel " << d;
          }
          // Past the last pixel only what a line at the very edge leaves over.
          EXPECT_GE(table.back(), length - 1);
          EXPECT_LE(table.back(), length);
          EXPECT_EQ(map.DeviceLength(), static_cast<int>(std::ceil(length * ratio)));

          std::vector<int> widths(static_cast<std::size_t>(length) + 1, 0);
          for (int logical : table) ++widths[static_cast<std::size_t>(logical)];
          const int line_width = std::max(1, static_cast<int>(ratio));
          std::vector<int> insides;
          for (int line = (p - origin % p) % p; line < length; line += p) {
            ASSERT_EQ(widths[static_cast<std::size_t>(line)], line_width) << "line at " << line;
            if (line + p > length) break;
            int inside = 0;
            for (int i = line + 1; i < line + p; ++i) inside += widths[static_cast<std::size_t>(i)];
            insides.push_back(inside);
          }
          const auto [low, high] = std::minmax_element(insides.begin(), insides.end());
          EXPECT_LE(*high - *low, 1);
          // A line and its cell together take the cell's share of the device.
          EXPECT_GE(*low + line_width, static_cast<int>(p * ratio));
          EXPECT_LE(*high + line_width, static_cast<int>(p * ratio) + 1);
        }
      }
    }
  }
}

TEST(DeviceMap, PointerPicksThePixelDrawnUnderIt) {
  // Anywhere over a device pixel (positions Qt computes as device / ratio
  // included) the pointer picks the logical pixel that device pixel shows,
  // and a logical position lands at most one pixel away, in another cell
  // only on a device pixel straddling the cell's edge, which shows the cell
  // before it.
  for (double ratio : kRatios) {
    for (int p : kPixelSizes) {
      SCOPED_TRACE(Case(ratio, p, 670));
      const DeviceAxisMap map(ratio, p, 670);
      for (int d = 0; d < map.DeviceLength(); ++d) {
        for (double f : {0.0, 0.001, 0.5, 0.999}) {
          const double position = (d + f) / ratio;
          ASSERT_EQ(map.DeviceAt(position), d) << position;
          ASSERT_EQ(map.LogicalAt(position), map.ToLogical(d)) << position;
        }
      }
      for (int logical = 0; logical < 670; ++logical) {
        for (double f : {0.0, 0.3, 0.6, 0.9}) {
          const double position = logical + f;
          const int picked = map.LogicalAt(position);
          ASSERT_LE(std::abs(picked - logical), 1) << position;
          if (picked / p != logical / p) {
            ASSERT_EQ(logical % p, 0) << position;
            ASSERT_LT(map.DeviceAt(position) / ratio, logical) << position;
          }
        }
      }
    }
  }
  const DeviceAxisMap map(1.5, 10, 670);
  EXPECT_EQ(map.LogicalAt(19.9), 19);  // rounding would reach the next cell
  EXPECT_EQ(map.LogicalAt(-0.4), -1);  // left of the canvas, for the clamping
  EXPECT_EQ(map.LogicalAt(700.0), 700);
}

}  // namespace
}  // namespace pictavo
