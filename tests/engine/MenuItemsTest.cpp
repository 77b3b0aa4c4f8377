// Menu items drawn from the skin, read back in pixels: the test skin's
// five item frames are solid colours, so each pixel tells which frame (or
// which background) it came from. Then which menus the engine draws, and
// how it measures their items.
#include "ManagerTestUtil.h"
#include "skin/form/PopupMenu.h"

#include <gtest/gtest.h>

#include <memory>

namespace enginetest {
namespace {

const TColor kMenuText = MakeColor(0x0A, 0xC8, 0x0B), kHilightText = MakeColor(0xF0, 0xE0, 0x0C),
             kShadow = MakeColor(0x5A, 0x0B, 0x5B), kMenuColor = MakeColor(0xC1, 0xC2, 0xC3),
             kHilight = MakeColor(0x0D, 0x2E, 0x9F);

// A pixel of the popup background: each one tells where it lies.
TColor BackgroundAt(int x, int y) {
  return MakeColor(x & 0xFF, y & 0xFF, 0x77);
}

class TOwnDraw : public TObject {
public:
  void Measure(TObject*, TCanvas*, int& width, int&) { width = 999; }
};

class MenuItemDrawing : public ::testing::Test {
protected:
  explicit MenuItemDrawing(bool element = true) : F(element ? MenusSpec(false) : StandardSpec()) {}
  void SetUp() override {
    ASSERT_TRUE(F.Skin());
    E = F.Engine();
    auto& colors = F.Data->Skin().Colors;
    colors[scMenuText] = kMenuText;
    colors[scHilightText] = kHilightText;
    colors[scButtonShadow] = kShadow;
    colors[scMenu] = kMenuColor;
    colors[scHilight] = kHilight;
    Popup = new TPopupMenu(F.Form);
    for (const wchar_t* c : {L"Open", L"-", L"Close"}) {
      auto* item = new TMenuItem(F.Form);
      item->SetCaption(c);
      Popup->Items().Add(item);
    }
    ASSERT_NE(Popup->Handle(), nullptr);
  }
  TMenuItem* Item(int i) { return Popup->Items().Items(i); }

  // The item drawn into a bitmap of 200 x 60 first filled with white, at
  // Where.
  Bitmap Draw(TMenuItem* item, bool selected) {
    TBitmap target;
    target.SetSize(200, 60);
    const RECT all{0, 0, 200, 60};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(target.Canvas().Handle(), &all, white);
    DeleteObject(white);
    target.Canvas().Font().Assign(Screen->MenuFont());
    E->DrawMenuItem(item, &target.Canvas(), Where, selected);
    return target.ToBitmap();
  }
  // Pixels of the item (inside Where) of colour c.
  int Count(const Bitmap& b, TColor c) const {
    int n = 0;
    for (int y = Where.top; y < Where.bottom; ++y)
      for (int x = Where.left; x < Where.right; ++x)
        n += b.At(x, y) == c;
    return n;
  }

  TSkinnedForm F;
  TWinSkinForm* E = nullptr;
  TPopupMenu* Popup = nullptr;
  RECT Where{10, 20, 170, 40};
};

// A popup window the manager paints, with a background picture whose every
// pixel differs, standing in for the open menu's window.
struct TPainted {
  explicit TPainted(HMENU menu)
      : Window(TestWindowClass(L"MenuItemsStandIn", DefWindowProcW), WS_POPUP, 0,
               {500, 400, 720, 500}) {
    TManagerEnabled on(true);
    Manager()->AttachPopupMenu(Window.Wnd);
    for (TWinSkinPopMenu* p : Manager()->PopupMenus)
      if (p->MenuWindow == Window.Wnd) Painter = p;
    if (!Painter) return;
    Painter->MenuHandle = menu;
    Painter->Background = Bitmap(220, 100);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 220; ++x)
        Painter->Background.Set(x, y, BackgroundAt(x, y));
  }
  ~TPainted() { Manager()->ReleasePopupMenu(Window.Wnd); }
  TTestWindow Window;
  TWinSkinPopMenu* Painter = nullptr;
};

TEST_F(MenuItemDrawing, FramesBackgroundAndTextColours) {
  TPainted painted(Popup->Handle());
  ASSERT_NE(painted.Painter, nullptr);
  const int l = Where.left, t = Where.top, r = Where.right, b = Where.bottom;
  struct TRow {
    const char* Name;
    int Item;
    bool Selected, Enabled;
    int Frame;
    TColor Text, NotText;
  };
  const TRow rows[] = {
      {"normal", 0, false, true, 1, kMenuText, kHilightText},
      {"selected", 0, true, true, 4, kHilightText, kMenuText},
      {"disabled", 2, false, false, 1, kShadow, kMenuText},
      {"disabled and selected", 2, true, false, 4, kShadow, kHilightText},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    Item(row.Item)->SetEnabled(row.Enabled);
    const Bitmap px = Draw(Item(row.Item), row.Selected);
    // The frame's transparent corner shows the popup's picture where the
    // item lies in the window: three pixels in, past the window's frame.
    EXPECT_EQ(px.At(l, t), BackgroundAt(l + TWinSkinPopMenu::kFrame, t + TWinSkinPopMenu::kFrame));
    EXPECT_EQ(px.At(l + 1, t + 1),
              BackgroundAt(l + 1 + TWinSkinPopMenu::kFrame, t + 1 + TWinSkinPopMenu::kFrame));
    for (POINT p : {POINT{r - 1, t}, POINT{r - 1, b - 1}, POINT{l, b - 1}, POINT{r - 5, t + 10}})
      EXPECT_EQ(MenuItemFrameOf(px.At(p.x, p.y)), row.Frame) << p.x << "," << p.y;
    EXPECT_GT(Count(px, row.Text), 5);
    EXPECT_EQ(Count(px, row.NotText), 0);
    // Nothing outside the item.
    EXPECT_EQ(px.At(l - 1, t), clWhite);
    EXPECT_EQ(px.At(l, b), clWhite);
    Item(row.Item)->SetEnabled(true);
  }

  // A shadow colour that equals the text colour would hide that an item is
  // disabled: the system's shadow colour stands in.
  auto& colors = F.Data->Skin().Colors;
  colors[scButtonShadow] = kMenuText;
  Item(2)->SetEnabled(false);
  const Bitmap px = Draw(Item(2), false);
  const TColor system = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
  ASSERT_NE(system, kMenuText);
  EXPECT_GT(Count(px, system), 5);
  EXPECT_EQ(Count(px, kMenuText), 0);
  colors[scButtonShadow] = kShadow;
}

TEST_F(MenuItemDrawing, SeparatorsTakeTheBottomRowsOfTheirFrame) {
  TPainted painted(Popup->Handle());
  ASSERT_NE(painted.Painter, nullptr);
  // As high as the frame's separator band: all of it is the band.
  Where = {10, 20, 170, 20 + kSeparatorRows};
  Bitmap px = Draw(Item(1), false);
  EXPECT_EQ(Count(px, kMenuItemFrame[1]), 160 * kSeparatorRows);
  // Higher: the bottom rows of the frame, so the band is at the bottom.
  Where = {10, 20, 170, 20 + kSeparatorRows + 4};
  px = Draw(Item(1), true); // a separator is never drawn selected
  EXPECT_EQ(px.At(80, Where.bottom - 1), kMenuItemFrame[1]);
  EXPECT_EQ(px.At(80, Where.bottom - kSeparatorRows), kMenuItemFrame[1]);
  EXPECT_EQ(px.At(80, Where.top), kSeparatorTop);
  EXPECT_EQ(Count(px, kMenuItemFrame[3]), 0);
}

TEST_F(MenuItemDrawing, WithoutAPopupPictureTheMenuColourIsTheBackground) {
  const Bitmap px = Draw(Item(0), false);
  EXPECT_EQ(px.At(Where.left, Where.top), kMenuColor);
  EXPECT_EQ(MenuItemFrameOf(px.At(Where.right - 1, Where.top)), 1);
}

class PlainMenuItemDrawing : public MenuItemDrawing {
protected:
  PlainMenuItemDrawing() : MenuItemDrawing(false) {}
};

// Without the skin's item picture the engine draws the standard look in
// the skin's colours.
TEST_F(PlainMenuItemDrawing, HilightFillAndAnEtchedSeparator) {
  ASSERT_EQ(F.Data->Skin().Element(ssMenuItem), nullptr);
  Bitmap px = Draw(Item(0), true);
  EXPECT_EQ(px.At(Where.left, Where.top), kHilight);
  EXPECT_EQ(px.At(Where.right - 1, Where.bottom - 1), kHilight);
  EXPECT_GT(Count(px, kHilightText), 5);
  px = Draw(Item(0), false);
  EXPECT_EQ(px.At(Where.left, Where.top), kMenuColor);
  EXPECT_GT(Count(px, kMenuText), 5);
  px = Draw(Item(1), false);
  const int x = Where.right - 20;
  EXPECT_EQ(px.At(x, Where.top + 3), kMenuColor);
  EXPECT_EQ(px.At(x, Where.top + 4), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(px.At(x, Where.top + 5), static_cast<TColor>(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(px.At(x, Where.top + 6), kMenuColor);
}

// --- Which menus are drawn by the engine ---------------------------------------------------

TEST(MenuItemOwnerDraw, PopupMenusOfTheFormExceptTheDisabledTag) {
  TSkinnedForm f(MenusSpec(false));
  TOwnDraw own;
  auto make = [&](int tag) {
    auto* menu = new TPopupMenu(f.Form);
    menu->SetTag(tag);
    auto* item = new TMenuItem(f.Form);
    item->SetCaption(L"Item");
    menu->Items().Add(item);
    return menu;
  };
  TPopupMenu* skinned = make(0);
  TPopupMenu* standard = make(f.Data->DisableTag());
  TMenuItem* item = skinned->Items().Items(0);
  item->OnMeasureItem = TMenuMeasureItemEvent(&own, &TOwnDraw::Measure);
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  EXPECT_TRUE(skinned->OwnerDraw());
  EXPECT_EQ(item->OnDrawItem.Data(), e);
  EXPECT_EQ(item->OnMeasureItem.Data(), &own); // the program's handler stays
  EXPECT_FALSE(standard->OwnerDraw());
  EXPECT_FALSE(standard->Items().Items(0)->OnDrawItem);
  EXPECT_FALSE(standard->Items().Items(0)->OnMeasureItem);
  f.Unskin();
  EXPECT_FALSE(skinned->OwnerDraw());
  EXPECT_FALSE(item->OnDrawItem);
  EXPECT_EQ(item->OnMeasureItem.Data(), &own);
}

// --- Measuring -------------------------------------------------------------------------------

TEST_F(MenuItemDrawing, MeasuringAddsTheFramesMarginAndRoomForTheGlyph) {
  TCanvas& canvas = [&]() -> TCanvas& {
    static TBitmap b;
    b.SetSize(4, 4);
    b.Canvas().Font().Assign(Screen->MenuFont());
    return b.Canvas();
  }();
  TMenuItem* item = Item(0);
  int baseWidth = 0, baseHeight = 0;
  item->DefaultMeasureItem(canvas, baseWidth, baseHeight);
  ASSERT_GT(baseWidth, 0);
  auto* images = new TCustomImageList(F.Form);
  struct TRow {
    const char* Name;
    bool Main, Images;
    int Extra;
  };
  const TRow rows[] = {
      {"drop-down item", true, false, kMenuItemBand + 10 + 25},
      {"drop-down item with images", true, true, kMenuItemBand + 10},
      {"popup item", false, false, kMenuItemBand + 12 + 23},
      {"popup item with images", false, true, kMenuItemBand + 12},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    Popup->SetImages(r.Images ? images : nullptr);
    int width = baseWidth, height = baseHeight;
    if (r.Main)
      E->MeasureMainItem(item, &canvas, width, height);
    else
      E->MeasurePopupItem(item, &canvas, width, height);
    // The main item is measured afresh; the popup one adds to what came.
    EXPECT_EQ(width, baseWidth + r.Extra);
    EXPECT_EQ(height, baseHeight);
  }
  Popup->SetImages(nullptr);
}

// Items of a window's own menus come as WM_MEASUREITEM with only their
// identifier: measured from their text in the menu font.
TEST(MenuItemMeasure, ItemsOfAPlainMenuByTheirText) {
  TSkinnedForm f(MenusSpec(false));
  auto* main = new TMainMenu(f.Form);
  auto* top = new TMenuItem(f.Form);
  top->SetCaption(L"&File");
  main->Items().Add(top);
  f.Form->SetMenu(main);
  ASSERT_TRUE(f.Skin());
  TWinSkinForm* e = f.Engine();
  HMENU plain = CreatePopupMenu();
  AppendMenuW(plain, MF_STRING, 5001, L"A plain item");
  AppendMenuW(plain, MF_SEPARATOR, 5002, nullptr);
  e->TrackedPopup = plain;
  HDC dc = GetDC(f.Wnd());
  HGDIOBJ old = SelectObject(dc, Screen->MenuFont().Handle());
  SIZE text{};
  GetTextExtentPoint32W(dc, L"A plain item", 12, &text);
  SelectObject(dc, old);
  ReleaseDC(f.Wnd(), dc);
  struct TRow {
    UINT Id;
    UINT Width, Height;
  } rows[] = {
      {5001, static_cast<UINT>(text.cx + 26 + kMenuItemBand), 15 + 4},
      {5002, 26 + kMenuItemBand, 8},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Id);
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    mi.itemID = r.Id;
    mi.itemHeight = 15;
    EXPECT_EQ(SendMessageW(f.Wnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi)), TRUE);
    EXPECT_EQ(mi.itemWidth, r.Width);
    EXPECT_EQ(mi.itemHeight, r.Height);
  }
  e->TrackedPopup = nullptr;
  DestroyMenu(plain);
}

} // namespace
} // namespace enginetest
