#include <gtest/gtest.h>

#include "EngineTestUtil.h"

#include "skin/controls/PanelPainters.h"
#include "skin/data/ElementDraw.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace enginetest {
namespace {

// The "Buttons" strip: five frames of one colour each.
constexpr TColor kFrames[5] = {0x00100000 | 0x11, 0x00200000 | 0x22, 0x00300000 | 0x33,
                               0x00400000 | 0x44, 0x00500000 | 0x55};
constexpr TColor kNormalText = 0x000000A1, kHotText = 0x000000A4, kPressedText = 0x000000A2;

TSkinSpec ToolBarSpec(bool stateColours) {
  TSkinSpec spec = StandardSpec();
  Bitmap strip(5 * 8, 8);
  for (int f = 0; f < 5; ++f)
    strip.FillRect(RectOf(f * 8, 0, 8, 8), kFrames[f]);
  spec.ExtraFiles.push_back({"tool-buttons.bmp", strip});
  spec.ExtraIni = "[Buttons]\r\nBitmap=tool-buttons.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\n"
                  "TopHeight=2\r\nBottomHeight=2\r\nTile=1\r\n";
  if (stateColours)
    spec.ExtraIni += "NormalColour=" + std::to_string(kNormalText) +
                     "\r\nMouseOverColour=" + std::to_string(kHotText) +
                     "\r\nPressedColour=" + std::to_string(kPressedText) + "\r\n";
  return spec;
}

// A skinned form with a tool bar whose buttons are made before skinning,
// so the engine's control walk finds them.
struct TBarForm {
  explicit TBarForm(bool stateColours = false, std::function<void(TBarForm&)> before = nullptr)
      : Skinned(ToolBarSpec(stateColours)) {
    Bar = new TToolBar(Skinned.Form);
    Bar->SetParent(Skinned.Form);
    for (int i = 0; i < 5; ++i)
      Buttons.push_back(Add());
    if (before) before(*this);
  }
  TToolButton* Add(TToolButtonStyle style = tbsButton) {
    auto* b = new TToolButton(Skinned.Form);
    b->SetStyle(style);
    b->SetParent(Bar);
    return b;
  }
  TWinSkinForm* Engine() const { return Skinned.Engine(); }
  TSkinnedForm Skinned;
  TToolBar* Bar = nullptr;
  std::vector<TToolButton*> Buttons;
};

// The bar as it paints itself, in a memory DC of its size.
class TBarPicture {
public:
  explicit TBarPicture(TToolBar* bar) : FWidth(bar->Width()), FHeight(bar->Height()) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), FWidth, -FHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    FBitmap.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    FBits = static_cast<const std::uint32_t*>(bits);
    TSelection selected(FDC.Get(), FBitmap.Get());
    SendMessageW(bar->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(FDC.Get()), 0);
    GdiFlush();
  }
  TColor At(int x, int y) const { return PixelToColor(FBits[y * FWidth + x] & 0xFFFFFF); }
  // The colour inside a button's bounds shrunk by one pixel, when all of
  // that area has one colour; else a colour no frame has.
  TColor Inside(const TControl* b) const {
    const TColor c = At(b->Left() + 1, b->Top() + 1);
    for (int y = b->Top() + 1; y < b->Top() + b->Height() - 1; ++y)
      for (int x = b->Left() + 1; x < b->Left() + b->Width() - 1; ++x)
        if (At(x, y) != c) return 0x01FFFFFF;
    return c;
  }
  // The one-pixel ring the skin's frame leaves out.
  TColor Ring(const TControl* b) const { return At(b->Left(), b->Top()); }

private:
  int FWidth, FHeight;
  TMemoryDC FDC{nullptr};
  TGdiBitmap FBitmap;
  const std::uint32_t* FBits = nullptr;
};

void PressAndHold(TToolBar* bar, TToolButton* b) {
  SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(b->Left() + b->Width() / 2, b->Top() + 5));
}

void Release(TToolBar* bar) {
  SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1000, 1000));
}

TEST(ToolBarSkin, EachStateDrawsItsFrameInsideTheButton) {
  TBarForm f;
  ASSERT_TRUE(f.Skinned.Skin());
  auto& b = f.Buttons;
  b[1]->Perform(CM_MOUSEENTER);
  b[3]->SetEnabled(false);
  b[4]->SetDown(true);
  PressAndHold(f.Bar, b[2]);
  TBarPicture picture(f.Bar);
  Release(f.Bar);
  const TColor face = ColorToRGB(clBtnFace); // the bar's own background by default
  EXPECT_EQ(picture.Inside(b[0]), kFrames[0]);
  EXPECT_EQ(picture.Inside(b[1]), kFrames[3]); // hot
  EXPECT_EQ(picture.Inside(b[2]), kFrames[1]); // pressed (and hot)
  EXPECT_EQ(picture.Inside(b[3]), face);       // disabled: no frame of its own
  for (TToolButton* button : {b[0], b[1], b[2], b[3]})
    EXPECT_EQ(picture.Ring(button), face) << button->Left();
  // A checked button has no frame in the skin: the bar's own sunken face.
  EXPECT_EQ(picture.Inside(b[4]), face);
  EXPECT_EQ(picture.Ring(b[4]), ColorToRGB(clBtnShadow));
  EXPECT_TRUE(f.Bar->Flat());
}

TEST(ToolBarSkin, TheToolbarPictureIsStretchedOverTheBar) {
  TBarForm f;
  f.Skinned.Data->SetOptions(f.Skinned.Data->Options() & ~SkinOptionBit(xoToolbarBK));
  ASSERT_TRUE(f.Skinned.Skin());
  const TDataSkinObject* element = f.Skinned.Data->Skin().Element(ssToolbar);
  ASSERT_TRUE(element && ElementGdiImage(*element));
  // The same picture stretched by the system alone, as the bar must show it.
  const int w = f.Bar->Width(), h = f.Bar->Height();
  TBitmap expected;
  expected.SetSize(w, h);
  HDC dc = expected.Canvas().Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  const TGdiImage* image = ElementGdiImage(*element);
  StretchBlt(dc, 0, 0, w, h, image->DC(), 0, 0, image->Width(), image->Height(), SRCCOPY);
  const Bitmap want = expected.ToBitmap();
  EXPECT_NE(want.At(0, 0), want.At(0, h - 1)); // a gradient, top to bottom

  TBarPicture picture(f.Bar);
  const TToolButton* last = f.Buttons.back();
  for (int x : {last->Left() + last->Width() + 3, w - 1})
    for (int y = 0; y < h; ++y)
      ASSERT_EQ(picture.At(x, y), want.At(x, y)) << x << "," << y;
  EXPECT_EQ(picture.Ring(f.Buttons[0]), want.At(f.Buttons[0]->Left(), f.Buttons[0]->Top()));

  // The DC the bar draws on keeps its own stretch mode.
  TBitmap target;
  target.SetSize(w, h);
  HDC targetDC = target.Canvas().Handle();
  SetStretchBltMode(targetDC, HALFTONE);
  bool defaultDraw = true;
  {
    TCanvasBinding binding(f.Bar->Canvas(), targetDC);
    f.Engine()->DrawToolBarBackground(f.Bar, {0, 0, w, h}, defaultDraw);
  }
  EXPECT_FALSE(defaultDraw);
  EXPECT_EQ(GetStretchBltMode(targetDC), HALFTONE);
  EXPECT_EQ(target.ToBitmap().At(w - 1, h / 2), want.At(w - 1, h / 2));
}

TEST(ToolBarSkin, OptionsAndEngineStateSwitchTheDrawingOff) {
  TBarForm f;
  f.Skinned.Data->SetOptions(SkinOptionBit(xoToolbarButton));
  ASSERT_TRUE(f.Skinned.Skin());
  f.Buttons[1]->Perform(CM_MOUSEENTER);
  {
    TBarPicture picture(f.Bar);
    // The gradient shows, the buttons keep the bar's flat faces.
    const int right = f.Bar->Width() - 1, middle = f.Buttons[0]->Top() + 10;
    EXPECT_NE(picture.At(right, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.At(f.Buttons[0]->Left() + 10, middle), picture.At(right, middle));
    EXPECT_EQ(picture.Ring(f.Buttons[1]), ColorToRGB(clBtnHighlight)); // the bar's hot edge
  }
  f.Skinned.Data->SetOptions(SkinOptionBit(xoToolbarBK));
  {
    TBarPicture picture(f.Bar);
    EXPECT_EQ(picture.At(f.Bar->Width() - 1, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(picture.Inside(f.Buttons[0]), kFrames[0]);
  }
  // While re-skinning the buttons keep the bar's own look.
  f.Engine()->EngineState = 3;
  TBarPicture during(f.Bar);
  f.Engine()->EngineState = 1;
  EXPECT_EQ(during.Inside(f.Buttons[0]), ColorToRGB(clBtnFace));
}

// Sits in front of the engine's button drawing and notes the caption
// colour it left on the bar's canvas.
class TColourProbe : public TObject {
public:
  TWinSkinForm* Engine = nullptr;
  std::vector<TColor> Colours;
  void Draw(TToolBar* bar, TToolButton* button, unsigned state, bool& defaultDraw) {
    Engine->DrawToolButton(bar, button, state, defaultDraw);
    Colours.push_back(bar->Canvas().Font().Color());
  }
};

std::vector<TColor> CaptionColours(TBarForm& f) {
  TColourProbe probe;
  probe.Engine = f.Engine();
  f.Bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(&probe, &TColourProbe::Draw);
  f.Buttons[1]->Perform(CM_MOUSEENTER);
  f.Buttons[3]->SetEnabled(false);
  PressAndHold(f.Bar, f.Buttons[2]);
  TBarPicture picture(f.Bar);
  Release(f.Bar);
  f.Bar->OnCustomDrawButton = nullptr;
  return std::vector<TColor>(probe.Colours.begin(), probe.Colours.begin() + 4);
}

TEST(ToolBarSkin, StateColoursReachTheCanvasFontOnlyWhenTheSkinGivesThem) {
  TBarForm given(true);
  ASSERT_TRUE(given.Skinned.Skin());
  given.Bar->Font().SetColor(0x00123456);
  EXPECT_EQ(CaptionColours(given),
            (std::vector<TColor>{kNormalText, kHotText, kPressedText, 0x00123456}));

  TBarForm absent(false);
  ASSERT_TRUE(absent.Skinned.Skin());
  absent.Bar->Font().SetColor(0x00123456);
  EXPECT_EQ(CaptionColours(absent), std::vector<TColor>(4, 0x00123456));
}

// A handler of the program's own, which the engine must leave in place.
class TOwnDrawing : public TObject {
public:
  void Button(TToolBar*, TToolButton*, unsigned, bool&) {}
};

TMenuItem* AddItem(TComponent* owner, TMenuItem& parent, const wchar_t* caption) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent.Add(item);
  return item;
}

// Every item from item down: its drawing and measuring events' objects.
void CollectBindings(TMenuItem* item, std::vector<TObject*>& out) {
  out.push_back(item->OnDrawItem.Data());
  out.push_back(item->OnMeasureItem.Data());
  for (int i = 0; i < item->Count(); ++i)
    CollectBindings(item->Items(i), out);
}
bool AllBoundTo(TMenuItem* item, TObject* engine) {
  std::vector<TObject*> b;
  CollectBindings(item, b);
  return std::all_of(b.begin() + 2, b.end(), [engine](TObject* o) { return o == engine; });
}
bool NoneBound(TMenuItem* item) {
  std::vector<TObject*> b;
  CollectBindings(item, b);
  return std::all_of(b.begin(), b.end(), [](TObject* o) { return o == nullptr; });
}

TEST(ToolBarSkin, BindsOnlyWhatIsFreeAndGivesItBackOnUnskin) {
  TOwnDrawing own;
  TToolBar* second = nullptr;
  TMainMenu* barMenu = nullptr;
  TMainMenu* other = nullptr;
  TPopupMenu* dropdown = nullptr;
  TBarForm f(false, [&](TBarForm& form) {
    TForm* owner = form.Skinned.Form;
    form.Bar->OnCustomDrawButton = TTBCustomDrawBtnEvent(&own, &TOwnDrawing::Button);
    second = new TToolBar(owner);
    second->SetParent(owner);
    barMenu = new TMainMenu(owner);
    TMenuItem* file = AddItem(owner, barMenu->Items(), L"File");
    AddItem(owner, *file, L"Open");
    AddItem(owner, *AddItem(owner, *file, L"Recent"), L"One");
    second->SetMenu(barMenu);
    other = new TMainMenu(owner);
    AddItem(owner, *AddItem(owner, other->Items(), L"Edit"), L"Copy");
    dropdown = new TPopupMenu(owner);
    AddItem(owner, dropdown->Items(), L"More");
    form.Buttons[0]->SetStyle(tbsDropDown);
    form.Buttons[0]->SetDropdownMenu(dropdown);
    form.Buttons[1]->SetMenuItem(other->Items().Items(0));
  });
  ASSERT_TRUE(f.Skinned.Skin());
  TWinSkinForm* engine = f.Engine();
  EXPECT_EQ(f.Bar->OnCustomDrawButton.Data(), &own);
  EXPECT_EQ(f.Bar->OnCustomDraw.Data(), engine);
  EXPECT_EQ(second->OnCustomDrawButton.Data(), engine);
  EXPECT_EQ(second->OnCustomDraw.Data(), engine);
  EXPECT_TRUE(f.Bar->Flat() && second->Flat());
  // A painter that only takes part for each bar; none for the buttons.
  int barPainters = 0;
  for (TSkinControl* p : engine->Painters) {
    EXPECT_FALSE(As<TToolButton>(p->Control)) << "a tool button got a painter";
    if (p->Control == f.Bar || p->Control == second) {
      EXPECT_TRUE(p->Is<TSkinBox>());
      ++barPainters;
    }
  }
  EXPECT_EQ(barPainters, 2);
  EXPECT_TRUE(AllBoundTo(&barMenu->Items(), engine));
  EXPECT_TRUE(AllBoundTo(&dropdown->Items(), engine));
  EXPECT_TRUE(AllBoundTo(other->Items().Items(0), engine));

  f.Skinned.Unskin();
  EXPECT_EQ(f.Bar->OnCustomDrawButton.Data(), &own);
  EXPECT_FALSE(f.Bar->OnCustomDraw);
  EXPECT_FALSE(second->OnCustomDrawButton);
  EXPECT_FALSE(second->OnCustomDraw);
  EXPECT_TRUE(NoneBound(&barMenu->Items()));
  EXPECT_TRUE(NoneBound(&dropdown->Items()));
  EXPECT_TRUE(NoneBound(&other->Items()));
  // The bar is drawn by itself again.
  const TToolButton* file = second->Buttons().at(0);
  TBarPicture after(second);
  EXPECT_EQ(after.At(file->Left() + 1, file->Top() + 1), ColorToRGB(clBtnFace));
}

TEST(ToolBarSkin, KindSwitchesDecideWhatIsTakenOver) {
  TPopupMenu* dropdown = nullptr;
  TMainMenu* barMenu = nullptr;
  TBarForm f(false, [&](TBarForm& form) {
    TForm* owner = form.Skinned.Form;
    dropdown = new TPopupMenu(owner);
    AddItem(owner, dropdown->Items(), L"More");
    form.Buttons[0]->SetDropdownMenu(dropdown);
    barMenu = new TMainMenu(owner);
    AddItem(owner, *AddItem(owner, barMenu->Items(), L"File"), L"Open");
    form.Bar->SetMenu(barMenu);
    TSkinData* data = form.Skinned.Data;
    data->SetSkinControls(data->SkinControls() & ~SkinControlBit(xcPopupMenu));
  });
  ASSERT_TRUE(f.Skinned.Skin());
  EXPECT_TRUE(NoneBound(&dropdown->Items())); // popup menus are not skinned
  EXPECT_TRUE(AllBoundTo(&barMenu->Items(), f.Engine()));
  f.Skinned.Unskin();

  TBarForm plain(false, [](TBarForm& form) {
    TSkinData* data = form.Skinned.Data;
    data->SetSkinControls(data->SkinControls() & ~SkinControlBit(xcToolbar));
  });
  ASSERT_TRUE(plain.Skinned.Skin());
  EXPECT_FALSE(plain.Bar->OnCustomDraw);
  EXPECT_FALSE(plain.Bar->OnCustomDrawButton);
  EXPECT_FALSE(plain.Bar->Flat());
  for (TSkinControl* p : plain.Engine()->Painters)
    EXPECT_NE(p->Control, plain.Bar);
}

} // namespace
} // namespace enginetest
