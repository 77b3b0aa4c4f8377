// The mode hint and the hyperlink label.
#include "MainWindowFixture.h"

namespace {

TEST_F(MainWindowTest, EachModeShowsItsHint) {
  const std::pair<int, const wchar_t*> hints[] = {
      {0, L"参数1为追加内容"},
      {1, L"参数1为追加内容"},
      {2, L"参数1文件名，%d代替序号;参数2为起始序号"},
      {3, L"参数1为要替换的内容，参数2为替换成的内容"},
      {4, L"参数1为要替换成的扩展名"},
  };
  for (auto [mode, hint] : hints) {
    ChooseMode(mode);
    EXPECT_EQ(Form->Label3->Caption(), hint) << mode;
  }
  // Typing leaves no item chosen; the hint stays.
  TypeModeText(L"x");
  EXPECT_EQ(Form->ComboBox1->ItemIndex(), -1);
  EXPECT_EQ(Form->Label3->Caption(), L"参数1为要替换成的扩展名");
}

// What the link asked the shell to do.
struct TShellCall {
  HWND Parent;
  std::string Verb, File, Params;
  bool HasParams;
  int Show;
};
std::vector<TShellCall> gShellCalls;

HINSTANCE WINAPI FakeShellExecute(HWND parent, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir,
                                  INT show) {
  EXPECT_EQ(dir, nullptr);
  gShellCalls.push_back({parent, verb, file, params ? params : "", params != nullptr, show});
  return reinterpret_cast<HINSTANCE>(42);
}

TEST_F(MainWindowTest, LinkClickGoesToTheShell) {
  SetHyperLabelShellExecute(FakeShellExecute);
  THyperLabel* link = Form->HyperLabel1;
  const struct {
    const wchar_t* Url;
    const char* File;
    const char* Params;
  } cases[] = {
      {L"http://a.example/x", "iexplore.exe", "http://a.example/x"},
      {L"HTTP://A.example/", "iexplore.exe", "HTTP://A.example/"},
      {L"Http:x", "iexplore.exe", "Http:x"},
      {L"https://a.example/", "https://a.example/", nullptr},
      {L"mailto:me@a.example", "mailto:me@a.example", nullptr},
      {L"C:\\docs\\说明.txt", "C:\\docs\\说明.txt", nullptr},
  };
  for (const auto& c : cases) {
    gShellCalls.clear();
    link->SetURL(L"");
    link->SetURL(c.Url);
    link->Click();
    ASSERT_EQ(gShellCalls.size(), 1u) << Narrow(c.Url);
    const TShellCall& call = gShellCalls[0];
    EXPECT_EQ(call.Parent, Form->GroupBox1->Handle());
    EXPECT_EQ(call.Verb, "open");
    EXPECT_EQ(call.File, WideToAnsi(Widen(c.File)));
    EXPECT_EQ(call.HasParams, c.Params != nullptr);
    if (c.Params) {
      EXPECT_EQ(call.Params, c.Params);
    }
    EXPECT_EQ(call.Show, SW_SHOW);
  }
  // An empty address does nothing beyond the label's own click.
  gShellCalls.clear();
  link->SetURL(L"");
  link->Click();
  EXPECT_TRUE(gShellCalls.empty());
  SetHyperLabelShellExecute(nullptr);
}

TEST_F(MainWindowTest, UrlIgnoresAChangeOfLetterCase) {
  THyperLabel* link = Form->HyperLabel1;
  link->SetURL(L"http://Example.org/A");
  link->SetURL(L"HTTP://EXAMPLE.ORG/a");
  EXPECT_EQ(link->URL(), L"http://Example.org/A");
  link->SetURL(L"http://example.org/b");
  EXPECT_EQ(link->URL(), L"http://example.org/b");
}

TEST_F(MainWindowTest, FormCreateMakesTheHoverFontFromTheLabelFont) {
  TFont& hover = Form->HyperLabel1->HoverFont();
  EXPECT_EQ(hover.Name(), L"宋体"); // the stored "MS Sans Serif" is gone
  EXPECT_EQ(hover.Height(), -16);
  EXPECT_EQ(hover.Color(), 0xFF0000u);
  EXPECT_TRUE(hover.HasStyle(fsUnderline));
}

TEST_F(MainWindowTest, HoverAndLeaveRestoreEverything) {
  THyperLabel* link = Form->HyperLabel1;
  // Values that differ from the hover look, so a restore that lost them shows.
  link->SetColor(MakeColor(1, 2, 3));
  const HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
  const HCURSOR standardHand = ScreenCursorEntry(crHandPoint);
  SetScreenCursorHandle(crHandPoint, cross);
  TFont before;
  before.Assign(link->Font());
  const TColor colorBefore = link->Color();
  const TCursor cursorBefore = link->Cursor();
  const HCURSOR screenBefore = ScreenCursorEntry(crHandPoint);
  ASSERT_NE(colorBefore, link->HoverColor());
  ASSERT_NE(screenBefore, LoadCursorW(nullptr, IDC_HAND));
  link->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(link->Font().SameAs(link->HoverFont()));
  EXPECT_EQ(link->Color(), link->HoverColor());
  EXPECT_EQ(link->Cursor(), crHandPoint);
  EXPECT_EQ(ScreenCursorEntry(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
  link->Perform(CM_MOUSELEAVE);
  EXPECT_TRUE(link->Font().SameAs(before));
  EXPECT_EQ(link->Color(), colorBefore);
  EXPECT_EQ(link->Cursor(), cursorBefore);
  EXPECT_EQ(ScreenCursorEntry(crHandPoint), screenBefore);
  // A leave without an enter restores nothing it never saved.
  link->Perform(CM_MOUSELEAVE);
  EXPECT_TRUE(link->Font().SameAs(before));
  EXPECT_EQ(link->Color(), colorBefore);
  SetScreenCursorHandle(crHandPoint, standardHand);
}

TEST_F(MainWindowTest, RealMouseOverTheLinkHoversIt) {
  THyperLabel* link = Form->HyperLabel1;
  POINT centre = link->ClientToScreen({link->Width() / 2, link->Height() / 2});
  testutil::PlacePointer(centre);
  PostMessageW(Form->GroupBox1->Handle(), WM_MOUSEMOVE, 0,
               MAKELPARAM(link->Left() + link->Width() / 2, link->Top() + link->Height() / 2));
  Pump();
  EXPECT_TRUE(link->Hovered());
  EXPECT_EQ(Application->MouseControl(), link);
  POINT away = Form->GroupBox1->ClientToScreen({5, 140});
  testutil::PlacePointer(away);
  PostMessageW(Form->GroupBox1->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 140));
  Pump();
  EXPECT_FALSE(link->Hovered());
}

} // namespace
