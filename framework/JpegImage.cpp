#include "framework/JpegImage.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <jerror.h>

namespace {

constexpr JDIMENSION kMaxSide = 16384;
constexpr uint64_t kMaxPixels = 32u << 20;

// libjpeg's error manager extended with the jump target and the message.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void IgnoreMessage(j_common_ptr) {}

void RecordError(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  info->err->format_message(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// libjpeg reports errors by longjmp back into the function that called
// setjmp. These functions hold no object with a destructor, so the jump
// skips nothing that needs cleaning up.

bool ReadHeader(jpeg_decompress_struct* info, JpegErrors* errors, const uint8_t* data, size_t size) {
  if (setjmp(errors->jump)) return false;
  jpeg_mem_src(info, data, static_cast<unsigned long>(size));
  jpeg_read_header(info, TRUE);
  if (info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK)
    ERREXIT(info, JERR_CONVERSION_NOTIMPL);
  info->out_color_space = JCS_EXT_BGRX;
  jpeg_calc_output_dimensions(info);
  return true;
}

// Decodes into rows of the bitmap, which must have the output size.
bool ReadRows(jpeg_decompress_struct* info, JpegErrors* errors, TBitmap* bitmap) {
  if (setjmp(errors->jump)) return false;
  jpeg_start_decompress(info);
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(bitmap->ScanLine(static_cast<int>(info->output_scanline)));
    jpeg_read_scanlines(info, &row, 1);
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

void TJPEGImage::Draw(TCanvas& canvas, const TRect& r) const { bitmap_.Draw(canvas, r); }

void TJPEGImage::Assign(const TGraphic& source) {
  if (&source == this) return;
  if (auto* jpeg = dynamic_cast<const TJPEGImage*>(&source))
    bitmap_.Assign(jpeg->bitmap_);
  else
    bitmap_.Assign(source);
  bitmap_.SetPixelFormat(pf24bit);
  Changed();
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->Assign(*this);
  return copy;
}

void TJPEGImage::LoadFromBytes(std::span<const uint8_t> bytes) {
  if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[2] != 0xFF)
    throw EGraphicError("not a JPEG file");
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = RecordError;
  errors.manager.output_message = IgnoreMessage;  // no warnings on stderr
  jpeg_create_decompress(&info);
  struct Cleanup {
    jpeg_decompress_struct* info;
    ~Cleanup() { jpeg_destroy_decompress(info); }
  } cleanup{&info};

  if (!ReadHeader(&info, &errors, bytes.data(), bytes.size()))
    throw EGraphicError(std::string("JPEG: ") + errors.message);
  if (info.output_width > kMaxSide || info.output_height > kMaxSide ||
      uint64_t{info.output_width} * info.output_height > kMaxPixels)
    throw EGraphicError("JPEG picture is too large");
  // Decode into a fresh bitmap so that a failure leaves the picture as it was.
  TBitmap decoded(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  if (!ReadRows(&info, &errors, &decoded)) throw EGraphicError(std::string("JPEG: ") + errors.message);
  bitmap_.Assign(decoded);
  bitmap_.SetPixelFormat(pf24bit);
  Changed();
}
