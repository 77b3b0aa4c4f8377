#pragma once
// Image lists: equal-sized images with a mask, as the system's common
// controls keep them.

#include "fw/Graphics.h"

#include <commctrl.h>

class TCustomImageList : public TComponent {
  FW_DECLARE_CLASS(TCustomImageList)
public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const;
  HIMAGELIST Handle() const { return FHandle; }
  // Cuts a bitmap resource of the module into images of width x height;
  // pixels of maskColor are transparent. False when the resource is missing.
  bool LoadFromResourceName(HINSTANCE instance, const wchar_t* name, int width, TColor maskColor);
  // Adds images cut from a bitmap side by side, with a mask colour.
  int AddMasked(const Bitmap& strip, TColor maskColor);
  void Clear();
  void Draw(HDC dc, int x, int y, int index, bool enabled = true) const;

private:
  void Reset(HIMAGELIST list, int width, int height);
  HIMAGELIST FHandle = nullptr;
  int FWidth = 16;
  int FHeight = 16;
};

class TImageList : public TCustomImageList {
  FW_DECLARE_CLASS(TImageList)
public:
  using TCustomImageList::TCustomImageList;
};
