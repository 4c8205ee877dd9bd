// TPicture: holds one picture of any kind (PNG, BMP or JPEG).
#pragma once

#include "framework/Graphics.h"

// A holder of at most one graphic, which it owns. Loading picks the class
// from the data's signature; assigning copies the held graphic. OnChange is
// raised when the graphic is replaced and when the held graphic changes.
class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Holds a copy of graphic (nothing when null).
  void SetGraphic(const TGraphic* graphic);
  // Holds graphic itself (nothing when null).
  void TakeGraphic(std::unique_ptr<TGraphic> graphic);
  // The held bitmap; any other graphic (or none) is first replaced by a new,
  // empty bitmap. Drawing on its canvas does not raise OnChange.
  TBitmap& Bitmap();
  // The held graphic as T, or null when it is of another class or absent.
  template <class T>
  T* GraphicAs() const {
    return dynamic_cast<T*>(graphic_.get());
  }

  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  // True when no graphic is held or the held one has no pixels.
  bool Empty() const { return !graphic_ || graphic_->Empty(); }

  void Assign(const TPicture& source);
  void Clear();

  // PNG, JPEG or BMP data, told apart by their first bytes. Throws
  // EGraphicError (and keeps the current picture) on anything else.
  void LoadFromBytes(std::span<const uint8_t> bytes);
  void LoadFromFile(const std::wstring& path);
  // A file embedded from resources/ (see Resources.h).
  void LoadFromResource(const std::wstring& path);

  TChangeEvent OnChange;

 private:
  std::unique_ptr<TGraphic> graphic_;
};

// A new, empty graphic of the class that decodes data with these first
// bytes; null when the format is not known.
std::unique_ptr<TGraphic> GraphicForData(std::span<const uint8_t> bytes);
