// TImageList: a component holding a numbered list of small pictures.
#pragma once

#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <memory>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/PngImage.h"

// Images are kept as PNG pictures (colour rows plus alpha), whatever the
// class they were added from, each at its own size. Width and Height are
// the nominal image size, used by the system image list that Handle()
// makes for native controls.
class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;

  int Width() const { return width_; }
  void SetWidth(int width);
  int Height() const { return height_; }
  void SetHeight(int height);
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds a copy of image; returns its index.
  int Add(const TGraphic& image);
  void Delete(int index);
  void Clear();

  const TPngImage& Images(int index) const;
  // Image index drawn with its alpha at (x, y); a disabled image is drawn
  // in grey at half opacity. An index out of range draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
  void GetPng(int index, TPngImage& image) const;
  // The image drawn onto a bitmap with per-pixel alpha (pf32bit).
  void GetBitmap(int index, TBitmap& bitmap) const;

  // A system image list of Width x Height holding the same images, kept up
  // to date while the component lives and destroyed with it. A native
  // control that is given it must not destroy it (LVS_SHAREIMAGELISTS).
  HIMAGELIST Handle();

  TChangeEvent OnChange;

 private:
  void Changed();
  void AddToHandle(const TPngImage& image);
  void RebuildHandle();

  int width_ = 16;
  int height_ = 16;
  std::vector<std::unique_ptr<TPngImage>> images_;
  HIMAGELIST handle_ = nullptr;
};
