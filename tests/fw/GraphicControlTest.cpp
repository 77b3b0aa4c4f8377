#include <gtest/gtest.h>

#include "FwTestUtil.h"
#include "support/WinTestUtil.h"

namespace fwtest {
namespace {

// A label that counts its paintings and, when asked, paints far beyond its
// bounds to show the parent clips it.
class TPaintLabel : public TLabel {
public:
  explicit TPaintLabel(TComponent* owner) : TLabel(owner) { SetAutoSize(false); }
  int Paints = 0;
  bool Overdraw = false;

protected:
  void Paint() override {
    ++Paints;
    if (!Overdraw) return TLabel::Paint();
    Canvas().Brush().SetColor(clBlue);
    Canvas().FillRect({-1000, -1000, 1000, 1000});
  }
};

TPaintLabel* AddLabel(TWinControl* parent, int left, int top, int width, int height, TColor color) {
  auto* label = new TPaintLabel(parent->Owner() ? parent->Owner() : parent);
  label->SetBounds(left, top, width, height);
  label->SetColor(color);
  label->SetParent(parent);
  return label;
}

// A 32-bit memory DC of a fixed size, filled with one colour.
class TTestCanvas {
public:
  TTestCanvas(int width, int height, COLORREF fill) : FWidth(width) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateDIBSection(FDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    FBits = static_cast<const std::uint32_t*>(bits);
    FOld = SelectObject(FDC, FBitmap);
    RECT all{0, 0, width, height};
    HBRUSH b = CreateSolidBrush(fill);
    FillRect(FDC, &all, b);
    DeleteObject(b);
  }
  ~TTestCanvas() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  HDC DC() const { return FDC; }
  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = FBits[y * FWidth + x];
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
  }

private:
  int FWidth;
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
  const std::uint32_t* FBits = nullptr;
};

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

TEST(GraphicControl, PaintedByTheParentWithinItsBounds) {
  auto form = MakeForm(30, 30, 300, 200, false);
  auto* red = AddLabel(form.get(), 10, 10, 40, 20, clRed);
  auto* over = AddLabel(form.get(), 60, 10, 20, 20, clBlue);
  over->Overdraw = true;
  auto* yellow = AddLabel(form.get(), 30, 20, 40, 20, 0x00FFFF); // overlaps red, later in order
  auto* hidden = AddLabel(form.get(), 0, 40, 10, 10, clRed);
  hidden->SetVisible(false);
  form->SetColor(static_cast<TColor>(kGreen));
  form->HandleNeeded();

  // The form paints its own background too, over whatever the DC held.
  TTestCanvas canvas(120, 60, RGB(0, 0, 0));
  SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.DC()), 0);
  EXPECT_EQ(red->Paints, 1);
  EXPECT_EQ(yellow->Paints, 1);
  EXPECT_EQ(hidden->Paints, 0);
  // Red covers x 10..49, blue 60..79 (drawing everywhere, clipped), yellow
  // 30..69 over both; y from 10 (yellow from 20).
  struct {
    int X, Y;
    COLORREF Expected;
  } pixels[] = {
      {10, 10, kRed},   {49, 19, kRed},    {29, 29, kRed},    {9, 10, kGreen},   {10, 9, kGreen},
      {50, 10, kGreen}, {30, 20, kYellow}, {49, 29, kYellow}, {69, 39, kYellow}, {65, 25, kYellow},
      {70, 20, kBlue},  {60, 10, kBlue},   {79, 29, kBlue},   {80, 10, kGreen},  {59, 9, kGreen},
      {80, 30, kGreen}, {70, 35, kGreen},  {5, 45, kGreen},
  };
  for (const auto& p : pixels)
    EXPECT_EQ(canvas.Pixel(p.X, p.Y), p.Expected) << p.X << "," << p.Y;

  // Brought to the front, red now covers the overlap.
  red->BringToFront();
  TTestCanvas again(120, 60, RGB(0, 0, 0));
  SendMessageW(form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(again.DC()), 0);
  EXPECT_EQ(again.Pixel(35, 25), kRed);
  EXPECT_EQ(again.Pixel(60, 25), kYellow);
}

TEST(GraphicControl, RepaintedOnlyWhereInvalid) {
  auto form = MakeForm(30, 30, 300, 200, true);
  auto* label = AddLabel(form.get(), 10, 10, 40, 20, clRed);
  Pump();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const int afterFull = label->Paints;
  EXPECT_GE(afterFull, 1);

  RECT elsewhere{200, 100, 220, 120};
  RedrawWindow(form->Handle(), &elsewhere, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(label->Paints, afterFull);

  label->Invalidate();
  UpdateWindow(form->Handle());
  EXPECT_EQ(label->Paints, afterFull + 1);

  label->SetColor(clBlue); // a visible change asks for a repaint by itself
  UpdateWindow(form->Handle());
  EXPECT_EQ(label->Paints, afterFull + 2);
}

class TMouseRecorder : public TObject {
public:
  void Down(TObject* sender, TMouseButton button, TShiftState, int x, int y) {
    Events.push_back({sender, 'D', button, x, y});
  }
  void Up(TObject* sender, TMouseButton button, TShiftState, int x, int y) {
    Events.push_back({sender, 'U', button, x, y});
  }
  void Clicked(TObject* sender) { Events.push_back({sender, 'C', mbLeft, 0, 0}); }
  struct TEventRecord {
    TObject* Sender;
    char Kind;
    TMouseButton Button;
    int X, Y;
    bool operator==(const TEventRecord&) const = default;
  };
  std::vector<TEventRecord> Events;
  void Watch(TControl* c) {
    c->OnMouseDown = TMouseEvent(this, &TMouseRecorder::Down);
    c->OnMouseUp = TMouseEvent(this, &TMouseRecorder::Up);
    c->OnClick = TNotifyEvent(this, &TMouseRecorder::Clicked);
  }
};

void MouseAt(TWinControl* target, UINT msg, int x, int y) {
  SendMessageW(target->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

TEST(GraphicControl, MouseIsRoutedToTheControlUnderIt) {
  auto form = MakeForm(30, 30, 300, 200, true);
  auto* label = AddLabel(form.get(), 10, 10, 50, 20, clRed);
  TMouseRecorder rec;
  rec.Watch(label);
  rec.Watch(form.get());
  using E = TMouseRecorder::TEventRecord;

  MouseAt(form.get(), WM_LBUTTONDOWN, 20, 15);
  EXPECT_EQ(GetCapture(), form->Handle()); // the parent captures for its windowless child
  MouseAt(form.get(), WM_LBUTTONUP, 20, 15);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(rec.Events, (std::vector<E>{{label, 'D', mbLeft, 10, 5},
                                        {label, 'C', mbLeft, 0, 0},
                                        {label, 'U', mbLeft, 10, 5}}));

  // Pressed on the label, released elsewhere: the label hears the release
  // but is not clicked.
  rec.Events.clear();
  MouseAt(form.get(), WM_LBUTTONDOWN, 20, 15);
  MouseAt(form.get(), WM_LBUTTONUP, 200, 150);
  EXPECT_EQ(rec.Events,
            (std::vector<E>{{label, 'D', mbLeft, 10, 5}, {label, 'U', mbLeft, 190, 140}}));

  // Away from the label the form has the mouse itself.
  rec.Events.clear();
  MouseAt(form.get(), WM_LBUTTONDOWN, 150, 100);
  MouseAt(form.get(), WM_LBUTTONUP, 150, 100);
  ASSERT_FALSE(rec.Events.empty());
  EXPECT_EQ(rec.Events.front(), (E{form.get(), 'D', mbLeft, 150, 100}));
  for (const auto& e : rec.Events)
    EXPECT_EQ(e.Sender, form.get());

  // A disabled label lets the mouse through to its parent.
  label->SetEnabled(false);
  rec.Events.clear();
  MouseAt(form.get(), WM_LBUTTONDOWN, 20, 15);
  MouseAt(form.get(), WM_LBUTTONUP, 20, 15);
  for (const auto& e : rec.Events)
    EXPECT_EQ(e.Sender, form.get());
}

TEST(GraphicControl, ControlDeletedWhileCapturedIsForgotten) {
  auto form = MakeForm(30, 30, 300, 200, true);
  auto* label = AddLabel(form.get(), 10, 10, 50, 20, clRed);
  TMouseRecorder rec;
  rec.Watch(form.get());
  MouseAt(form.get(), WM_LBUTTONDOWN, 20, 15);
  delete label;
  EXPECT_EQ(GetCapture(), nullptr);
  MouseAt(form.get(), WM_LBUTTONUP, 20, 15); // must not reach the deleted label
  ASSERT_FALSE(rec.Events.empty());
  EXPECT_EQ(rec.Events.back().Sender, form.get());
}

TEST(GraphicControl, PressEndsWhenTheMouseIsTakenAway) {
  for (bool cancelMode : {false, true}) {
    SCOPED_TRACE(cancelMode ? "WM_CANCELMODE" : "capture taken");
    auto form = MakeForm(30, 30, 300, 200, true);
    auto other = MakeForm(400, 30, 100, 100, true);
    auto* label = AddLabel(form.get(), 10, 10, 50, 20, clRed);
    TMouseRecorder rec;
    rec.Watch(label);
    rec.Watch(form.get());
    MouseAt(form.get(), WM_LBUTTONDOWN, 20, 15);
    ASSERT_EQ(GetCapture(), form->Handle());
    if (cancelMode) {
      SendMessageW(form->Handle(), WM_CANCELMODE, 0, 0);
      EXPECT_EQ(GetCapture(), nullptr);
    } else {
      SetCapture(other->Handle());
      ReleaseCapture();
    }
    rec.Events.clear();
    // A release far away belongs to the form now, and a release back over
    // the label ends no press of it: nothing is clicked.
    MouseAt(form.get(), WM_LBUTTONUP, 200, 150);
    MouseAt(form.get(), WM_LBUTTONUP, 20, 15);
    using E = TMouseRecorder::TEventRecord;
    EXPECT_EQ(rec.Events,
              (std::vector<E>{{form.get(), 'U', mbLeft, 200, 150}, {label, 'U', mbLeft, 10, 5}}));
  }
}

POINT ScreenPoint(TControl* c, int x, int y) {
  return c->ClientToScreen({x, y});
}

// Puts the pointer on a screen point and waits until the system agrees it is
// there. The moves the jump itself produces arrive late and out of order,
// so they are dropped.
// The application then sees one move, posted as the system would.
void MoveMouse(TWinControl* form, POINT screen) {
  testutil::PlacePointer(screen);
  POINT client = screen;
  ScreenToClient(form->Handle(), &client);
  PostMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
  Pump();
}

TEST(MouseTracking, EnterAndLeaveAsTheMouseMoves) {
  auto form = MakeForm(100, 100, 300, 200, true);
  auto* first = AddLabel(form.get(), 10, 10, 60, 20, clRed);
  auto* second = AddLabel(form.get(), 100, 10, 60, 20, clBlue);
  MoveMouse(form.get(), ScreenPoint(form.get(), 200, 150));
  ASSERT_EQ(Application->MouseControl(), form.get()) << "the mouse could not be placed";

  TMessageLog formLog, firstLog, secondLog;
  formLog.Attach(form.get());
  firstLog.Attach(first);
  secondLog.Attach(second);
  auto notes = [](const TMessageLog& log) { return log.Only(CM_MOUSEENTER, CM_MOUSELEAVE); };
  using L = std::vector<UINT>;

  MoveMouse(form.get(), ScreenPoint(first, 5, 5));
  EXPECT_EQ(Application->MouseControl(), first);
  EXPECT_EQ(notes(formLog), (L{CM_MOUSELEAVE}));
  EXPECT_EQ(notes(firstLog), (L{CM_MOUSEENTER}));

  MoveMouse(form.get(), ScreenPoint(first, 20, 10)); // within the same control: nothing new
  EXPECT_EQ(notes(firstLog), (L{CM_MOUSEENTER}));

  MoveMouse(form.get(), ScreenPoint(second, 5, 5));
  EXPECT_EQ(Application->MouseControl(), second);
  EXPECT_EQ(notes(firstLog), (L{CM_MOUSEENTER, CM_MOUSELEAVE}));
  EXPECT_EQ(notes(secondLog), (L{CM_MOUSEENTER}));

  MoveMouse(form.get(), ScreenPoint(form.get(), 200, 150));
  EXPECT_EQ(Application->MouseControl(), form.get());
  EXPECT_EQ(notes(secondLog), (L{CM_MOUSEENTER, CM_MOUSELEAVE}));
  EXPECT_EQ(notes(formLog), (L{CM_MOUSELEAVE, CM_MOUSEENTER}));
  EXPECT_EQ(CM_MOUSEENTER, 0xB013u);
  EXPECT_EQ(CM_MOUSELEAVE, 0xB014u);
  secondLog.Detach();
  firstLog.Detach();
  formLog.Detach();
}

TEST(MouseTracking, DeletedMouseControlIsForgotten) {
  auto form = MakeForm(100, 100, 300, 200, true);
  auto* label = AddLabel(form.get(), 10, 10, 60, 20, clRed);
  MoveMouse(form.get(), ScreenPoint(label, 5, 5));
  ASSERT_EQ(Application->MouseControl(), label) << "the mouse could not be placed";
  delete label;
  EXPECT_EQ(Application->MouseControl(), nullptr);
  TMessageLog formLog;
  formLog.Attach(form.get());
  MoveMouse(form.get(), ScreenPoint(form.get(), 200, 150)); // no leave for the deleted one
  EXPECT_EQ(Application->MouseControl(), form.get());
  EXPECT_EQ(formLog.Only(CM_MOUSEENTER, CM_MOUSELEAVE), std::vector<UINT>{CM_MOUSEENTER});
  formLog.Detach();
}

TEST(Cursors, ScreenTable) {
  struct {
    TCursor Id;
    LPCWSTR System;
  } cases[] = {
      {crDefault, IDC_ARROW}, {crArrow, IDC_ARROW}, {crIBeam, IDC_IBEAM}, {crHandPoint, IDC_HAND},
      {-11, IDC_WAIT},        {-22, IDC_SIZEALL},   {42, IDC_ARROW}, // no entry: the arrow
  };
  for (const auto& c : cases)
    EXPECT_EQ(Screen->Cursors(c.Id), LoadCursorW(nullptr, c.System)) << c.Id;
  EXPECT_EQ(ScreenCursorEntry(42), nullptr);

  HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
  Screen->SetCursors(42, cross);
  EXPECT_EQ(Screen->Cursors(42), cross);
  EXPECT_EQ(ScreenCursorEntry(42), cross);
  Screen->SetCursors(42, nullptr); // cleared: back to the arrow
  EXPECT_EQ(ScreenCursorEntry(42), nullptr);
  EXPECT_EQ(Screen->Cursors(42), LoadCursorW(nullptr, IDC_ARROW));
}

class TCursorRestore {
public:
  explicit TCursorRestore(TCursor id) : FId(id), FSaved(ScreenCursorEntry(id)) {}
  ~TCursorRestore() { SetScreenCursorHandle(FId, FSaved); }

private:
  TCursor FId;
  HCURSOR FSaved;
};

TEST(Cursors, SetCursorShowsTheControlsCursor) {
  TCursorRestore restore(crHandPoint);
  auto form = MakeForm(100, 100, 300, 200, true);
  auto* label = AddLabel(form.get(), 10, 10, 60, 20, clRed);
  label->SetCursor(crHandPoint);
  HWND wnd = form->Handle();
  auto setCursorAt = [&](POINT screen) {
    testutil::PlacePointer(screen);
    return SendMessageW(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd),
                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  };

  EXPECT_EQ(setCursorAt(ScreenPoint(label, 5, 5)), 1);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

  setCursorAt(ScreenPoint(form.get(), 200, 150));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  form->SetCursor(crIBeam);
  EXPECT_EQ(setCursorAt(ScreenPoint(form.get(), 200, 150)), 1);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_IBEAM));

  // A program that puts its own handle in the table gets it shown.
  HCURSOR no = LoadCursorW(nullptr, IDC_NO);
  SetScreenCursorHandle(crHandPoint, no);
  setCursorAt(ScreenPoint(label, 5, 5));
  EXPECT_EQ(GetCursor(), no);
}

} // namespace
} // namespace fwtest

namespace fwtest {
namespace {

// Printing the client area (what PrintWindow and the skin engine's
// off-screen composition ask for) draws the windowless children too.
TEST(Printing, PrintClientDrawsWindowlessChildren) {
  auto form = MakeForm(100, 100, 300, 200, true);
  form->SetColor(MakeColor(0, 0, 255));
  AddLabel(form.get(), 10, 10, 60, 20, clRed);
  TMemoryDC dc(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 100, -50, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  TGdiBitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  TSelection sel(dc.Get(), dib.Get());
  SendMessageW(form->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()),
               PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  auto pixel = [&](int x, int y) {
    return PixelToColor(static_cast<std::uint32_t*>(bits)[y * 100 + x] & 0xFFFFFF);
  };
  EXPECT_EQ(pixel(2, 2), MakeColor(0, 0, 255));
  EXPECT_EQ(pixel(30, 20), ColorToRGB(clRed));
  EXPECT_EQ(pixel(90, 45), MakeColor(0, 0, 255));
}

TEST(Cursors, NoneShowsNoCursor) {
  EXPECT_EQ(ScreenCursorHandle(-1), nullptr);
}

} // namespace
} // namespace fwtest
