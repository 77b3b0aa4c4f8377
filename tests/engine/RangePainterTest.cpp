// Track bars, up-down arrows and progress bars: the custom-draw answers
// and what they draw, the up-down inside an edit and its halves, and the
// progress bar's trough, bar and chunks.
#include "ControlSkinUtil.h"
#include "fw/Edit.h"
#include "fw/ProgressBar.h"
#include "fw/TrackBar.h"
#include "fw/UpDown.h"
#include "skin/controls/EditPainters.h"
#include "skin/controls/RangePainters.h"
#include "support/WinTestUtil.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace enginetest {
namespace {

// --- Track bars -------------------------------------------------------------------------------

struct TTrackForm {
  explicit TTrackForm(bool vertical) : Form(ControlSpec()) {
    Track = new TTrackBar(Form.Form);
    if (vertical) Track->SetOrientation(trVertical);
    Track->SetBounds(20, 20, vertical ? 45 : 200, vertical ? 160 : 45);
    Track->SetParent(Form.Form);
    Track->SetPosition(3);
    Ok = Form.Skin();
    Painter = PainterFor<TSkinTrackBar>(Form.Engine(), Track);
    Ok = Ok && Painter;
    RedrawWindow(Track->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  RECT Channel() const {
    RECT c{};
    SendMessageW(Track->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
    return c;
  }
  RECT Thumb() const {
    RECT t{};
    SendMessageW(Track->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&t));
    return t;
  }
  TSkinnedForm Form;
  TTrackBar* Track = nullptr;
  TSkinTrackBar* Painter = nullptr;
  bool Ok = false;
};

TEST(TrackBarCustomDraw, AnswersByStageAndPart) {
  TTrackForm f(false);
  ASSERT_TRUE(f.Ok);
  TBitmap target;
  target.SetSize(200, 45);
  const struct {
    const char* Name;
    DWORD Stage;
    DWORD_PTR Part;
    LRESULT Answer;
  } rows[] = {
      {"before painting", CDDS_PREPAINT, 0, CDRF_NOTIFYITEMDRAW},
      {"tick marks: the system's", CDDS_ITEMPREPAINT, TBCD_TICS, CDRF_DODEFAULT},
      {"thumb: the skin's", CDDS_ITEMPREPAINT, TBCD_THUMB, CDRF_SKIPDEFAULT},
      {"channel: the skin's", CDDS_ITEMPREPAINT, TBCD_CHANNEL, CDRF_SKIPDEFAULT},
      {"after painting", CDDS_POSTPAINT, 0, CDRF_DODEFAULT},
      {"after an item", CDDS_ITEMPOSTPAINT, TBCD_THUMB, CDRF_DODEFAULT},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.Name);
    NMCUSTOMDRAW cd{};
    cd.hdr = {f.Track->Handle(), 0, static_cast<UINT>(NM_CUSTOMDRAW)};
    cd.dwDrawStage = r.Stage;
    cd.dwItemSpec = r.Part;
    cd.hdc = target.Canvas().Handle();
    // As the framework reflects the notification to the control.
    EXPECT_EQ(f.Track->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&cd)), r.Answer);
  }
}

TEST(TrackBarCustomDraw, ChannelInThreePartsAndTheThumbsSecondFrame) {
  for (bool vertical : {false, true}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    TTrackForm f(vertical);
    ASSERT_TRUE(f.Ok);
    HWND w = f.Track->Handle();
    RECT c = f.Channel();
    // Reported lying down by some systems.
    if (vertical && c.right - c.left > c.bottom - c.top) c = {c.top, c.left, c.bottom, c.right};
    const TPiece piece = vertical ? TPiece::TrackVert : TPiece::Track;
    const RECT t = f.Thumb();
    // Along the channel, clear of the thumb: the caps keep their 3 pixels.
    const int across = vertical ? (c.left + c.right) / 2 : c.top + 1;
    auto along = [&](int a) {
      return vertical ? ClientPixel(w, across, a) : ClientPixel(w, a, across);
    };
    const int start = vertical ? c.top : c.left, end = vertical ? c.bottom : c.right;
    EXPECT_EQ(FrameIn(piece, along(start + 1)), 1) << Name(along(start + 1));
    EXPECT_EQ(FrameIn(piece, along(end - 2)), 3) << Name(along(end - 2));
    const int thumbEnd = vertical ? t.bottom : t.right;
    EXPECT_EQ(FrameIn(piece, along((thumbEnd + end) / 2)), 2);
    EXPECT_EQ(
        FrameIn(TPiece::ThumbHorz, ClientPixel(w, (t.left + t.right) / 2, (t.top + t.bottom) / 2)),
        vertical ? 0 : 2);
    if (vertical) {
      EXPECT_EQ(FrameIn(TPiece::ThumbVert,
                        ClientPixel(w, (t.left + t.right) / 2, (t.top + t.bottom) / 2)),
                2);
    }
  }
}

// --- Up-down arrows ------------------------------------------------------------------------

TEST(UpDownFrames, EachHalfHasFourFrames) {
  const int want[4][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {1, 2, 3, 4}, {5, 6, 7, 8}};
  for (int kind = 0; kind < 4; ++kind)
    for (int state = 1; state <= 4; ++state)
      EXPECT_EQ(TSkinUpDown::FrameOf(kind, state), want[kind][state - 1])
          << "kind " << kind << " state " << state;
}

TEST(UpDownEmbedded, FoundInAnEditAndDrawnHalfByHalf) {
  TSkinnedForm f(ControlSpec());
  auto* edit = new TEdit(f.Form);
  edit->SetBounds(20, 20, 120, 40);
  edit->SetParent(f.Form);
  HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 96, 0, 18, 36,
                              edit->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(spin, nullptr);
  ASSERT_TRUE(f.Skin());
  auto* p = PainterFor<TSkinEdit>(f.Engine(), edit);
  ASSERT_NE(p, nullptr);
  RedrawWindow(edit->Handle(), nullptr, nullptr,
               RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ASSERT_NE(p->UpDown, nullptr) << "the edit's paint finds the up-down";
  EXPECT_TRUE(p->UpDown->Embedded);
  EXPECT_EQ(p->UpDown->Handle, spin);
  auto half = [&](bool lower) {
    RedrawWindow(spin, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return FrameIn(TPiece::UpDownVert, ClientPixel(spin, 9, lower ? 27 : 9));
  };
  // The mouse away, then over the upper half, then pressing it.
  testutil::PlacePointer({5, 5});
  EXPECT_EQ(half(false), 1);
  EXPECT_EQ(half(true), 5);
  POINT upper{9, 9};
  ClientToScreen(spin, &upper);
  testutil::PlacePointer(upper);
  SendMessageW(spin, WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
  EXPECT_EQ(half(false), 4);
  EXPECT_EQ(half(true), 5);
  p->UpDown->MouseState |= 2;
  EXPECT_EQ(half(false), 2);
  EXPECT_EQ(half(true), 5);
  p->UpDown->MouseState = 0;
  // It keeps clear of the edit's frame: the top rows are the white fill.
  EXPECT_EQ(ClientPixel(spin, 9, 0), clWhite);
  EXPECT_EQ(FindWindowExW(edit->Handle(), nullptr, UPDOWN_CLASSW, nullptr), spin);
}

TEST(UpDownControl, HorizontalUsesTheLeftAndRightStrip) {
  TSkinnedForm f(ControlSpec());
  auto* ud = new TUpDown(f.Form);
  ud->SetOrientation(udHorizontal);
  ud->SetBounds(20, 20, 40, 18);
  ud->SetParent(f.Form);
  ASSERT_TRUE(f.Skin());
  ASSERT_NE(PainterFor<TSkinUpDown>(f.Engine(), ud), nullptr);
  testutil::PlacePointer({5, 5});
  HWND w = ud->Handle();
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(FrameIn(TPiece::UpDownHorz, ClientPixel(w, 5, 9)), 1);
  EXPECT_EQ(FrameIn(TPiece::UpDownHorz, ClientPixel(w, 35, 9)), 5);
  ud->SetEnabled(false);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(FrameIn(TPiece::UpDownHorz, ClientPixel(w, 5, 9)), 3);
  EXPECT_EQ(FrameIn(TPiece::UpDownHorz, ClientPixel(w, 35, 9)), 7);
}

// --- Progress bars ------------------------------------------------------------------------

struct TProgressCase {
  const char* Name;
  bool Chunk;
  bool Vertical;
  int Min, Max, Pos;
  double Filled; // the share of the length that shows the bar
};

TEST(ProgressPaint, TroughBarAndChunks) {
  const TProgressCase cases[] = {
      {"two frames, position 0: the trough only", false, false, 0, 100, 0, 0},
      {"two frames, 10..20 at 15: half", false, false, 10, 20, 15, 0.5},
      {"two frames, full", false, false, 0, 100, 100, 1},
      {"two frames, vertical: from the bottom", false, true, 10, 20, 15, 0.5},
      {"chunks, position 0", true, false, 0, 100, 0, 0},
      {"chunks, a quarter", true, false, 0, 100, 25, 0.25},
      {"chunks, 10..20 at 15: half", true, false, 10, 20, 15, 0.5},
  };
  for (const TProgressCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TControlSkin skin;
    skin.ProgressChunk = c.Chunk;
    TSkinnedForm f(ControlSpec(skin));
    auto* bar = new TProgressBar(f.Form);
    if (c.Vertical) bar->SetOrientation(pbVertical);
    bar->SetBounds(20, 20, c.Vertical ? 24 : 200, c.Vertical ? 160 : 24);
    bar->SetParent(f.Form);
    bar->SetMin(c.Min);
    bar->SetMax(c.Max);
    bar->SetPosition(c.Pos);
    ASSERT_TRUE(f.Skin());
    ASSERT_NE(PainterFor<TSkinProgress>(f.Engine(), bar), nullptr);
    HWND w = bar->Handle();
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(w, &client);
    const int length = c.Vertical ? client.bottom : client.right;
    const int edge = static_cast<int>(length * c.Filled); // the bar ends here
    // Along the middle of the bar, from where it starts (the bottom of a
    // vertical one).
    auto at = [&](int a) {
      return c.Vertical ? ClientPixel(w, client.right / 2, client.bottom - 1 - a)
                        : ClientPixel(w, a, client.bottom / 2);
    };
    const TPiece fill = c.Chunk ? TPiece::Chunk : TPiece::Progress;
    const int fillFrame = c.Chunk ? 1 : 2;
    for (int a = 4; a < length - 4; a += 6) {
      if (std::abs(a - edge) <= 4) continue;
      const TColor got = at(a);
      if (a < edge)
        EXPECT_EQ(FrameIn(fill, got), fillFrame) << a << ": " << Name(got);
      else
        EXPECT_EQ(FrameIn(TPiece::Progress, got), 1) << a << ": " << Name(got);
    }
  }
}

} // namespace
} // namespace enginetest
