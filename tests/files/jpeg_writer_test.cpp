// The JPEG encoder: the file's frame header, quality 100, and a picture
// that decodes back to its colours.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <jpeglib.h>

#include "files/jpeg_writer.h"

namespace {

// A width x height picture: red on the left half, blue on the right, one
// white row at the top; rows padded to a stride wider than the pixels.
struct Picture {
  int width, height;
  std::ptrdiff_t stride;
  std::vector<unsigned char> bytes;
  Picture(int w, int h) : width(w), height(h), stride(std::ptrdiff_t(w) * 3 + 7), bytes(std::size_t(stride * h), 0) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        unsigned char* p = &bytes[std::size_t(y * stride + x * 3)];
        if (y == 0) {
          p[0] = p[1] = p[2] = 255;
        } else if (x < w / 2) {
          p[0] = 220;
        } else {
          p[2] = 200;
        }
      }
  }
  lcr::RgbPixels View() const { return {bytes.data(), width, height, stride}; }
};

// The first marker `code` after the start of image, and its segment.
const unsigned char* FindSegment(const std::vector<unsigned char>& jpeg, unsigned char code) {
  std::size_t i = 2;
  while (i + 4 <= jpeg.size() && jpeg[i] == 0xFF) {
    if (jpeg[i + 1] == code) return &jpeg[i];
    i += 2 + std::size_t(jpeg[i + 2] << 8 | jpeg[i + 3]);
  }
  return nullptr;
}

struct Decoded {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  const unsigned char* At(int x, int y) const { return &rgb[std::size_t((y * width + x) * 3)]; }
};

Decoded Decode(const std::vector<unsigned char>& jpeg) {
  jpeg_decompress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  Decoded d;
  d.width = int(info.output_width);
  d.height = int(info.output_height);
  d.rgb.resize(std::size_t(d.width * d.height * 3));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &d.rgb[std::size_t(info.output_scanline) * std::size_t(d.width) * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return d;
}

void ExpectNear(const unsigned char* p, int r, int g, int b) {
  EXPECT_NEAR(p[0], r, 6);
  EXPECT_NEAR(p[1], g, 6);
  EXPECT_NEAR(p[2], b, 6);
}

TEST(JpegWriter, FrameHeaderHoldsTheSizeAndQuality100QuantisesByOne) {
  const Picture picture(1024, 768);
  std::vector<unsigned char> jpeg;
  std::string error;
  ASSERT_TRUE(lcr::EncodeJpeg(picture.View(), 100, jpeg, &error)) << error;
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);
  EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
  EXPECT_EQ(jpeg[jpeg.size() - 1], 0xD9);

  const unsigned char* sof = FindSegment(jpeg, 0xC0);
  ASSERT_NE(sof, nullptr) << "a baseline frame";
  EXPECT_EQ(sof[5] << 8 | sof[6], 768);
  EXPECT_EQ(sof[7] << 8 | sof[8], 1024);
  EXPECT_EQ(sof[9], 3) << "three components";
  for (int c = 0; c < 3; ++c) EXPECT_EQ(sof[11 + 3 * c], 0x11) << "colour at full resolution";

  const unsigned char* dqt = FindSegment(jpeg, 0xDB);
  ASSERT_NE(dqt, nullptr);
  const int length = dqt[2] << 8 | dqt[3];
  for (int i = 5; i < 2 + length; ++i) {
    if ((i - 4) % 65 == 0) continue;  // each table's id byte
    EXPECT_EQ(dqt[i], 1) << "quantiser " << i;
  }
}

TEST(JpegWriter, DecodesBackToItsColours) {
  const Picture picture(1024, 768);
  std::vector<unsigned char> jpeg;
  ASSERT_TRUE(lcr::EncodeJpeg(picture.View(), 100, jpeg, nullptr));
  const Decoded d = Decode(jpeg);
  ASSERT_EQ(d.width, 1024);
  ASSERT_EQ(d.height, 768);
  ExpectNear(d.At(10, 0), 255, 255, 255);
  ExpectNear(d.At(100, 400), 220, 0, 0);
  ExpectNear(d.At(900, 400), 0, 0, 200);
  ExpectNear(d.At(1023, 767), 0, 0, 200);
}

TEST(JpegWriter, RefusesAnEmptyPictureOrABadQuality) {
  std::vector<unsigned char> jpeg;
  std::string error;
  EXPECT_FALSE(lcr::EncodeJpeg({}, 100, jpeg, &error));
  EXPECT_FALSE(error.empty());
  const Picture picture(8, 8);
  EXPECT_FALSE(lcr::EncodeJpeg(picture.View(), 0, jpeg, &error));
  EXPECT_FALSE(lcr::EncodeJpeg(picture.View(), 101, jpeg, &error));
  lcr::RgbPixels narrow = picture.View();
  narrow.stride = 8;  // less than a row of pixels
  EXPECT_FALSE(lcr::EncodeJpeg(narrow, 100, jpeg, &error));
  EXPECT_TRUE(jpeg.empty());
}

TEST(JpegWriter, WritingReplacesTheFileOrReportsWhyItCannot) {
  QTemporaryDir dir;
  const QString path = dir.filePath("chart.jpg");
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(200000, 'x'));
  }
  const Picture picture(64, 48);
  QString error;
  ASSERT_TRUE(lcr::WriteJpegFile(path, picture.View(), 100, &error)) << error.toStdString();
  QFile written(path);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray bytes = written.readAll();
  ASSERT_GT(bytes.size(), 2);
  EXPECT_LT(bytes.size(), 200000);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);

  EXPECT_FALSE(lcr::WriteJpegFile(dir.filePath("no/such/folder/chart.jpg"), picture.View(), 100, &error));
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
