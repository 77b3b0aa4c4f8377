#include "fw/ImgList.h"

FW_CLASS_IMPL(TCustomImageList, TComponent, nullptr, NoSetup)
FW_CLASS_IMPL(TImageList, TCustomImageList, CreateComponentOf<TImageList>, NoSetup)

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
  Reset(nullptr, FWidth, FHeight);
}

void TCustomImageList::Reset(HIMAGELIST list, int width, int height) {
  if (FHandle) ImageList_Destroy(FHandle);
  FHandle = list;
  FWidth = width;
  FHeight = height;
}

int TCustomImageList::Count() const {
  return FHandle ? ImageList_GetImageCount(FHandle) : 0;
}

void TCustomImageList::Clear() {
  if (FHandle) ImageList_RemoveAll(FHandle);
}

bool TCustomImageList::LoadFromResourceName(HINSTANCE instance, const wchar_t* name, int width,
                                            TColor maskColor) {
  TBitmap bitmap;
  if (!bitmap.LoadFromResourceName(instance, name)) return false;
  Reset(ImageList_Create(width, bitmap.Height(), ILC_COLOR32 | ILC_MASK, 0, 4), width,
        bitmap.Height());
  AddMasked(bitmap.ToBitmap(), maskColor);
  return true;
}

int TCustomImageList::AddMasked(const Bitmap& strip, TColor maskColor) {
  if (!FHandle)
    Reset(ImageList_Create(FWidth, FHeight, ILC_COLOR32 | ILC_MASK, 0, 4), FWidth, FHeight);
  TBitmap gdi;
  gdi.FromBitmap(strip);
  if (gdi.Empty()) return -1;
  // ImageList_AddMasked needs a bitmap that is not selected into a DC.
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(gdi.Handle(), IMAGE_BITMAP, 0, 0, 0));
  int first = ImageList_AddMasked(FHandle, copy, ColorToCOLORREF(maskColor));
  DeleteObject(copy);
  return first;
}

void TCustomImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const {
  if (!FHandle || index < 0 || index >= Count()) return;
  ImageList_DrawEx(FHandle, index, dc, x, y, 0, 0, CLR_NONE, CLR_NONE,
                   ILD_TRANSPARENT | (enabled ? 0 : ILD_BLEND50));
}
