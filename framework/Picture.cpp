#include "framework/Picture.h"

#include <algorithm>
#include <array>

#include "framework/JpegImage.h"
#include "framework/PngImage.h"
#include "framework/Resources.h"

std::unique_ptr<TGraphic> GraphicForData(std::span<const uint8_t> bytes) {
  static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto startsWith = [&](std::span<const uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
  };
  if (startsWith(kPng)) return std::make_unique<TPngImage>();
  if (startsWith(std::array<uint8_t, 3>{0xFF, 0xD8, 0xFF})) return std::make_unique<TJPEGImage>();
  if (startsWith(std::array<uint8_t, 2>{'B', 'M'})) return std::make_unique<TBitmap>();
  return nullptr;
}

void TPicture::TakeGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) {
    graphic_->OnChange = [this] {
      if (OnChange) OnChange();
    };
  }
  if (OnChange) OnChange();
}

void TPicture::SetGraphic(const TGraphic* graphic) { TakeGraphic(graphic ? graphic->Clone() : nullptr); }

TBitmap& TPicture::Bitmap() {
  if (!GraphicAs<TBitmap>()) TakeGraphic(std::make_unique<TBitmap>());
  return *GraphicAs<TBitmap>();
}

void TPicture::Assign(const TPicture& source) {
  if (&source != this) SetGraphic(source.Graphic());
}

void TPicture::Clear() { TakeGraphic(nullptr); }

void TPicture::LoadFromBytes(std::span<const uint8_t> bytes) {
  std::unique_ptr<TGraphic> graphic = GraphicForData(bytes);
  if (!graphic) throw EGraphicError("unknown picture format");
  graphic->LoadFromBytes(bytes);
  TakeGraphic(std::move(graphic));
}

void TPicture::LoadFromFile(const std::wstring& path) { LoadFromBytes(ReadFileBytes(path)); }

void TPicture::LoadFromResource(const std::wstring& path) { LoadFromBytes(ResourceBytes(path)); }
