#include "files/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h expects size_t and FILE to be declared before it.
#include <jpeglib.h>

#include "files/safe_write.h"

namespace lcr {

namespace {

// The library's default error handler ends the process; this one jumps
// back to the encoder with the message.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// The library calls; no C++ object with a destructor lives in this frame,
// so the jump back on an error skips nothing.
bool Compress(const RgbPixels& pixels, int quality, unsigned char** buffer, unsigned long* size, char* message) {
  jpeg_compress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.message[0] = '\0';
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = JDIMENSION(pixels.width);
  info.image_height = JDIMENSION(pixels.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  // Full-resolution colour: a one-pixel red line on the chart's dark ground
  // would bleed at half resolution.
  info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.data + std::ptrdiff_t(info.next_scanline) * pixels.stride);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool EncodeJpeg(const RgbPixels& pixels, int quality, std::vector<unsigned char>& out, std::string* error) {
  if (!pixels.data || pixels.width <= 0 || pixels.height <= 0 || pixels.stride < std::ptrdiff_t(pixels.width) * 3) {
    if (error) *error = "no picture to encode";
    return false;
  }
  if (quality < 1 || quality > 100) {
    if (error) *error = "the quality lies outside 1 to 100";
    return false;
  }
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  char message[JMSG_LENGTH_MAX] = {};
  const bool ok = Compress(pixels, quality, &buffer, &size, message);
  if (ok) out.assign(buffer, buffer + size);
  std::free(buffer);  // the library's memory destination allocates with malloc
  if (!ok && error) *error = message;
  return ok;
}

bool WriteJpegFile(const QString& path, const RgbPixels& pixels, int quality, QString* error) {
  std::vector<unsigned char> bytes;
  std::string reason;
  if (!EncodeJpeg(pixels, quality, bytes, &reason)) {
    if (error) *error = QString::fromStdString(reason);
    return false;
  }
  return WriteFileSafely(path, QByteArrayView(bytes.data(), qsizetype(bytes.size())), error);
}

}  // namespace lcr
