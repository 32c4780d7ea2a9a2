#pragma once

#include <string>
#include <vector>

#include <QByteArray>

namespace pictavo {

// Small image files an attacker or a damaged disk could supply, made here
// rather than kept as files: each is a few bytes that would cost a decoder
// seconds or gigabytes. The image loader's test refuses each with its reason,
// and make_hostile_images writes them out for the fuzzer's seeds, the run
// under valgrind and the time and memory benchmark.
struct HostileImage {
  std::string name;
  QByteArray bytes;
};
std::vector<HostileImage> HostileImages();

// Files that are valid and as large as the loader accepts: what a decode
// within the limits costs at most. Megabytes each, so only made on request.
std::vector<HostileImage> LargestAcceptedImages();

// A GIF of a `width` x `height` screen holding `frames` images of 1 x 1.
QByteArray GifOfDots(int width, int height, int frames);

}  // namespace pictavo
