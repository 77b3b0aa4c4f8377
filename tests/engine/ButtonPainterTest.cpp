// Push buttons drawn from the "Buttons" element of a test skin whose five
// frames are solid, distinct colours: the frame each state shows, the
// caption's place and lines, the focus rectangle, transparency, glyph
// layouts, flat speed buttons and the click of a bare dialog button.
#include "EngineTestUtil.h"
#include "fw/BitBtn.h"
#include "fw/Button.h"
#include "fw/Forms.h"
#include "fw/SpeedButton.h"
#include "fw/WndHook.h"
#include "skin/controls/ButtonPainters.h"
#include "skin/form/SkinMessages.h"
#include "support/MessageSequence.h"
#include "support/WinTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <type_traits>

namespace enginetest {
namespace {

constexpr unsigned kHot = 1, kDown = 2;

// A pixel of the frame, away from the corners and the caption.
TColor FramePixel(const Bitmap& b) {
  return b.At(5, 5);
}

// The bounding box of the pixels inside the frame's bands that fail keep.
RECT BoxWhere(const Bitmap& b, const std::function<bool(TColor)>& marked) {
  RECT box{b.Width(), b.Height(), -1, -1};
  for (int y = kButtonBand; y < b.Height() - kButtonBand; ++y)
    for (int x = kButtonBand; x < b.Width() - kButtonBand; ++x)
      if (marked(b.At(x, y))) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}
bool IsEmptyBox(const RECT& r) {
  return r.right <= r.left;
}
// Everything drawn on the frame colour: caption, glyph, focus rectangle.
RECT InkBox(const Bitmap& b) {
  const TColor frame = FramePixel(b);
  return BoxWhere(b, [frame](TColor c) { return c != frame; });
}

// The size a caption takes in a control's font, measured as painters do.
SIZE TextSize(TControl& c, const std::wstring& text, RECT within) {
  TBitmap scratch;
  scratch.SetSize(4, 4);
  HDC dc = scratch.Canvas().Handle();
  HGDIOBJ old = SelectObject(dc, c.Font().Handle());
  DrawTextW(dc, text.c_str(), -1, &within, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  return {within.right - within.left, within.bottom - within.top};
}

// A skinned form with painters attached by hand to controls made after
// skinning, so each test picks the painter it means.
class TButtonForm {
public:
  explicit TButtonForm(const TSkinSpec& spec = ButtonsSpec()) : Form(spec) {
    Skinned = Form.Skin();
  }
  template <class TCtl> TCtl* Add(int w = 100, int h = 33, TWinControl* parent = nullptr) {
    auto* c = new TCtl(Form.Form);
    c->SetBounds(20, 20, w, h);
    c->SetParent(parent ? parent : Form.Form);
    return c;
  }
  template <class TPainter> TPainter* Paint(TControl* c) {
    TWinSkinForm* e = Form.Engine();
    auto* p = new TPainter(c);
    if constexpr (std::is_base_of_v<TSkinSpeedButton, TPainter>)
      p->AttachGraphic(e, Form.Data, &e->ControlCanvas);
    else
      p->Attach(e, Form.Data, false, &e->ControlCanvas);
    return p;
  }
  TSkinnedForm Form;
  bool Skinned = false;
};

struct TStateCase {
  const char* Name;
  unsigned MouseState;
  bool Focused, Default, Disabled;
  int Plain, Bit, Menu; // the frame each painter shows
};

TEST(ButtonPainter, FramePerState) {
  const TStateCase cases[] = {
      {"normal", 0, false, false, false, 1, 1, 1},
      {"default", 0, false, true, false, 5, 5, 1},
      {"focused", 0, true, false, false, 5, 5, 4},
      {"hot", kHot, false, false, false, 4, 4, 4},
      {"hot and default", kHot, false, true, false, 4, 4, 4},
      {"down", kDown, true, false, false, 2, 2, 2},
      {"down and hot", kDown | kHot, true, true, false, 2, 2, 2},
      {"disabled", 0, false, false, true, 3, 3, 3},
      {"disabled, hot, down and default", kDown | kHot, false, true, true, 3, 3, 3},
  };
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* plain = f.Add<TButton>();
  auto* bit = f.Add<TBitBtn>();
  auto* menu = f.Add<TButton>();
  TSkinButton* painters[] = {f.Paint<TSkinButton>(plain), f.Paint<TSkinBitButton>(bit),
                             f.Paint<TSkinMenuButton>(menu)};
  TButton* controls[] = {plain, bit, menu};
  for (const TStateCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const int expected[] = {c.Plain, c.Bit, c.Menu};
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(painters[i]->ClassName());
      controls[i]->SetEnabled(!c.Disabled);
      controls[i]->SetDefault(c.Default);
      SetFocus(c.Focused ? controls[i]->Handle() : f.Form.Wnd());
      ASSERT_EQ(GetFocus() == controls[i]->Handle(), c.Focused);
      painters[i]->MouseState = c.MouseState;
      EXPECT_EQ(ButtonFrameOf(FramePixel(PaintedBy(*painters[i]))), expected[i]);
    }
  }
}

// The states as the mouse brings them, painted through WM_PAINT.
TEST(ButtonPainter, MouseDrivesTheFrameAndTheClick) {
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TButton>();
  TSkinButton* p = f.Paint<TSkinButton>(b);
  int clicks = 0;
  struct TClicks : TObject {
    int* Count;
    void Click(TObject*) { ++*Count; }
  } counter;
  counter.Count = &clicks;
  b->OnClick = TNotifyEvent(&counter, &TClicks::Click);
  HWND wnd = b->Handle();
  SetFocus(f.Form.Wnd());
  // The real cursor over the button, so the system does not report it left;
  // the move that brings it there is dropped, the test sends its own.
  POINT centre = b->ClientToScreen({50, 16});
  testutil::PlacePointer(centre);
  // A cursor that came from elsewhere made the button hot already; the
  // sequence starts from rest.
  p->MouseState = 0;
  auto screen = [&] { return ButtonFrameOf(WindowPixel(wnd, 5, 5)); };
  auto send = [&](UINT msg, WPARAM w = 0) { SendMessageW(wnd, msg, w, MAKELPARAM(50, 16)); };
  // Moving the cursor may or may not have made the button hot already
  // (whether the system reports a move depends on where the cursor was).
  send(WM_MOUSELEAVE);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(screen(), 1);
  send(WM_MOUSEMOVE);
  EXPECT_EQ(screen(), 4);
  send(WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(screen(), 2);
  EXPECT_EQ(GetFocus(), wnd); // a press focuses the button
  EXPECT_EQ(clicks, 0);
  send(WM_LBUTTONUP);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(screen(), 4);
  send(WM_MOUSELEAVE);
  EXPECT_EQ(screen(), 5); // focused
  // Leaving while pressed takes the press back: no click on release.
  send(WM_MOUSEMOVE);
  send(WM_LBUTTONDOWN, MK_LBUTTON);
  send(WM_MOUSELEAVE);
  EXPECT_EQ(screen(), 5);
  send(WM_LBUTTONUP);
  EXPECT_EQ(clicks, 1);
  // The space key shows the press; the click comes from the button itself.
  send(WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(screen(), 2);
  send(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(screen(), 5);
  EXPECT_EQ(clicks, 2);
}

TEST(ButtonPainter, NothingDrawnWithoutAButtonsPicture) {
  TButtonForm f(StandardSpec());
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TButton>();
  b->SetCaption(L"Go");
  TSkinButton* p = f.Paint<TSkinButton>(b);
  const TColor background = MakeColor(7, 8, 9);
  const Bitmap painted = PaintedBy(*p, background);
  ASSERT_FALSE(painted.Empty());
  for (int y = 0; y < painted.Height(); ++y)
    for (int x = 0; x < painted.Width(); ++x)
      ASSERT_EQ(painted.At(x, y), background) << x << "," << y;
}

TEST(ButtonPainter, CaptionLinesSplitAtTheFirstDoubleBar) {
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TButton>(160, 90);
  TSkinButton* p = f.Paint<TSkinButton>(b);
  auto height = [&](const wchar_t* caption) {
    b->SetCaption(caption);
    SetFocus(f.Form.Wnd());
    const RECT box = InkBox(PaintedBy(*p));
    EXPECT_FALSE(IsEmptyBox(box)) << "no caption drawn";
    // Centred in the button.
    EXPECT_LE(std::abs((box.left + box.right) - 160), 4);
    EXPECT_LE(std::abs((box.top + box.bottom) - 90), 8);
    return box.bottom - box.top;
  };
  const SIZE line = TextSize(*b, L"Xg", {0, 0, 200, 200});
  const int one = height(L"Xg");
  const int two = height(L"Xg||Xg");
  EXPECT_EQ(p->Text, L"Xg\r\nXg");
  const int stillTwo = height(L"Xg||Xg||Xg");
  EXPECT_EQ(p->Text, L"Xg\r\nXg||Xg");
  EXPECT_GE(two - one, line.cy - 2); // one more line
  EXPECT_LE(two - one, line.cy + 2);
  EXPECT_LE(std::abs(stillTwo - two), 2); // the bars of the second line may reach a little further
  const int three = height(L"Xg\r\nXg\r\nXg");
  EXPECT_GE(three - two, line.cy - 2); // three lines would have shown
}

TEST(ButtonPainter, FocusRectangleUnlessTheSkinSaysNo) {
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* plain = f.Add<TButton>(120, 40);
  auto* bit = f.Add<TBitBtn>(120, 40);
  auto* menu = f.Add<TButton>(120, 40);
  TSkinButton* painters[] = {f.Paint<TSkinButton>(plain), f.Paint<TSkinBitButton>(bit),
                             f.Paint<TSkinMenuButton>(menu)};
  TButton* controls[] = {plain, bit, menu};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(painters[i]->ClassName());
    controls[i]->SetCaption(L"Caption");
    SetFocus(f.Form.Wnd());
    f.Form.Data->SetOptions(0);
    const RECT unfocused = InkBox(PaintedBy(*painters[i]));
    SetFocus(controls[i]->Handle());
    const RECT focused = InkBox(PaintedBy(*painters[i]));
    f.Form.Data->SetOptions(SkinOptionBit(xoNoFocusRect));
    const RECT withoutRect = InkBox(PaintedBy(*painters[i]));
    f.Form.Data->SetOptions(0);
    // The focus rectangle lies around the caption, two pixels out (the
    // menu button's arrow lies right of it).
    EXPECT_LE(focused.left, unfocused.left - 2);
    if (controls[i] != menu) {
      EXPECT_GE(focused.right, unfocused.right + 2);
    }
    EXPECT_LE(focused.top, unfocused.top - 2);
    EXPECT_GE(focused.bottom, unfocused.bottom + 2);
    EXPECT_TRUE(EqualRect(&withoutRect, &unfocused));
  }
}

// A parent whose background is two-pixel stripes.
const TColor kStripe[2] = {MakeColor(250, 40, 40), MakeColor(40, 40, 250)};
class TStripes : public TCustomControl {
public:
  using TCustomControl::TCustomControl;

protected:
  void Paint() override {
    for (int x = 0; x < Width(); ++x)
      TSkinControl::FillColor(Canvas().Handle(), {x, 0, x + 1, Height()}, kStripe[(x / 2) % 2]);
  }
};

TEST(ButtonPainter, TransparentOverAPatternedParent) {
  const TColor face = ButtonsSpec().Face;
  struct {
    const char* Name;
    int Tag;
    TSkinOptions Options;
    bool Transparent;
  } cases[] = {{"opaque", 0, 0, false},
               {"tag 5555", 5555, 0, true},
               {"the skin's option", 0, SkinOptionBit(xoTransparent), true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TButtonForm f;
    ASSERT_TRUE(f.Skinned);
    f.Form.Data->SetOptions(c.Options);
    auto* stripes = f.Add<TStripes>(200, 100);
    stripes->SetBounds(0, 0, 200, 100);
    // At x 17 the stripe is kStripe[0], at 18 kStripe[1]: the pattern must
    // be the parent's beneath the button, not from the parent's origin.
    auto* plain = f.Add<TButton>(60, 25, stripes);
    plain->SetBounds(17, 9, 60, 25);
    auto* bit = f.Add<TBitBtn>(60, 25, stripes);
    bit->SetBounds(17, 40, 60, 25);
    auto* speed = f.Add<TSpeedButton>(60, 25, stripes);
    speed->SetBounds(17, 70, 60, 25);
    for (TControl* control : std::initializer_list<TControl*>{plain, bit, speed})
      control->SetTag(c.Tag);
    TSkinControl* painters[] = {f.Paint<TSkinButton>(plain), f.Paint<TSkinBitButton>(bit),
                                f.Paint<TSkinSpeedButton>(speed)};
    for (TSkinControl* p : painters) {
      SCOPED_TRACE(p->ClassName());
      const Bitmap b = PaintedBy(*p);
      // The frame's magenta corner lets the background through.
      EXPECT_EQ(b.At(0, 0), c.Transparent ? kStripe[0] : face);
      EXPECT_EQ(b.At(1, 0), c.Transparent ? kStripe[1] : face);
      EXPECT_NE(ButtonFrameOf(FramePixel(b)), 0);
    }
  }
}

// A glyph of four solid frames (up, disabled, pressed, down); the
// bottom-left pixel of each frame is the transparent colour.
const TColor kGlyphFrame[4] = {MakeColor(0, 200, 200), MakeColor(200, 0, 200),
                               MakeColor(200, 200, 0), MakeColor(0, 100, 0)};
constexpr int kGlyph = 16;
void SetGlyph(TBitBtn& button, int frames) {
  Bitmap strip(kGlyph * frames, kGlyph);
  for (int f = 0; f < frames; ++f)
    strip.FillRect(RectOf(f * kGlyph, 0, kGlyph, kGlyph), kGlyphFrame[f]);
  strip.Set(0, kGlyph - 1, clWhite);
  TBitmap glyph;
  glyph.FromBitmap(strip);
  button.SetGlyph(glyph);
}
bool IsGlyph(TColor c) {
  return std::find(std::begin(kGlyphFrame), std::end(kGlyphFrame), c) != std::end(kGlyphFrame);
}

struct TLayoutCase {
  const char* Name;
  TButtonLayout Layout;
  int Margin, Spacing;
  TAlignment Alignment;
};

TEST(ButtonPainter, BitButtonLayouts) {
  const int W = 160, H = 90;
  const TLayoutCase cases[] = {
      {"left, both -1", blGlyphLeft, -1, -1, taLeftJustify},
      {"right, both -1", blGlyphRight, -1, -1, taLeftJustify},
      {"top, both -1", blGlyphTop, -1, -1, taLeftJustify},
      {"bottom, both -1", blGlyphBottom, -1, -1, taLeftJustify},
      {"centred alignment sets the margin aside", blGlyphLeft, 9, -1, taCenter},
      {"left, margin 9, spacing 4", blGlyphLeft, 9, 4, taLeftJustify},
      {"right, margin 9, spacing 4", blGlyphRight, 9, 4, taLeftJustify},
      {"top, margin 6, spacing 3", blGlyphTop, 6, 3, taLeftJustify},
      {"left, margin 9, spacing -1", blGlyphLeft, 9, -1, taLeftJustify},
      {"left, margin -1, spacing 4", blGlyphLeft, -1, 4, taLeftJustify},
  };
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TBitBtn>(W, H);
  SetGlyph(*b, 1);
  b->SetCaption(L"Go");
  SetFocus(f.Form.Wnd());
  TSkinBitButton* p = f.Paint<TSkinBitButton>(b);
  for (const TLayoutCase& c : cases) {
    SCOPED_TRACE(c.Name);
    b->SetLayout(c.Layout);
    b->SetMargin(c.Margin);
    b->SetSpacing(c.Spacing);
    b->SetAlignment(c.Alignment);
    const bool across = c.Layout == blGlyphLeft || c.Layout == blGlyphRight;
    RECT measure{2, 2, W - 2, H - 2};
    (across ? measure.right : measure.bottom) -= kGlyph + 2;
    const SIZE s = TextSize(*b, L"Go", measure);
    const Bitmap painted = PaintedBy(*p);
    const RECT glyph = BoxWhere(painted, IsGlyph);
    ASSERT_EQ(glyph.right - glyph.left, kGlyph);
    ASSERT_EQ(glyph.bottom - glyph.top, kGlyph);
    const TColor frame = FramePixel(painted);
    const RECT ink = BoxWhere(painted, [frame](TColor k) { return k != frame && !IsGlyph(k); });
    ASSERT_FALSE(IsEmptyBox(ink)) << "no caption";

    // Along the layout axis, from the glyph's side: margin, glyph, spacing,
    // caption, the rest.
    const int length = across ? W : H, sLength = across ? s.cx : s.cy;
    const int free = length - kGlyph - sLength;
    const int margin0 = c.Alignment == taCenter ? -1 : c.Margin;
    int margin = margin0, spacing = c.Spacing;
    if (margin0 == -1 && c.Spacing == -1) {
      margin = spacing = free / 3; // equal thirds
    } else if (margin0 == -1) {
      margin = (free - spacing) / 2; // the pair centred
    } else if (c.Spacing == -1) {
      spacing = (free - margin) / 2; // the caption centred in the rest
    }
    const int rest = free - margin - spacing;
    if (margin0 == -1 && c.Spacing == -1) {
      EXPECT_GE(rest, margin);
      EXPECT_LE(rest, margin + 2);
    }
    const bool glyphFirst = c.Layout == blGlyphLeft || c.Layout == blGlyphTop;
    const int g = across ? glyph.left : glyph.top;
    EXPECT_EQ(g, glyphFirst ? margin : length - margin - kGlyph);
    const int t =
        glyphFirst ? margin + kGlyph + spacing : length - margin - kGlyph - spacing - sLength;
    // The caption's pixels lie in its rectangle.
    EXPECT_GE(across ? ink.left : ink.top, t);
    EXPECT_LE(across ? ink.right : ink.bottom, t + sLength);
    // Across the axis both are centred.
    const int cross = across ? H : W;
    EXPECT_EQ(across ? glyph.top : glyph.left, (cross - kGlyph + 1) / 2);
  }
}

TEST(ButtonPainter, BitButtonGlyphFrameAndImageListPerState) {
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TBitBtn>(100, 33);
  TSkinBitButton* p = f.Paint<TSkinBitButton>(b);
  SetFocus(f.Form.Wnd());
  auto glyphColours = [&](unsigned mouse, bool enabled) {
    b->SetEnabled(enabled);
    p->MouseState = mouse;
    const Bitmap painted = PaintedBy(*p);
    std::vector<TColor> seen;
    for (TColor k : kGlyphFrame)
      if (!IsEmptyBox(BoxWhere(painted, [k](TColor c) { return c == k; }))) seen.push_back(k);
    return seen;
  };
  SetGlyph(*b, 4);
  b->SetNumGlyphs(4);
  using TColors = std::vector<TColor>;
  EXPECT_EQ(glyphColours(0, true), (TColors{kGlyphFrame[0]}));
  EXPECT_EQ(glyphColours(kHot, true), (TColors{kGlyphFrame[0]}));
  EXPECT_EQ(glyphColours(kDown, true), (TColors{kGlyphFrame[2]}));
  EXPECT_EQ(glyphColours(0, false), (TColors{kGlyphFrame[1]}));
  // One frame only: disabled, it is embossed instead.
  SetGlyph(*b, 1);
  b->SetNumGlyphs(1);
  EXPECT_EQ(glyphColours(kDown, true), (TColors{kGlyphFrame[0]}));
  EXPECT_EQ(glyphColours(0, false), TColors{});
  // Without a glyph: the image list, its disabled image when disabled.
  b->SetGlyph(TBitmap());
  TImageList images(nullptr);
  Bitmap strip(3 * 16, 16);
  for (int i = 0; i < 3; ++i)
    strip.FillRect(RectOf(i * 16, 0, 16, 16), kGlyphFrame[i + 1]);
  images.AddMasked(strip, clWhite);
  b->SetImages(&images);
  b->SetImageIndex(0);
  EXPECT_EQ(glyphColours(0, true), (TColors{kGlyphFrame[1]}));
  b->SetDisabledIndex(2);
  const TColors disabled = glyphColours(0, false); // image 2, drawn greyed
  EXPECT_EQ(std::count(disabled.begin(), disabled.end(), kGlyphFrame[1]), 0);
  EXPECT_EQ(std::count(disabled.begin(), disabled.end(), kGlyphFrame[2]), 0);
  EXPECT_FALSE(IsEmptyBox(InkBox(PaintedBy(*p))));
  b->SetImages(nullptr);
}

TEST(ButtonPainter, SpeedButtonFaceOnlyWhenHotOrDownIfFlat) {
  const TColor face = ButtonsSpec().Face;
  struct {
    const char* Name;
    bool Flat;
    unsigned MouseState;
    bool Down, Disabled;
    int Frame; // 0: no face, the face colour shows
  } cases[] = {
      {"flat", true, 0, false, false, 0},
      {"flat, hot", true, kHot, false, false, 4},
      {"flat, pressed", true, kDown | kHot, false, false, 2},
      {"flat, down", true, 0, true, false, 2},
      {"flat, disabled and hot", true, kHot, false, true, 0},
      {"raised", false, 0, false, false, 1},
      {"raised, hot", false, kHot, false, false, 4},
      {"raised, down", false, 0, true, false, 2},
      {"raised, disabled and hot", false, kHot, false, true, 3},
  };
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TSpeedButton>(40, 30);
  b->SetGroupIndex(1);
  b->SetAllowAllUp(true);
  auto* p = f.Paint<TSkinSpeedButton>(b);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    b->SetFlat(c.Flat);
    b->SetDown(c.Down);
    b->SetEnabled(!c.Disabled);
    p->MouseState = c.MouseState;
    const TColor pixel = FramePixel(PaintedBy(*p));
    if (c.Frame == 0)
      EXPECT_EQ(pixel, face);
    else
      EXPECT_EQ(ButtonFrameOf(pixel), c.Frame);
  }
  // The mouse's arrival and departure, drawn where the button sits.
  b->SetDown(false);
  b->SetEnabled(true);
  b->SetFlat(true);
  p->MouseState = 0;
  auto onScreen = [&] {
    HDC dc = GetDC(f.Form.Wnd());
    const TColor c = static_cast<TColor>(GetPixel(dc, b->Left() + 5, b->Top() + 5));
    ReleaseDC(f.Form.Wnd(), dc);
    return c;
  };
  b->Perform(CM_MOUSEENTER);
  EXPECT_EQ(ButtonFrameOf(onScreen()), 4);
  b->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(onScreen(), face);
}

// The same press and release on a bare dialog button, unskinned and then
// skinned: the system sends the click, the painter posts it.
TEST(ButtonPainter, BareDialogButtonClickPostsItsCommand) {
  TSkinnedForm anchor(ButtonsSpec());
  for (bool skinned : {false, true}) {
    SCOPED_TRACE(skinned ? "skinned" : "unskinned");
    HWND dialog = MakeDialog({{L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 321, L"Press"}});
    ASSERT_NE(dialog, nullptr);
    HWND button = GetDlgItem(dialog, 321);
    if (skinned) {
      TWinSkinForm* e = SkinDialog(dialog);
      ASSERT_NE(e, nullptr);
      ASSERT_NE(e->FindRawPainter(button), nullptr);
    }
    DialogCommands.clear();
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    // Sent, the command has arrived by now; posted, it waits in the queue.
    EXPECT_EQ(DialogCommands.size(), skinned ? 0u : 1u);
    ReleaseCapture();
    Pump();
    ASSERT_EQ(DialogCommands.size(), 1u);
    EXPECT_EQ(DialogCommands[0].WParam, MAKEWPARAM(321, BN_CLICKED));
    EXPECT_EQ(DialogCommands[0].LParam, reinterpret_cast<LPARAM>(button));
    DestroyWindow(dialog);
    SkinManagerObject()->PurgeFormEngines();
  }
}

// A framework button painted as a bare window clicks with id 0, as the
// framework's own buttons report themselves.
TEST(ButtonPainter, FrameworkButtonPaintedBareClicksWithIdZero) {
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TButton>();
  f.Form.Engine()->SkinRawWindow(b->Handle());
  ASSERT_NE(f.Form.Engine()->FindRawPainter(b->Handle()), nullptr);
  msgseq::TRecorder rec;
  rec.Watch(f.Form.Wnd(), msgseq::parent);
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  std::vector<msgseq::TMsg> commands;
  for (const msgseq::TMsg& m : rec.Messages())
    if (m.Message == WM_COMMAND) commands.push_back(m);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].WParam, 0u);
  EXPECT_EQ(commands[0].LParam, reinterpret_cast<LPARAM>(b->Handle()));
  EXPECT_TRUE(commands[0].Flags & msgseq::posted);
}

// The painter follows the focus from the button's own messages: moves,
// moves while it is switched off, a focus handler that sends the focus on
// at once, and a button that had the focus before the painter came.
TEST(ButtonPainter, FrameFollowsTheFocusWhereverItMoves) {
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TButton>();
  HWND wnd = b->Handle();
  SetFocus(wnd);
  TSkinButton* p = f.Paint<TSkinButton>(b);
  auto frame = [&] { return ButtonFrameOf(FramePixel(PaintedBy(*p))); };
  EXPECT_EQ(frame(), 5); // focused before the painter came
  SetFocus(f.Form.Wnd());
  EXPECT_EQ(frame(), 1);
  SetFocus(wnd);
  EXPECT_EQ(frame(), 5);
  SendMessageW(wnd, SKN_ENABLE, 0, 0);
  SetFocus(f.Form.Wnd());
  SendMessageW(wnd, SKN_ENABLE, 1, 0);
  EXPECT_EQ(frame(), 1);
  SendMessageW(wnd, SKN_ENABLE, 0, 0);
  SetFocus(wnd);
  SendMessageW(wnd, SKN_ENABLE, 1, 0);
  EXPECT_EQ(frame(), 5);

  // Behind the painter, the button's own focus handling gives the focus
  // to the form at once.
  SetFocus(f.Form.Wnd());
  struct TPassOn : TObject {
    TWndHook Hook;
    HWND To = nullptr;
    void Handle(TMessage& msg) {
      Hook.CallPrevious(msg);
      if (msg.Msg == WM_SETFOCUS) SetFocus(To);
    }
  } passOn;
  passOn.To = f.Form.Wnd();
  auto* inner = f.Add<TButton>();
  passOn.Hook.Install(inner, TWndMethod(&passOn, &TPassOn::Handle));
  TSkinButton* q = f.Paint<TSkinButton>(inner);
  SetFocus(inner->Handle());
  ASSERT_EQ(GetFocus(), f.Form.Wnd());
  EXPECT_EQ(ButtonFrameOf(FramePixel(PaintedBy(*q))), 1);
}

// A caption the painter read once is read again after any change: through
// the framework, straight on the window, while the painter is off, and on
// a bare dialog button. A first "||" stays the only line break however
// often the same caption is painted.
TEST(ButtonPainter, CaptionChangesShowWhereverTheyComeFrom) {
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TButton>(160, 60);
  TSkinButton* p = f.Paint<TSkinButton>(b);
  SetFocus(f.Form.Wnd());
  auto width = [](TSkinControl& painter) {
    const RECT box = InkBox(PaintedBy(painter));
    return IsEmptyBox(box) ? 0 : box.right - box.left;
  };
  b->SetCaption(L"Xg");
  const int narrow = width(*p);
  ASSERT_GT(narrow, 0);
  SetWindowTextW(b->Handle(), L"XgXgXg");
  const int wide = width(*p);
  EXPECT_GT(wide, 2 * narrow);
  SendMessageW(b->Handle(), SKN_ENABLE, 0, 0);
  b->SetCaption(L"Xg");
  SendMessageW(b->Handle(), SKN_ENABLE, 1, 0);
  EXPECT_EQ(width(*p), narrow);
  b->SetCaption(L"Xg||Xg||Xg");
  PaintedBy(*p);
  PaintedBy(*p);
  EXPECT_EQ(p->Text, L"Xg\r\nXg||Xg");

  HWND dialog = MakeDialog({{L"BUTTON", BS_PUSHBUTTON, 321, L"Xg", 4, 4, 100, 20}});
  ASSERT_NE(dialog, nullptr);
  HWND button = GetDlgItem(dialog, 321);
  TWinSkinForm* e = SkinDialog(dialog);
  ASSERT_NE(e, nullptr);
  TSkinControl* bare = e->FindRawPainter(button);
  ASSERT_NE(bare, nullptr);
  const int bareNarrow = width(*bare);
  ASSERT_GT(bareNarrow, 0);
  SetWindowTextW(button, L"XgXgXg");
  EXPECT_GT(width(*bare), 2 * bareNarrow);
  DestroyWindow(dialog);
  SkinManagerObject()->PurgeFormEngines();
}

// The buffer keeps its font between paints, yet a font change shows at
// once: on a framework button, and on a bare dialog button also after a
// resize gave the painter a fresh buffer.
TEST(ButtonPainter, FontChangesShowAtOnce) {
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TButton>(160, 60);
  b->SetCaption(L"Xg");
  TSkinButton* p = f.Paint<TSkinButton>(b);
  SetFocus(f.Form.Wnd());
  auto height = [](TSkinControl& painter) {
    const RECT box = InkBox(PaintedBy(painter));
    return IsEmptyBox(box) ? 0 : box.bottom - box.top;
  };
  b->Font().SetHeight(-11);
  const int small = height(*p);
  ASSERT_GT(small, 0);
  b->Font().SetHeight(-30);
  const int big = height(*p);
  EXPECT_GT(big, small + 8);
  b->Font().SetHeight(-11);
  EXPECT_EQ(height(*p), small);

  HWND dialog = MakeDialog({{L"BUTTON", BS_PUSHBUTTON, 321, L"Xg", 4, 4, 100, 30}});
  ASSERT_NE(dialog, nullptr);
  HWND button = GetDlgItem(dialog, 321);
  TWinSkinForm* e = SkinDialog(dialog);
  ASSERT_NE(e, nullptr);
  TSkinControl* bare = e->FindRawPainter(button);
  ASSERT_NE(bare, nullptr);
  TGdiFont smallFont(
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  TGdiFont bigFont(
      CreateFontW(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(smallFont.Get()), 0);
  const int bareSmall = height(*bare);
  ASSERT_GT(bareSmall, 0);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(bigFont.Get()), 0);
  const int bareBig = height(*bare);
  EXPECT_GT(bareBig, bareSmall + 8);
  SetWindowPos(button, nullptr, 0, 0, 180, 64, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(height(*bare), bareBig);
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(smallFont.Get()), 0);
  EXPECT_EQ(height(*bare), bareSmall);
  DestroyWindow(dialog);
  SkinManagerObject()->PurgeFormEngines();
}

// A button whose own handling of one message fails.
class TFailingButton : public TButton {
public:
  using TButton::TButton;
  static constexpr UINT kFail = WM_APP + 7;
  void WndProc(TMessage& msg) override {
    if (msg.Msg == kFail) throw std::runtime_error("the handler failed");
    TButton::WndProc(msg);
  }
};

// Errors that the program's own code raises under a painter (its click
// handler, the control's handling of a message) reach the application as
// they would without the skin, which shows them; the button keeps working.
TEST(ButtonPainter, TheProgramsErrorsReachTheApplication) {
  TButtonForm f;
  ASSERT_TRUE(f.Skinned);
  auto* b = f.Add<TFailingButton>();
  f.Paint<TSkinButton>(b);
  struct TCatcher : TObject {
    std::vector<std::string> Seen;
    void Click(TObject*) { throw std::runtime_error("the click failed"); }
    void Caught(TObject*, const std::exception& e) { Seen.push_back(e.what()); }
  } catcher;
  b->OnClick = TNotifyEvent(&catcher, &TCatcher::Click);
  const TExceptionEvent saved = Application->OnException;
  Application->OnException = TExceptionEvent(&catcher, &TCatcher::Caught);
  HWND wnd = b->Handle();
  for (int i = 0; i < 2; ++i) {
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  }
  SendMessageW(wnd, TFailingButton::kFail, 0, 0);
  Application->OnException = saved;
  EXPECT_EQ(catcher.Seen, (std::vector<std::string>{"the click failed", "the click failed",
                                                    "the handler failed"}));
}

} // namespace
} // namespace enginetest
