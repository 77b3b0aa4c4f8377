// The memo, scroll bar, scroll box, track bar, up-down, progress bar and
// date-time picker: read from a stored form into their windows, and kept
// right by what the user does to them.
#include <gtest/gtest.h>

#include "FwTestUtil.h"
#include "fw/DateTimePicker.h"
#include "fw/Edit.h"
#include "fw/Memo.h"
#include "fw/ProgressBar.h"
#include "fw/ScrollBar.h"
#include "fw/ScrollBox.h"
#include "fw/TrackBar.h"
#include "fw/UpDown.h"

#include <commctrl.h>

#include <memory>

// A form whose methods the stored description binds by name.
class TRangeForm : public TForm {
  FW_DECLARE_CLASS(TRangeForm)
public:
  using TForm::TForm;
  void BarScroll(TObject*, TScrollCode code, int& pos) {
    Codes.push_back(code);
    if (pos > Limit) pos = Limit;
  }
  void BarChange(TObject*) { ++Changes; }
  std::vector<TScrollCode> Codes;
  int Limit = 1 << 30;
  int Changes = 0;
};

static void SetupRangeForm(TClassInfo& c) {
  RegisterMethod(c, "BarScroll", &TRangeForm::BarScroll);
  RegisterMethod(c, "BarChange", &TRangeForm::BarChange);
}
FW_CLASS_IMPL(TRangeForm, TForm, CreateComponentOf<TRangeForm>, SetupRangeForm)

namespace fwtest {
namespace {

const char* const kForm = R"(object RangeForm1: TRangeForm
  Left = 100
  Top = 100
  Width = 640
  Height = 420
  object Memo1: TMemo
    Left = 8
    Top = 8
    Width = 150
    Height = 80
    Lines.Strings = (
      'first'
      'second'
      'third')
    ScrollBars = ssVertical
    WordWrap = False
  end
  object ScrollBar1: TScrollBar
    Left = 170
    Top = 8
    Width = 17
    Height = 150
    Kind = sbVertical
    Min = 10
    Max = 110
    Position = 30
    SmallChange = 2
    LargeChange = 20
    PageSize = 10
    OnScroll = BarScroll
    OnChange = BarChange
  end
  object ScrollBox1: TScrollBox
    Left = 200
    Top = 8
    Width = 150
    Height = 100
    BorderStyle = bsNone
    object Edit1: TEdit
      Left = 0
      Top = 300
      Width = 100
      Height = 24
    end
  end
  object TrackBar1: TTrackBar
    Left = 8
    Top = 170
    Width = 200
    Height = 45
    Min = -5
    Max = 25
    Position = 7
    Frequency = 5
    PageSize = 4
    LineSize = 3
    TickStyle = tsNone
  end
  object UpDown1: TUpDown
    Left = 330
    Top = 170
    Width = 17
    Height = 24
    Min = 1
    Max = 9
    Position = 4
    Increment = 2
    Wrap = True
    Associate = Edit2
  end
  object Edit2: TEdit
    Left = 220
    Top = 170
    Width = 100
    Height = 24
  end
  object ProgressBar1: TProgressBar
    Left = 8
    Top = 230
    Width = 16
    Height = 150
    Min = 10
    Max = 20
    Position = 15
    Step = 3
    Orientation = pbVertical
    Smooth = True
  end
  object DateTimePicker1: TDateTimePicker
    Left = 220
    Top = 230
    Width = 150
    Height = 24
    Kind = dtkTime
  end
  object DateTimePicker2: TDateTimePicker
    Left = 220
    Top = 260
    Width = 150
    Height = 24
    DateMode = dmUpDown
  end
  object DateTimePicker3: TDateTimePicker
    Left = 220
    Top = 290
    Width = 150
    Height = 24
  end
end
)";

class TStoredRangeForm : public testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<TRangeForm>(nullptr);
    ReadComponentText(Form.get(), kForm);
    Form->Show();
    Pump();
  }
  template <class T> T* Get(const char* name) {
    auto* c = As<T>(Form->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  LONG_PTR Style(TWinControl* c) { return GetWindowLongPtrW(c->Handle(), GWL_STYLE); }
  std::unique_ptr<TRangeForm> Form;
};

TEST_F(TStoredRangeForm, PropertiesReachTheWindows) {
  auto* memo = Get<TMemo>("Memo1");
  EXPECT_EQ(memo->Lines().Count(), 3);
  EXPECT_EQ(memo->Text(), L"first\r\nsecond\r\nthird");
  EXPECT_TRUE(Style(memo) & WS_VSCROLL);
  EXPECT_FALSE(Style(memo) & WS_HSCROLL);
  EXPECT_TRUE(Style(memo) & ES_AUTOHSCROLL) << "no word wrap";

  auto* bar = Get<TScrollBar>("ScrollBar1");
  EXPECT_EQ(bar->Kind(), sbVertical);
  EXPECT_TRUE(Style(bar) & SBS_VERT);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(bar->Handle(), SB_CTL, &si);
  EXPECT_EQ(si.nMin, 10);
  EXPECT_EQ(si.nMax, 110);
  EXPECT_EQ(si.nPage, 10u);
  EXPECT_EQ(si.nPos, 30);
  EXPECT_EQ(Form->Changes, 0) << "reading is not a change";

  auto* box = Get<TScrollBox>("ScrollBox1");
  EXPECT_EQ(box->BorderStyle(), bsNone);
  EXPECT_FALSE(GetWindowLongPtrW(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(Get<TEdit>("Edit1")->Parent(), box);

  auto* track = Get<TTrackBar>("TrackBar1");
  HWND t = track->Handle();
  EXPECT_EQ(SendMessageW(t, TBM_GETRANGEMIN, 0, 0), -5);
  EXPECT_EQ(SendMessageW(t, TBM_GETRANGEMAX, 0, 0), 25);
  EXPECT_EQ(SendMessageW(t, TBM_GETPOS, 0, 0), 7);
  EXPECT_EQ(SendMessageW(t, TBM_GETPAGESIZE, 0, 0), 4);
  EXPECT_EQ(SendMessageW(t, TBM_GETLINESIZE, 0, 0), 3);
  EXPECT_TRUE(Style(track) & TBS_NOTICKS);

  auto* ud = Get<TUpDown>("UpDown1");
  auto* buddy = Get<TEdit>("Edit2");
  HWND u = ud->Handle();
  int lo = 0, hi = 0;
  SendMessageW(u, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 9);
  EXPECT_EQ(ud->Position(), 4);
  EXPECT_TRUE(Style(ud) & UDS_WRAP);
  EXPECT_EQ(ud->Associate(), buddy) << "a reference to a component read later";
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(u, UDM_GETBUDDY, 0, 0)), buddy->Handle());
  UDACCEL accel{};
  SendMessageW(u, UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  EXPECT_EQ(accel.nInc, 2u);

  auto* progress = Get<TProgressBar>("ProgressBar1");
  HWND p = progress->Handle();
  EXPECT_EQ(SendMessageW(p, PBM_GETRANGE, TRUE, 0), 10);
  EXPECT_EQ(SendMessageW(p, PBM_GETRANGE, FALSE, 0), 20);
  EXPECT_EQ(SendMessageW(p, PBM_GETPOS, 0, 0), 15);
  EXPECT_TRUE(Style(progress) & PBS_VERTICAL);
  EXPECT_TRUE(Style(progress) & PBS_SMOOTH);
  EXPECT_EQ(progress->Width(), 16) << "a stored vertical bar keeps its stored size";
  EXPECT_EQ(progress->Height(), 150);

  const struct {
    const char* Name;
    TDateTimeKind Kind;
    TDTDateMode Mode;
    bool Time, UpDown;
  } pickers[] = {{"DateTimePicker1", dtkTime, dmComboBox, true, true},
                 {"DateTimePicker2", dtkDate, dmUpDown, false, true},
                 {"DateTimePicker3", dtkDate, dmComboBox, false, false}};
  for (const auto& r : pickers) {
    SCOPED_TRACE(r.Name);
    auto* picker = Get<TDateTimePicker>(r.Name);
    EXPECT_EQ(picker->Kind(), r.Kind);
    EXPECT_EQ(picker->DateMode(), r.Mode);
    EXPECT_EQ((Style(picker) & DTS_TIMEFORMAT) == DTS_TIMEFORMAT, r.Time);
    EXPECT_EQ((Style(picker) & DTS_UPDOWN) != 0, r.UpDown);
  }
}

TEST_F(TStoredRangeForm, WrittenBackTheDescriptionReadsTheSame) {
  const std::string text = WriteComponentText(Form.get());
  for (const char* line :
       {"Kind = sbVertical", "PageSize = 10", "ScrollBars = ssVertical", "WordWrap = False",
        "TickStyle = tsNone", "Associate = Edit2", "Orientation = pbVertical", "Kind = dtkTime",
        "DateMode = dmUpDown", "OnScroll = BarScroll", "'second'"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  TRangeForm again(nullptr);
  ReadComponentText(&again, text);
  EXPECT_EQ(WriteComponentText(&again), text);
}

TEST_F(TStoredRangeForm, MemoLinesAreTheLinesOfItsText) {
  auto* memo = Get<TMemo>("Memo1");
  TStrings& lines = memo->Lines();
  lines.Insert(1, L"inserted");
  lines.Put(0, L"FIRST");
  lines.Delete(3);
  EXPECT_EQ(memo->Text(), L"FIRST\r\ninserted\r\nsecond");
  EXPECT_EQ(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 3);
  lines.Add(L"");
  lines.Add(L"after an empty line");
  EXPECT_EQ(lines.Count(), 5);
  EXPECT_EQ(lines.Get(3), L"");
  EXPECT_THROW(lines.Get(5), EStringListError);
  EXPECT_THROW(lines.Delete(-1), EStringListError);
  // Typed text with bare line feeds and a trailing break.
  SetWindowTextW(memo->Handle(), L"a\nb\r\n");
  EXPECT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines.Get(0), L"a");
  EXPECT_EQ(lines.Get(1), L"b");
  // The lines survive a new window.
  memo->SetScrollBars(ssBoth);
  EXPECT_TRUE(Style(memo) & WS_HSCROLL);
  EXPECT_EQ(lines.Get(1), L"b");
  lines.Clear();
  EXPECT_EQ(lines.Count(), 0);
}

// Presses on the bar's window, tracked by the system until the release
// waiting in the queue.
void Press(HWND bar, int y, std::initializer_list<int> moves = {}) {
  int last = y;
  for (int m : moves) {
    PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(8, m));
    last = m;
  }
  PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(8, last));
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, y));
  Pump();
}

TEST_F(TStoredRangeForm, ScrollBarFollowsTheUsersScrolling) {
  auto* bar = Get<TScrollBar>("ScrollBar1");
  HWND w = bar->Handle();
  Press(w, 145); // the lower arrow: one small change
  EXPECT_EQ(bar->Position(), 32);
  EXPECT_EQ(GetScrollPos(w, SB_CTL), 32);
  Press(w, 125); // below the thumb: one large change
  EXPECT_EQ(bar->Position(), 52);
  Press(w, 3); // the upper arrow
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_GE(Form->Changes, 3);
  // OnScroll sees every request and may hold the bar back.
  Form->Codes.clear();
  Form->Limit = 60;
  Press(w, 125);
  EXPECT_EQ(bar->Position(), 60);
  ASSERT_FALSE(Form->Codes.empty());
  EXPECT_EQ(Form->Codes.front(), scPageDown);
  EXPECT_EQ(Form->Codes.back(), scEndScroll);
  Form->Limit = 1 << 30;
  // The thumb dragged to the bottom: the last position a page allows.
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(w, OBJID_CLIENT, &sbi);
  Press(w, (sbi.xyThumbTop + sbi.xyThumbBottom) / 2, {100, 140, 170});
  EXPECT_EQ(bar->Position(), 101);
  // A request from elsewhere, through the parent.
  SendMessageW(Form->Handle(), WM_VSCROLL, SB_TOP, reinterpret_cast<LPARAM>(w));
  EXPECT_EQ(bar->Position(), 10);
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 101) << "clamped to the last page";
}

TEST(ScrollBarControl, PositionsBeyondSixteenBitsSurviveTheDrag) {
  auto form = MakeForm(100, 100, 300, 300, true);
  auto* bar = new TScrollBar(form.get());
  bar->SetKind(sbVertical);
  bar->SetBounds(10, 10, 17, 200);
  bar->SetParent(form.get());
  bar->SetParams(0, 0, 200000);
  HWND w = bar->Handle();
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  GetScrollBarInfo(w, OBJID_CLIENT, &sbi);
  Press(w, (sbi.xyThumbTop + sbi.xyThumbBottom) / 2, {100});
  EXPECT_GT(bar->Position(), 65535);
  EXPECT_EQ(bar->Position(), GetScrollPos(w, SB_CTL));
}

TEST_F(TStoredRangeForm, ScrollBoxScrollsItsChildren) {
  auto* box = Get<TScrollBox>("ScrollBox1");
  auto* edit = Get<TEdit>("Edit1");
  HWND w = box->Handle();
  RECT client;
  GetClientRect(w, &client);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 323) << "the child reaches down to 324";
  EXPECT_EQ(static_cast<int>(si.nPage), client.bottom);
  EXPECT_TRUE(GetWindowLongPtrW(w, GWL_STYLE) & WS_VSCROLL);
  EXPECT_FALSE(GetWindowLongPtrW(w, GWL_STYLE) & WS_HSCROLL) << "the child fits across";
  SendMessageW(w, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(box->ScrollPosition().y, 8);
  EXPECT_EQ(edit->Top(), 292);
  SendMessageW(w, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(box->ScrollPosition().y, 8 + client.bottom);
  SendMessageW(w, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(box->ScrollPosition().y, 324 - client.bottom);
  EXPECT_EQ(edit->Top() + edit->Height(), client.bottom) << "the child's end at the bottom";
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 324 - client.bottom);
  SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(box->ScrollPosition().y, 324 - client.bottom - 24);
  SendMessageW(w, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(box->ScrollPosition().y, 0);
  EXPECT_EQ(edit->Top(), 300);
  // Without room to scroll the bar goes.
  edit->SetTop(10);
  box->UpdateScrollBars();
  EXPECT_FALSE(GetWindowLongPtrW(w, GWL_STYLE) & WS_VSCROLL);
  edit->SetTop(300);
  box->SetAutoScroll(false);
  EXPECT_FALSE(GetWindowLongPtrW(w, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(TStoredRangeForm, TrackBarUpDownAndProgressKeepTheirPositions) {
  auto* track = Get<TTrackBar>("TrackBar1");
  track->SetPosition(100);
  EXPECT_EQ(track->Position(), 25);
  track->SetOrientation(trVertical); // a new window
  EXPECT_TRUE(Style(track) & TBS_VERT);
  EXPECT_EQ(track->Position(), 25);
  EXPECT_EQ(track->Width(), 45);
  EXPECT_EQ(track->Height(), 200);
  int changes = 0;
  struct TCounter : TObject {
    int* N;
    void Changed(TObject*) { ++*N; }
  } counter;
  counter.N = &changes;
  track->OnChange = TNotifyEvent(&counter, &TCounter::Changed);
  SendMessageW(track->Handle(), WM_KEYDOWN, VK_PRIOR, 0); // a page toward the minimum
  EXPECT_EQ(track->Position(), 21);
  EXPECT_GE(changes, 1);

  auto* ud = Get<TUpDown>("UpDown1");
  auto* buddy = Get<TEdit>("Edit2");
  ud->SetPosition(8);
  EXPECT_EQ(buddy->Text(), L"8");
  // A click on the upper arrow steps by the increment; wrapping past the
  // top starts again at the bottom.
  HWND u = ud->Handle();
  SendMessageW(u, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 3));
  SendMessageW(u, WM_LBUTTONUP, 0, MAKELPARAM(8, 3));
  EXPECT_EQ(ud->Position(), 1);
  ud->SetWrap(false); // a new window
  EXPECT_EQ(ud->Position(), 1);
  EXPECT_FALSE(Style(ud) & UDS_WRAP);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(ud->Handle(), UDM_GETBUDDY, 0, 0)),
            buddy->Handle());
  delete buddy;
  EXPECT_EQ(ud->Associate(), nullptr);

  auto* progress = Get<TProgressBar>("ProgressBar1");
  progress->StepIt();
  EXPECT_EQ(progress->Position(), 18);
  progress->StepBy(10);
  EXPECT_EQ(progress->Position(), 20) << "clamped to the range";
  progress->SetPosition(2);
  EXPECT_EQ(progress->Position(), 10);
  progress->SetPosition(13);
  progress->SetSmooth(false); // a new window
  EXPECT_EQ(progress->Position(), 13);
  EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETRANGE, TRUE, 0), 10);
}

TEST_F(TStoredRangeForm, DatePickerKeepsItsDateThroughANewKind) {
  auto* picker = Get<TDateTimePicker>("DateTimePicker3");
  SYSTEMTIME st{};
  st.wYear = 2003;
  st.wMonth = 4;
  st.wDay = 5;
  st.wHour = 6;
  st.wMinute = 7;
  picker->SetDateTime(st);
  picker->SetKind(dtkTime);
  EXPECT_TRUE((Style(picker) & DTS_TIMEFORMAT) == DTS_TIMEFORMAT);
  picker->SetDateMode(dmUpDown);
  picker->SetKind(dtkDate);
  EXPECT_TRUE(Style(picker) & DTS_UPDOWN);
  picker->SetDateMode(dmComboBox);
  EXPECT_FALSE(Style(picker) & DTS_UPDOWN);
  const SYSTEMTIME back = picker->DateTime();
  EXPECT_EQ(back.wYear, 2003);
  EXPECT_EQ(back.wMonth, 4);
  EXPECT_EQ(back.wDay, 5);
  EXPECT_EQ(back.wHour, 6);
  EXPECT_EQ(back.wMinute, 7);
}

} // namespace
} // namespace fwtest
