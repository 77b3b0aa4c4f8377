#pragma once
// Owners of GDI handles: each wrapper releases exactly the handle it holds,
// the way that kind of handle must be released, so nothing leaks on an early
// return. They move but never copy.

#include <windows.h>

#include <algorithm>
#include <utility>

// A GDI object deleted with DeleteObject: brush, pen, bitmap, region, font,
// palette. It must not be selected into a DC when it goes.
template <class H> class TGdiObject {
public:
  TGdiObject() = default;
  explicit TGdiObject(H handle) : FHandle(handle) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  TGdiObject(TGdiObject&& other) noexcept : FHandle(other.Release()) {}
  TGdiObject& operator=(TGdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  // Gives the handle up without deleting it.
  H Release() { return std::exchange(FHandle, nullptr); }
  void Reset(H handle = nullptr) {
    H old = std::exchange(FHandle, handle);
    if (old && old != handle) DeleteObject(old);
  }

private:
  H FHandle = nullptr;
};

using TGdiBrush = TGdiObject<HBRUSH>;
using TGdiPen = TGdiObject<HPEN>;
using TGdiBitmap = TGdiObject<HBITMAP>;
using TGdiRegion = TGdiObject<HRGN>;
using TGdiFont = TGdiObject<HFONT>;
using TGdiPalette = TGdiObject<HPALETTE>;

// A memory DC from CreateCompatibleDC, deleted with DeleteDC.
class TMemoryDC {
public:
  // Compatible with the given DC, or with the screen when there is none.
  explicit TMemoryDC(HDC compatibleWith = nullptr) : FDC(CreateCompatibleDC(compatibleWith)) {}
  ~TMemoryDC() { Reset(); }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  TMemoryDC(TMemoryDC&& other) noexcept : FDC(std::exchange(other.FDC, nullptr)) {}
  TMemoryDC& operator=(TMemoryDC&& other) noexcept {
    if (this != &other) {
      Reset();
      FDC = std::exchange(other.FDC, nullptr);
    }
    return *this;
  }

  HDC Get() const { return FDC; }
  explicit operator bool() const { return FDC != nullptr; }
  void Reset() {
    if (FDC) DeleteDC(std::exchange(FDC, nullptr));
  }

private:
  HDC FDC = nullptr;
};

// A DC borrowed from a window (GetDC, GetWindowDC, GetDCEx), given back with
// ReleaseDC and the same window.
class TWindowDC {
public:
  TWindowDC() = default;
  // Takes over a DC already obtained for the window.
  TWindowDC(HWND wnd, HDC dc) : FWnd(wnd), FDC(dc) {}
  static TWindowDC Client(HWND wnd) { return TWindowDC(wnd, GetDC(wnd)); }
  static TWindowDC Whole(HWND wnd) { return TWindowDC(wnd, GetWindowDC(wnd)); }
  static TWindowDC Ex(HWND wnd, HRGN clip, DWORD flags) {
    return TWindowDC(wnd, GetDCEx(wnd, clip, flags));
  }
  ~TWindowDC() { Reset(); }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  TWindowDC(TWindowDC&& other) noexcept
      : FWnd(std::exchange(other.FWnd, nullptr)), FDC(std::exchange(other.FDC, nullptr)) {}
  TWindowDC& operator=(TWindowDC&& other) noexcept {
    if (this != &other) {
      Reset();
      FWnd = std::exchange(other.FWnd, nullptr);
      FDC = std::exchange(other.FDC, nullptr);
    }
    return *this;
  }

  HDC Get() const { return FDC; }
  HWND Window() const { return FWnd; }
  explicit operator bool() const { return FDC != nullptr; }
  void Reset() {
    if (FDC) ReleaseDC(FWnd, std::exchange(FDC, nullptr));
    FWnd = nullptr;
  }

private:
  HWND FWnd = nullptr;
  HDC FDC = nullptr;
};

// Selects an object into a DC and puts the previous one back when it goes.
// A region is only copied into the clip region and has no previous object:
// such a selection holds nothing to restore (use SelectClipRgn instead).
class TSelection {
public:
  TSelection(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {
    if (FOld == HGDI_ERROR || GetObjectType(object) == OBJ_REGION) FOld = nullptr;
  }
  ~TSelection() { Reset(); }
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;
  TSelection(TSelection&& other) noexcept
      : FDC(std::exchange(other.FDC, nullptr)), FOld(std::exchange(other.FOld, nullptr)) {}
  TSelection& operator=(TSelection&& other) noexcept {
    if (this != &other) {
      Reset();
      FDC = std::exchange(other.FDC, nullptr);
      FOld = std::exchange(other.FOld, nullptr);
    }
    return *this;
  }

  // The object that was selected before; null when the selection failed.
  HGDIOBJ Previous() const { return FOld; }
  explicit operator bool() const { return FOld != nullptr; }
  void Reset() {
    if (FOld) SelectObject(FDC, std::exchange(FOld, nullptr));
    FDC = nullptr;
  }

private:
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
};

// SaveDC now, RestoreDC of exactly that state when it goes, so nested
// scopes unwind in order.
class TSavedDC {
public:
  explicit TSavedDC(HDC dc) : FDC(dc), FState(SaveDC(dc)) {}
  ~TSavedDC() { Reset(); }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;
  TSavedDC(TSavedDC&& other) noexcept
      : FDC(std::exchange(other.FDC, nullptr)), FState(std::exchange(other.FState, 0)) {}
  TSavedDC& operator=(TSavedDC&& other) noexcept {
    if (this != &other) {
      Reset();
      FDC = std::exchange(other.FDC, nullptr);
      FState = std::exchange(other.FState, 0);
    }
    return *this;
  }

  int State() const { return FState; }
  explicit operator bool() const { return FState != 0; }
  void Reset() {
    if (FState != 0) RestoreDC(FDC, std::exchange(FState, 0));
    FDC = nullptr;
  }

private:
  HDC FDC = nullptr;
  int FState = 0;
};

// BeginPaint now, EndPaint with the same window and paint record when it
// goes, so a throw while painting still validates the window.
class TPaintDC {
public:
  explicit TPaintDC(HWND wnd) : FWnd(wnd), FDC(BeginPaint(wnd, &FPaint)) {}
  ~TPaintDC() {
    if (FDC) EndPaint(FWnd, &FPaint);
  }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;

  HDC Get() const { return FDC; }
  const PAINTSTRUCT& Paint() const { return FPaint; }
  explicit operator bool() const { return FDC != nullptr; }

private:
  HWND FWnd;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

// An off-screen picture of one rectangle of a DC, in that DC's logical
// coordinates: draw into Get() as if into the DC itself, then Blit once.
// Without a Blit (drawing failed) the DC is left as it was.
class TOffscreen {
public:
  TOffscreen(HDC target, const RECT& area)
      : FTarget(target), FArea(area), FDC(target),
        FBitmap(CreateCompatibleBitmap(target, Width(), Height())),
        FSelection(FDC.Get(), FBitmap.Get()) {
    SetViewportOrgEx(FDC.Get(), -area.left, -area.top, nullptr);
  }
  TOffscreen(const TOffscreen&) = delete;
  TOffscreen& operator=(const TOffscreen&) = delete;

  // False when the system could not make the buffer; draw directly then.
  explicit operator bool() const { return FDC && FBitmap; }
  HDC Get() const { return FDC.Get(); }
  int Width() const { return std::max<int>(FArea.right - FArea.left, 1); }
  int Height() const { return std::max<int>(FArea.bottom - FArea.top, 1); }
  void Blit() const {
    BitBlt(FTarget, FArea.left, FArea.top, Width(), Height(), FDC.Get(), FArea.left, FArea.top,
           SRCCOPY);
  }

private:
  HDC FTarget;
  RECT FArea;
  TMemoryDC FDC;
  TGdiBitmap FBitmap;
  TSelection FSelection;
};
