// The main window as its stored description lays it out, checked on the
// live windows.
#include "MainWindowFixture.h"

#include "fw/FormStream.h"

namespace {

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

struct TPlace {
  int Left, Top, Width, Height;
};

void ExpectBounds(TControl* c, TPlace p) {
  SCOPED_TRACE(c->Name());
  EXPECT_EQ(c->Left(), p.Left);
  EXPECT_EQ(c->Top(), p.Top);
  EXPECT_EQ(c->Width(), p.Width);
  EXPECT_EQ(c->Height(), p.Height);
  if (auto* w = As<TWinControl>(c)) {
    RECT r = RectInParent(w->Handle());
    EXPECT_EQ(r.left, p.Left);
    EXPECT_EQ(r.top, p.Top);
    EXPECT_EQ(r.right - r.left, p.Width);
    EXPECT_EQ(r.bottom - r.top, p.Height);
  }
}

std::wstring WindowText(HWND wnd) {
  wchar_t buf[256] = {};
  GetWindowTextW(wnd, buf, 256);
  return buf;
}

TEST_F(MainWindowTest, FormIsCentredWithItsStoredOuterSize) {
  HWND wnd = Form->Handle();
  EXPECT_EQ(WindowText(wnd), L"文件批量更名");
  RECT r;
  GetWindowRect(wnd, &r);
  EXPECT_EQ(r.right - r.left, 639);
  EXPECT_EQ(r.bottom - r.top, 432);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 639) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 432) / 2);
  EXPECT_TRUE(IsWindowVisible(wnd));
  EXPECT_EQ(Form->Color(), clBtnFace);
  EXPECT_EQ(Form->Font().Name(), L"宋体");
  EXPECT_EQ(Form->Font().Height(), -16);
  EXPECT_EQ(Form->Font().Style(), 0u);
  EXPECT_EQ(Form->Font().Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(Form->Font().Color(), clWindowText);
}

TEST_F(MainWindowTest, ControlsSitWhereTheDescriptionPutsThem) {
  RECT client;
  GetClientRect(Form->Handle(), &client);
  // The panel fills the top of the client area; the list fills the panel
  // inside its one-pixel bevel.
  ExpectBounds(Form->AIFileDropPan1, {0, 0, client.right, 213});
  ExpectBounds(Form->ListBox1, {1, 1, client.right - 2, 211});
  EXPECT_EQ(Form->AIFileDropPan1->Align(), alTop);
  EXPECT_EQ(Form->ListBox1->Align(), alClient);
  ExpectBounds(Form->GroupBox1, {9, 243, 620, 147});
  ExpectBounds(Form->ComboBox1, {52, 41, 160, 24});
  ExpectBounds(Form->Edit1, {315, 21, 287, 24});
  ExpectBounds(Form->Edit2, {315, 52, 287, 24});
  ExpectBounds(Form->Button1, {430, 84, 100, 33});
  // Labels take the size of their text; where they start is fixed.
  for (auto [label, left, top] : {std::tuple{Form->Label1, 172, 219},
                                  {Form->Label2, 12, 44},
                                  {Form->Label3, 20, 86},
                                  {Form->Label4, 263, 24},
                                  {Form->Label5, 263, 55},
                                  {Form->HyperLabel1, 184, 121}}) {
    EXPECT_EQ(label->Left(), left) << label->Name();
    EXPECT_EQ(label->Top(), top) << label->Name();
    EXPECT_TRUE(label->AutoSize());
    EXPECT_GT(label->Width(), 0);
  }
}

TEST_F(MainWindowTest, ParentsAndTabOrder) {
  EXPECT_EQ(Form->AIFileDropPan1->Parent(), Form);
  EXPECT_EQ(Form->ListBox1->Parent(), Form->AIFileDropPan1);
  EXPECT_EQ(Form->Label1->Parent(), Form);
  EXPECT_EQ(Form->GroupBox1->Parent(), Form);
  for (TControl* c : std::initializer_list<TControl*>{
           Form->Label2, Form->ComboBox1, Form->Label3, Form->Label4, Form->Label5, Form->Edit1,
           Form->Edit2, Form->Button1, Form->HyperLabel1})
    EXPECT_EQ(c->Parent(), Form->GroupBox1) << c->Name();
  EXPECT_EQ(GetParent(Form->ListBox1->Handle()), Form->AIFileDropPan1->Handle());
  EXPECT_EQ(GetParent(Form->Button1->Handle()), Form->GroupBox1->Handle());
  EXPECT_EQ(Form->AIFileDropPan1->TabOrder(), 0);
  EXPECT_EQ(Form->GroupBox1->TabOrder(), 1);
  EXPECT_EQ(Form->ListBox1->TabOrder(), 0);
  EXPECT_EQ(Form->ComboBox1->TabOrder(), 0);
  EXPECT_EQ(Form->Edit1->TabOrder(), 1);
  EXPECT_EQ(Form->Edit2->TabOrder(), 2);
  EXPECT_EQ(Form->Button1->TabOrder(), 3);
  // Tab walks the group box in that order.
  EXPECT_EQ(Form->FindNextControl(Form->ComboBox1, true, true), Form->Edit1);
  EXPECT_EQ(Form->FindNextControl(Form->Edit2, true, true), Form->Button1);
}

TEST_F(MainWindowTest, TextsItemsAndItemHeights) {
  EXPECT_EQ(Form->Label1->Caption(), L"将要批量更名的文件拖到上面的列表中");
  EXPECT_EQ(Form->GroupBox1->Caption(), L"批量更名");
  EXPECT_EQ(Form->Label2->Caption(), L"方式");
  EXPECT_EQ(Form->Label3->Caption(), L"请选择方式");
  EXPECT_EQ(Form->Label4->Caption(), L"参数1");
  EXPECT_EQ(Form->Label5->Caption(), L"参数2");
  EXPECT_EQ(WindowText(Form->Button1->Handle()), L"执行更名");
  EXPECT_EQ(WindowText(Form->Edit1->Handle()), L"");
  EXPECT_EQ(WindowText(Form->Edit2->Handle()), L"");
  EXPECT_EQ(Form->ComboBox1->Items().ToVector(),
            (std::vector<std::wstring>{L"文件名前追加", L"文件名后追加", L"固定文件名顺序编号",
                                       L"替换文件名中内容", L"替换文件扩展名"}));
  HWND combo = Form->ComboBox1->Handle();
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), 16);
  EXPECT_EQ(Form->ComboBox1->ItemIndex(), -1);
  EXPECT_EQ(SendMessageW(Form->ListBox1->Handle(), LB_GETITEMHEIGHT, 0, 0), 16);
  EXPECT_EQ(SendMessageW(Form->ListBox1->Handle(), LB_GETCOUNT, 0, 0), 0);
  EXPECT_TRUE(GetWindowLongPtrW(Form->AIFileDropPan1->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  // The list does not take drops itself, so the shell hands them to the panel.
  EXPECT_FALSE(GetWindowLongPtrW(Form->ListBox1->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(MainWindowTest, StoredDescriptionRoundTrips) {
  // Text -> form -> text -> form -> text: the two texts written agree.
  auto* a = new TForm_main(nullptr);
  ReadComponentText(a, WriteComponentText(Form));
  const std::string first = WriteComponentText(a);
  auto* b = new TForm_main(nullptr);
  ReadComponentText(b, first);
  const std::string second = WriteComponentText(b);
  EXPECT_EQ(first, second);
  EXPECT_EQ(b->ComboBox1->Items().ToVector(), Form->ComboBox1->Items().ToVector());
  EXPECT_EQ(b->Button1->Caption(), Form->Button1->Caption());
  EXPECT_EQ(b->HyperLabel1->URL(), Form->HyperLabel1->URL());
  EXPECT_EQ(b->ListBox1->Parent(), b->AIFileDropPan1);
  EXPECT_EQ(b->Edit2->TabOrder(), 2);
  delete b;
  delete a;
  // What the writer keeps of the form.
  for (const char* line :
       {"object Form_main: TForm_main", "  Width = 639", "  Height = 432",
        "  Caption = '文件批量更名'", "  Font.Name = '宋体'", "  Font.Height = -16",
        "  Position = poDesktopCenter", "  OnCreate = FormCreate", "      OnClick = Button1Click",
        "    OnDragFile = AIFileDropPan1DragFile", "    AcceptFile = True",
        "        '替换文件扩展名')", "      ItemHeight = 16", "    Align = alTop"})
    EXPECT_NE(first.find(line), std::string::npos) << line;
}

} // namespace
