#include <gtest/gtest.h>

#include "FwTestUtil.h"
#include "support/FwMessageRecorder.h"
#include "support/MessageSequence.h"
#include "support/ObjectCensus.h"

namespace fwtest {
namespace {

using msgseq::TMsg;

TEST(MessageSequence, ComparisonRules) {
  const std::vector<TMsg> recorded = {
      {WM_SIZE, msgseq::sent, SIZE_RESTORED, MAKELPARAM(10, 20)},
      {msgseq::kMarker},
      {WM_PAINT, msgseq::posted},
      {WM_NCPAINT, msgseq::sent | msgseq::defwinproc},
  };
  struct {
    const char* Name;
    std::vector<TMsg> Expected;
    bool Match;
  } cases[] = {
      {"exact",
       {{WM_SIZE, msgseq::sent | msgseq::lparam, 0, MAKELPARAM(10, 20)},
        {msgseq::kMarker},
        {WM_PAINT, msgseq::posted},
        {WM_NCPAINT, msgseq::sent | msgseq::defwinproc}},
       true},
      {"optional entries may be missing",
       {{WM_SIZE},
        {WM_MOVE, msgseq::sent | msgseq::optional},
        {msgseq::kMarker},
        {WM_PAINT},
        {WM_ERASEBKGND, msgseq::optional},
        {WM_NCPAINT, msgseq::defwinproc}},
       true},
      {"wrong lParam", {{WM_SIZE, msgseq::lparam, 0, 1}}, false},
      {"sent where posted", {{WM_SIZE}, {msgseq::kMarker}, {WM_PAINT, msgseq::sent}}, false},
      {"defwinproc missing",
       {{WM_SIZE}, {msgseq::kMarker}, {WM_PAINT}, {WM_NCPAINT, msgseq::sent}},
       false},
      {"phase marker missing", {{WM_SIZE}, {WM_PAINT}, {WM_NCPAINT, msgseq::defwinproc}}, false},
      {"a message left over", {{WM_SIZE}, {msgseq::kMarker}, {WM_PAINT}}, false},
      {"a message more expected",
       {{WM_SIZE}, {msgseq::kMarker}, {WM_PAINT}, {WM_NCPAINT, msgseq::defwinproc}, {WM_SIZE}},
       false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(static_cast<bool>(msgseq::Matches(recorded, c.Expected)), c.Match) << c.Name;
  // A failure names the messages.
  const std::string text = msgseq::Matches(recorded, {{WM_MOVE}}).message();
  EXPECT_NE(text.find("expected WM_MOVE"), std::string::npos) << text;
  EXPECT_NE(text.find("WM_SIZE sent"), std::string::npos) << text;
}

TEST(MessageSequence, NamesOfTheFrameworkAndTheSkinEngine) {
  EXPECT_EQ(msgseq::MessageName(WM_NCCALCSIZE), "WM_NCCALCSIZE");
  EXPECT_EQ(msgseq::MessageName(CM_MOUSEENTER), "CM_MOUSEENTER");
  EXPECT_EQ(msgseq::MessageName(CM_RECREATEWND), "CM_RECREATEWND");
  EXPECT_EQ(msgseq::MessageName(CN_COMMAND), "CN_COMMAND");
  EXPECT_EQ(msgseq::MessageName(0x3503), "SKN_INITFORM");
  EXPECT_EQ(msgseq::MessageName(0xBC4E), "SKN_SKINNED"); // not a reflected message
  EXPECT_EQ(msgseq::MessageName(WM_APP + 3), "WM_APP+3");
  EXPECT_EQ(msgseq::MessageName(0xC123), "0xC123");
}

TEST(MessageSequence, RecordsSentPostedParentAndDefaultProcedure) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  msgseq::TRecorder rec;
  rec.Watch(button->Handle());
  rec.Watch(form->Handle(), msgseq::parent);
  SendMessageW(button->Handle(), WM_APP + 1, 0, 0);
  PostMessageW(button->Handle(), WM_APP + 2, 0, 0);
  Pump();
  rec.Mark();
  // The system button tells its parent from inside its own procedure.
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(msgseq::Matches(
      rec.Only(WM_APP, WM_APP + 10),
      {{WM_APP + 1, msgseq::sent}, {WM_APP + 2, msgseq::posted}, {msgseq::kMarker}}));
  EXPECT_TRUE(msgseq::Matches(rec.Only(WM_COMMAND, WM_COMMAND),
                              {{msgseq::kMarker},
                               {WM_COMMAND, msgseq::sent | msgseq::parent | msgseq::wparam,
                                MAKEWPARAM(GetDlgCtrlID(button->Handle()), BN_CLICKED)}}));

  // Through the framework's hook chain, with what its default procedure sends.
  msgseq::TRecorder hooked;
  msgseq::TControlRecorder onButton(hooked, button);
  button->Perform(WM_APP + 3);
  SendMessageW(button->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
  EXPECT_TRUE(msgseq::Matches(hooked.Only(WM_APP, WM_APP + 10),
                              {{WM_APP + 3, msgseq::sent | msgseq::hook}}));
  rec.Clear();
  DestroyWindow(button->Handle()); // the recorder lets go of a window that goes
  EXPECT_FALSE(rec.Messages().empty());
  EXPECT_EQ(rec.Messages().back().Message, static_cast<UINT>(WM_NCDESTROY));
}

TEST(ObjectCensus, CountsWhatIsMadeAndFreed) {
  // The first window of a thread brings a helper window along (and the last
  // one takes it away): one window stays for the whole count.
  HWND anchor = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  const auto before = testutil::TObjectCensus::Take();
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 100; ++i)
    brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
  std::vector<HWND> windows;
  for (int i = 0; i < 10; ++i)
    windows.push_back(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr));
  std::vector<HMENU> menus;
  for (int i = 0; i < 5; ++i)
    menus.push_back(CreatePopupMenu());
  const auto during = testutil::TObjectCensus::Take();
  if (testutil::RunningOnWine()) {
    EXPECT_EQ(before.DifferenceTo(during), "brush +100, window +10, menu +5");
  } else {
    EXPECT_EQ(during.GdiTotal() - before.GdiTotal(), 100);
    EXPECT_EQ(during.Windows - before.Windows, 15); // windows and menus are user objects
  }
  for (HBRUSH b : brushes)
    DeleteObject(b);
  for (HWND w : windows)
    DestroyWindow(w);
  for (HMENU m : menus)
    DestroyMenu(m);
  const auto after = testutil::TObjectCensus::Take();
  EXPECT_EQ(before, after) << before.DifferenceTo(after);
  DestroyWindow(anchor);
}

} // namespace
} // namespace fwtest
