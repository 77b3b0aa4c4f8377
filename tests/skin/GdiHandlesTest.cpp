#include <gtest/gtest.h>

#include "fw/GdiHandles.h"

#include <utility>

namespace {

bool Alive(HGDIOBJ h) {
  return GetObjectType(h) != 0;
}

HBITMAP SmallBitmap() {
  return CreateBitmap(4, 4, 1, 32, nullptr);
}

TEST(GdiObject, DeletesExactlyItsOwnHandle) {
  HBRUSH a = CreateSolidBrush(RGB(1, 2, 3));
  HBRUSH b = CreateSolidBrush(RGB(4, 5, 6));
  {
    TGdiBrush owner(a);
    EXPECT_EQ(owner.Get(), a);
    EXPECT_TRUE(owner);
  }
  EXPECT_FALSE(Alive(a));
  EXPECT_TRUE(Alive(b));
  DeleteObject(b);
}

TEST(GdiObject, MovesAndResets) {
  HPEN p1 = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HPEN p2 = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
  TGdiPen first(p1);
  TGdiPen second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.Get(), p1);
  EXPECT_TRUE(Alive(p1));

  TGdiPen third(p2);
  third = std::move(second); // the old handle of the target goes
  EXPECT_FALSE(Alive(p2));
  EXPECT_TRUE(Alive(p1));
  EXPECT_EQ(third.Get(), p1);

  third = std::move(third); // self-move keeps the handle
  EXPECT_TRUE(Alive(p1));
  third.Reset(p1); // resetting to the same handle must not delete it
  EXPECT_TRUE(Alive(p1));

  HPEN released = third.Release();
  EXPECT_FALSE(third);
  EXPECT_TRUE(Alive(released));
  DeleteObject(released);
}

TEST(GdiObject, EveryKindIsDeleted) {
  HRGN region = CreateRectRgn(0, 0, 2, 2);
  HBITMAP bitmap = SmallBitmap();
  LOGFONTW lf{};
  lf.lfHeight = 12;
  HFONT font = CreateFontIndirectW(&lf);
  {
    TGdiRegion r(region);
    TGdiBitmap b(bitmap);
    TGdiFont f(font);
    EXPECT_EQ(GetObjectType(r.Get()), static_cast<DWORD>(OBJ_REGION));
    EXPECT_EQ(GetObjectType(b.Get()), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetObjectType(f.Get()), static_cast<DWORD>(OBJ_FONT));
  }
  EXPECT_FALSE(Alive(region));
  EXPECT_FALSE(Alive(bitmap));
  EXPECT_FALSE(Alive(font));
}

TEST(MemoryDC, DeletedAndMovable) {
  HDC raw = nullptr;
  {
    TMemoryDC dc;
    raw = dc.Get();
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_MEMDC));
    TMemoryDC moved(std::move(dc));
    EXPECT_FALSE(dc);
    EXPECT_EQ(moved.Get(), raw);
    TMemoryDC other;
    HDC otherRaw = other.Get();
    other = std::move(moved);
    EXPECT_FALSE(Alive(otherRaw));
    EXPECT_TRUE(Alive(raw));
  }
  EXPECT_FALSE(Alive(raw));
}

TEST(Selection, RestoresThePreviousObjectAndUnwindsInOrder) {
  TMemoryDC dc;
  const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BRUSH);
  const TGdiBrush red(CreateSolidBrush(RGB(255, 0, 0)));
  const TGdiBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
  {
    TSelection outer(dc.Get(), red.Get());
    EXPECT_EQ(outer.Previous(), original);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), red.Get());
    {
      TSelection inner(dc.Get(), blue.Get());
      EXPECT_EQ(inner.Previous(), red.Get());
      EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), blue.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), red.Get());
    TSelection moved(std::move(outer));
    EXPECT_FALSE(outer);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), red.Get()); // moving restores nothing
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), original);
}

TEST(Selection, BitmapIsFreeAgainWhenTheScopeEnds) {
  HBITMAP raw = SmallBitmap();
  {
    TGdiBitmap bitmap(raw);
    TMemoryDC dc;
    TSelection selected(dc.Get(), bitmap.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), raw);
  }
  // Deselected before deletion, so DeleteObject really freed it.
  EXPECT_FALSE(Alive(raw));
}

TEST(Selection, FailedSelectionRestoresNothing) {
  TMemoryDC dc;
  const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BITMAP);
  {
    TSelection bad(dc.Get(), nullptr);
    EXPECT_FALSE(bad);
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), original);
}

TEST(Selection, RegionsHoldNothingToRestore) {
  TMemoryDC dc;
  const TGdiRegion region(CreateRectRgn(0, 0, 3, 3));
  {
    TSelection clip(dc.Get(), region.Get());
    EXPECT_FALSE(clip);
  }
  EXPECT_EQ(GetObjectType(region.Get()), static_cast<DWORD>(OBJ_REGION));
}

TEST(SavedDC, RestoresStateAndNests) {
  TMemoryDC dc;
  SetBkColor(dc.Get(), RGB(1, 1, 1));
  {
    TSavedDC outer(dc.Get());
    EXPECT_TRUE(outer);
    SetBkColor(dc.Get(), RGB(2, 2, 2));
    {
      TSavedDC inner(dc.Get());
      SetBkColor(dc.Get(), RGB(3, 3, 3));
      SetViewportOrgEx(dc.Get(), 7, 7, nullptr);
    }
    EXPECT_EQ(GetBkColor(dc.Get()), RGB(2, 2, 2));
    POINT org{};
    GetViewportOrgEx(dc.Get(), &org);
    EXPECT_EQ(org.x, 0);
    TSavedDC moved(std::move(outer));
    EXPECT_FALSE(outer);
    EXPECT_EQ(GetBkColor(dc.Get()), RGB(2, 2, 2));
  }
  EXPECT_EQ(GetBkColor(dc.Get()), RGB(1, 1, 1));
}

class WindowDCTest : public testing::Test {
protected:
  void SetUp() override {
    FWnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(FWnd, nullptr);
  }
  void TearDown() override { DestroyWindow(FWnd); }
  HWND FWnd = nullptr;
};

TEST_F(WindowDCTest, KeepsItsWindowAndMoves) {
  TWindowDC dc = TWindowDC::Client(FWnd);
  ASSERT_TRUE(dc);
  EXPECT_EQ(dc.Window(), FWnd);
  EXPECT_EQ(WindowFromDC(dc.Get()), FWnd);
  TWindowDC moved(std::move(dc));
  EXPECT_FALSE(dc);
  EXPECT_EQ(moved.Window(), FWnd);
  TWindowDC whole = TWindowDC::Whole(FWnd);
  EXPECT_EQ(WindowFromDC(whole.Get()), FWnd);
  TWindowDC ex = TWindowDC::Ex(FWnd, nullptr, DCX_WINDOW | DCX_CACHE);
  EXPECT_EQ(WindowFromDC(ex.Get()), FWnd);
}

TEST_F(WindowDCTest, EveryBorrowedDCIsGivenBack) {
  // A cache DC that was given back is free again: the next request for the
  // same window gets the same one.
  HDC first = nullptr;
  {
    const TWindowDC dc = TWindowDC::Ex(FWnd, nullptr, DCX_CACHE);
    first = dc.Get();
    ASSERT_TRUE(first);
  }
  for (int i = 0; i < 3; ++i) {
    const TWindowDC again = TWindowDC::Ex(FWnd, nullptr, DCX_CACHE);
    EXPECT_EQ(again.Get(), first) << i;
  }
  TWindowDC moved;
  {
    TWindowDC dc = TWindowDC::Ex(FWnd, nullptr, DCX_CACHE);
    moved = std::move(dc);
  }
  EXPECT_EQ(moved.Get(), first); // still held after the source went
  moved.Reset();
  EXPECT_FALSE(moved);
  const TWindowDC last = TWindowDC::Ex(FWnd, nullptr, DCX_CACHE);
  EXPECT_EQ(last.Get(), first);
}

} // namespace
