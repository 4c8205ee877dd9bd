#include "framework/ImageList.h"

#include <algorithm>
#include <cstring>

#include "framework/Layout.h"
#include "framework/Picture.h"

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
}

void TImageList::SetWidth(int width) {
  if (width == width_ || width <= 0) return;
  width_ = width;
  RebuildHandle();
  Changed();
}

void TImageList::SetHeight(int height) {
  if (height == height_ || height <= 0) return;
  height_ = height;
  RebuildHandle();
  Changed();
}

int TImageList::Add(const TGraphic& image) {
  auto png = std::make_unique<TPngImage>();
  png->Assign(image);
  if (handle_) AddToHandle(*png);
  images_.push_back(std::move(png));
  Changed();
  return Count() - 1;
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("image list index out of range");
  images_.erase(images_.begin() + index);
  if (handle_) ImageList_Remove(handle_, index);
  Changed();
}

void TImageList::Clear() {
  images_.clear();
  if (handle_) ImageList_RemoveAll(handle_);
  Changed();
}

const TPngImage& TImageList::Images(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("image list index out of range");
  return *images_[index];
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  const TPngImage& image = *images_[index];
  if (enabled) {
    canvas.Draw(x, y, image);
    return;
  }
  std::vector<uint32_t> pixels = image.Pixels();
  for (uint32_t& p : pixels) {
    const uint32_t grey = ((p >> 16 & 0xFF) * 77 + (p >> 8 & 0xFF) * 150 + (p & 0xFF) * 29) >> 8;
    p = (p >> 25) << 24 | grey << 16 | grey << 8 | grey;
  }
  DrawAlphaPixels(canvas, Bounds(x, y, image.Width(), image.Height()), pixels.data(), image.Width(),
                  image.Height());
}

void TImageList::GetPng(int index, TPngImage& image) const { image.Assign(Images(index)); }

void TImageList::GetBitmap(int index, TBitmap& bitmap) const {
  const TPngImage& image = Images(index);
  const std::vector<uint32_t> pixels = image.Pixels();
  bitmap.SetSize(0, 0);
  bitmap.SetSize(image.Width(), image.Height());
  for (int y = 0; y < image.Height(); ++y)
    std::memcpy(bitmap.ScanLine(y), &pixels[static_cast<size_t>(y) * image.Width()], image.Width() * 4u);
  bitmap.SetPixelFormat(pf32bit);
  bitmap.Changed();
}

HIMAGELIST TImageList::Handle() {
  if (!handle_) {
    handle_ = ImageList_Create(width_, height_, ILC_COLOR32, Count(), 4);
    if (!handle_) throw EGraphicError("cannot create a system image list");
    for (const auto& image : images_) AddToHandle(*image);
  }
  return handle_;
}

// The system list wants each image as a bitmap of exactly Width x Height
// that is not selected into any DC, so the image is copied into a fresh one.
void TImageList::AddToHandle(const TPngImage& image) {
  const std::vector<uint32_t> pixels = image.Pixels();
  std::vector<uint32_t> cell(static_cast<size_t>(width_) * height_, 0);
  for (int y = 0; y < std::min(height_, image.Height()); ++y)
    std::copy_n(&pixels[static_cast<size_t>(y) * image.Width()], std::min(width_, image.Width()),
                &cell[static_cast<size_t>(y) * width_]);
  HBITMAP bitmap = CreateBitmap(width_, height_, 1, 32, cell.data());
  if (!bitmap) throw EGraphicError("cannot create an image list bitmap");
  ImageList_Add(handle_, bitmap, nullptr);
  DeleteObject(bitmap);
}

void TImageList::RebuildHandle() {
  if (!handle_) return;
  ImageList_SetIconSize(handle_, width_, height_);  // also removes every image
  for (const auto& image : images_) AddToHandle(*image);
}

void TImageList::Changed() {
  if (OnChange) OnChange();
}

// ---------------------------------------------------------------- layout

namespace {

// Images are listed by their paths under resources/.
const bool registered = [] {
  RegisterClass<TImageList, TComponent>("TImageList")
      .Prop("Width", &TImageList::SetWidth)
      .Prop("Height", &TImageList::SetHeight)
      .Custom("Images", [](TImageList& list, const TLayoutValue& value, TLayoutReader&) {
        list.Clear();
        for (const auto& path : ValueToStrings(value)) {
          TLayoutValue one;
          one.Kind = TLayoutValue::vkString;
          one.String = path;
          TPicture picture;
          ValueToPicture(one, picture);
          list.Add(*picture.Graphic());
        }
      });
  return true;
}();

}  // namespace
