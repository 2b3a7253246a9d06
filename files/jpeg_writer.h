#pragma once
// JPEG encoding of a picture held as rows of 8-bit R, G, B pixels.

#include <QString>
#include <cstddef>
#include <string>
#include <vector>

namespace lcr {

struct RgbPixels {
  const unsigned char* data = nullptr;  // row 0 first, 3 bytes per pixel
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // bytes from one row to the next
};

// Encodes `pixels` at `quality` (1 to 100) into `out`. False, with the
// reason in *error, for an empty picture or a failure of the encoder.
bool EncodeJpeg(const RgbPixels& pixels, int quality, std::vector<unsigned char>& out, std::string* error);

// Encodes and writes to `path` through WriteFileSafely: a regular file is
// replaced only once the new one is complete, a device or FIFO is written
// into. False, with the reason in *error, when it cannot.
bool WriteJpegFile(const QString& path, const RgbPixels& pixels, int quality, QString* error);

}  // namespace lcr
