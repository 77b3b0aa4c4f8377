#include "EngineTestUtil.h"

#include "core/Bmp.h"
#include "core/SkinArchive.h"
#include "skin/controls/ButtonPainters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace enginetest {

namespace {

std::string Rgb(TColor c) {
  std::ostringstream s;
  s << (c & 0xFF) << " " << ((c >> 8) & 0xFF) << " " << ((c >> 16) & 0xFF);
  return s.str();
}

// A piece picture: frames side by side (sides) or stacked (top, bottom).
Bitmap PiecePicture(const TPieceSpec& p, bool side) {
  const int length = 12;
  Bitmap bmp(side ? 2 * p.Size : length, side ? length : 2 * p.Size);
  for (int f = 0; f < 2; ++f) {
    const TRect r =
        side ? RectOf(f * p.Size, 0, p.Size, length) : RectOf(0, f * p.Size, length, p.Size);
    bmp.FillRect(r, p.Colors[f]);
    if (side)
      for (int i = 0; i < p.MagentaCorner; ++i)
        bmp.Set(r.Left + i % p.Size, r.Top + i / p.Size, clMagenta);
    else
      for (int i = 0; i < p.MagentaBottomLeft; ++i)
        bmp.Set(r.Left + i, r.Bottom - 1, clMagenta);
  }
  return bmp;
}

Bitmap ButtonPicture(const TButtonSpec& b) {
  Bitmap bmp(b.Width * b.Frames, b.Height);
  for (int f = 0; f < b.Frames; ++f)
    bmp.FillRect(RectOf(f * b.Width, 0, b.Width, b.Height),
                 f < static_cast<int>(b.Colors.size()) ? b.Colors[f] : MakeColor(f, f, f));
  return bmp;
}

std::vector<std::uint8_t> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}

} // namespace

std::vector<TColor> ButtonColors(int seed) {
  return {MakeColor(seed, 10, 10), MakeColor(seed, 20, 20), MakeColor(seed, 30, 30),
          MakeColor(seed, 40, 40)};
}

TSkinSpec StandardSpec() {
  TSkinSpec s;
  TButtonSpec close{"ButtonClose", 0, 1, 22, 5, 0, 0, 4, 16, 14, ButtonColors(101)};
  TButtonSpec max{"ButtonMaximize", 1, 1, 40, 5, 6, 2, 4, 16, 14, ButtonColors(102)};
  TButtonSpec restore{"ButtonRestore", 1, 1, 40, 5, 6, 1, 4, 16, 14, ButtonColors(103)};
  TButtonSpec min{"ButtonMinimize", 2, 1, 58, 5, 6, 0, 4, 16, 14, ButtonColors(104)};
  TButtonSpec sys{"ButtonSysMenu", 3, 0, 6, 5, 0, 0, 0, 16, 16, {}, true};
  s.Buttons = {close, max, restore, min, sys};
  return s;
}

std::vector<std::uint8_t> BuildArchive(const TSkinSpec& spec) {
  std::vector<TSkinArchiveMember> members;
  std::ostringstream ini;
  ini << "[TitlebarSkin]\r\nSkinName=Engine test\r\n[Personality]\r\n" << spec.PersonalityIni;
  for (const auto& [name, picture] : spec.ExtraFiles)
    members.push_back({name, WriteBmp(picture)});
  const struct {
    const char* Name;
    const TPieceSpec& Piece;
    bool Side;
  } pieces[] = {{"Left", spec.Left, true},
                {"Right", spec.Right, true},
                {"Top", spec.Top, false},
                {"Bottom", spec.Bottom, false}};
  for (const auto& p : pieces) {
    const std::string file = std::string("f-") + p.Name + ".bmp";
    members.push_back({file, WriteBmp(PiecePicture(p.Piece, p.Side))});
    ini << p.Name << "=" << file << "\r\n"
        << p.Name << "Frame=2\r\n"
        << p.Name << "Stretch=1\r\n"
        << p.Name << "Trans=" << (p.Piece.Trans ? 1 : 0) << "\r\n";
  }
  ini << "TextShift=30\r\nTextShiftVert=0\r\nTextRightClip=70\r\nTextAlignment=0\r\n";
  members.push_back({"menu-bg.bmp", WriteBmp(Bitmap(8, 8, spec.MenuBackground))});
  ini << "[MenuBackground]\r\nImage=menu-bg.bmp\r\n";
  for (const TButtonSpec& b : spec.Buttons) {
    ini << "[" << b.Section << "]\r\nAction=" << b.Action << "\r\nAlign=" << b.Align
        << "\r\nXcoord=" << b.X << "\r\nYcoord=" << b.Y << "\r\nVisibility=" << b.Visibility
        << "\r\nVisibility1=" << b.Visibility1 << "\r\n";
    if (b.NoImage) continue;
    const std::string file = b.Section + ".bmp";
    members.push_back({file, WriteBmp(ButtonPicture(b))});
    ini << "frame=" << b.Frames << "\r\nButtonImage=" << file << "\r\n";
  }
  ini << "[Colours]\r\nButtonFace=" << Rgb(spec.Face)
      << "\r\nTitleTextActive=" << Rgb(spec.TitleActive)
      << "\r\nTitleTextNoActive=" << Rgb(spec.TitleInactive) << "\r\n";
  ini << spec.ExtraIni;
  for (const auto& [file, picture] : spec.ExtraFiles)
    members.push_back({file, WriteBmp(picture)});
  members.push_back({"skin.ini", Bytes(ini.str())});
  return WriteSkinArchive(members);
}

// --- Skinned forms ---------------------------------------------------------------

TSkinnedForm::TSkinnedForm(const TSkinSpec& spec, int clientWidth, int clientHeight,
                           TFormBorderStyle border) {
  Form = new TForm(nullptr);
  Form->SetBorderStyle(border);
  Form->SetBounds(120, 120, 400, 300);
  Form->SetCaption(L"Skinned");
  Form->SetClientSize(clientWidth, clientHeight);
  Data = new TSkinData(Form);
  Data->BeginLoading();
  Data->SetStoredArchive(BuildArchive(spec));
  Data->LoadSkin();
  Data->Loaded(); // registers with the manager (made now if there is none)
  // Skinned when the test says so, not by the activation that showing brings.
  if (TSkinManage* m = SkinManagerObject()) m->SetEnabled(false);
  Form->Show();
  Pump();
}

TSkinnedForm::~TSkinnedForm() {
  delete Form;
  Pump();
}

TWinSkinForm* TSkinnedForm::Engine() const {
  TSkinManage* m = SkinManagerObject();
  return m && Form->HandleAllocated() ? m->FindFormEngine(Form->WindowHandle()) : nullptr;
}

bool TSkinnedForm::Skin() {
  TSkinManage* m = SkinManagerObject();
  if (!m) return false;
  m->SetEnabled(true);
  if (!Engine() && !m->SkinWindow(Wnd())) return false;
  return PumpUntil([this] { return Engine() && Engine()->EngineState == 1; });
}

void TSkinnedForm::Unskin() {
  TSkinManage* m = SkinManagerObject();
  if (!m) return;
  m->SetCommandSkinData(Data);
  m->Command = 2;
  m->ExecuteCommand(nullptr);
  Pump();
}

void Pump() {
  Application->ProcessMessages();
}

TColor WindowPixel(HWND wnd, int x, int y) {
  HDC dc = GetWindowDC(wnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return static_cast<TColor>(c);
}

// --- Snapshots -------------------------------------------------------------------

namespace {

BOOL CALLBACK CollectProp(HWND, LPWSTR name, HANDLE, ULONG_PTR list) {
  auto* props = reinterpret_cast<std::vector<std::wstring>*>(list);
  if (IS_INTRESOURCE(name))
    props->push_back(L"#" + std::to_wstring(reinterpret_cast<UINT_PTR>(name)));
  else
    props->push_back(name);
  return TRUE;
}

} // namespace

bool TWindowSnapshot::operator==(const TWindowSnapshot& o) const {
  return Proc == o.Proc && Style == o.Style && ExStyle == o.ExStyle &&
         EqualRect(&Window, &o.Window) && EqualRect(&Client, &o.Client) &&
         RegionType == o.RegionType && Menu == o.Menu && Props == o.Props;
}

TWindowSnapshot Snapshot(HWND wnd) {
  TWindowSnapshot s;
  s.Proc = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  s.Style = GetWindowLongPtrW(wnd, GWL_STYLE);
  s.ExStyle = GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  GetWindowRect(wnd, &s.Window);
  GetClientRect(wnd, &s.Client);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  s.RegionType = GetWindowRgn(wnd, rgn);
  DeleteObject(rgn);
  s.Menu = GetMenu(wnd);
  EnumPropsExW(wnd, CollectProp, reinterpret_cast<LPARAM>(&s.Props));
  std::sort(s.Props.begin(), s.Props.end());
  return s;
}

std::string Describe(const TWindowSnapshot& s) {
  std::ostringstream o;
  o << "proc " << std::hex << s.Proc << " style " << s.Style << " ex " << s.ExStyle << std::dec
    << " window " << s.Window.left << "," << s.Window.top << "," << s.Window.right << ","
    << s.Window.bottom << " client " << s.Client.right << "x" << s.Client.bottom << " region "
    << s.RegionType << " menu " << s.Menu << " props " << s.Props.size();
  return o.str();
}

const wchar_t* PlainClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"EngineTestPlain";
    RegisterClassW(&wc);
    return L"EngineTestPlain";
  }();
  return name;
}

// --- The test run's framework ------------------------------------------------------

namespace {

class TUnexpectedErrors : public TObject {
public:
  void Handle(TObject*, const std::exception& e) {
    ADD_FAILURE() << "unexpected error in a message handler: " << e.what();
  }
};
TUnexpectedErrors gErrors;

class TEngineEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    InitFramework();
    InitSkinEngine();
    Application->Initialize();
    Application->OnException = TExceptionEvent(&gErrors, &TUnexpectedErrors::Handle);
  }
  void TearDown() override {
    DoneFramework();
    DoneSkinEngine();
  }
};

[[maybe_unused]] ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new TEngineEnvironment);

} // namespace

// --- Push buttons ------------------------------------------------------------------

const TColor kButtonFrame[5] = {MakeColor(0x11, 0x88, 0x22), MakeColor(0x88, 0x11, 0x22),
                                MakeColor(0x55, 0x56, 0x57), MakeColor(0x22, 0x11, 0x88),
                                MakeColor(0x88, 0x88, 0x11)};

TSkinSpec ButtonsSpec() {
  TSkinSpec s = StandardSpec();
  Bitmap strip(5 * kButtonFrameSize, kButtonFrameSize);
  for (int f = 0; f < 5; ++f) {
    strip.FillRect(RectOf(f * kButtonFrameSize, 0, kButtonFrameSize, kButtonFrameSize),
                   kButtonFrame[f]);
    strip.FillRect(RectOf(f * kButtonFrameSize, 0, 2, 2), clMagenta);
  }
  s.ExtraFiles.push_back({"buttons.bmp", strip});
  std::ostringstream ini;
  ini << "[Buttons]\r\nBitmap=buttons.bmp\r\nTrans=1\r\nTile=0\r\n";
  for (const char* band : {"LeftWidth", "RightWidth", "TopHeight", "BottomHeight"})
    ini << band << "=" << kButtonBand << "\r\n";
  s.ExtraIni += ini.str();
  return s;
}

int ButtonFrameOf(TColor c) {
  for (int f = 0; f < 5; ++f)
    if (kButtonFrame[f] == c) return f + 1;
  return 0;
}

Bitmap PaintedBy(TSkinControl& painter, TColor background) {
  RECT r{};
  if (painter.Handle) {
    GetWindowRect(painter.Handle, &r);
  } else if (painter.GraphicControl) {
    r = painter.GraphicControl->ClientRect();
  }
  TBitmap target;
  target.SetSize(r.right - r.left, r.bottom - r.top);
  if (target.Empty()) return {};
  const RECT all{0, 0, r.right - r.left, r.bottom - r.top};
  TSkinControl::FillColor(target.Canvas().Handle(), all, background);
  if (auto* speed = As<TSkinSpeedButton>(&painter))
    speed->DrawSpeedButton(target.Canvas().Handle(), all);
  else
    painter.PaintWindow(target.Canvas().Handle());
  return target.ToBitmap();
}

TSkinControl* PainterOf(const TWinSkinForm* engine, const TControl* c) {
  if (!engine) return nullptr;
  for (TSkinControl* p : engine->Painters)
    if (p->Control == c || (p->GraphicControl && p->GraphicControl == c)) return p;
  return nullptr;
}

std::string PainterClassOf(const TWinSkinForm* engine, const TControl* c) {
  const TSkinControl* p = PainterOf(engine, c);
  return p ? p->ClassName() : "none";
}

// --- Menus -------------------------------------------------------------------------

const TColor kMenuItemFrame[5] = {MakeColor(0x21, 0x90, 0x31), MakeColor(0x90, 0x21, 0x31),
                                  MakeColor(0x61, 0x62, 0x63), MakeColor(0x31, 0x21, 0x90),
                                  MakeColor(0x90, 0x90, 0x21)};
const TColor kSeparatorTop = MakeColor(0x44, 0x99, 0x99);
const TColor kMenuBarFrame[2] = {MakeColor(0x70, 0x20, 0x60), MakeColor(0x35, 0x10, 0x30)};

TSkinSpec MenusSpec(bool bar) {
  TSkinSpec s = StandardSpec();
  const int w = kMenuItemFrameWidth, h = kMenuItemFrameHeight;
  Bitmap strip(5 * w, h);
  for (int f = 0; f < 5; ++f) {
    strip.FillRect(RectOf(f * w, 0, w, h), kMenuItemFrame[f]);
    strip.FillRect(RectOf(f * w, 0, 2, 2), clMagenta);
  }
  strip.FillRect(RectOf(w + 2, 0, w - 2, h - kSeparatorRows), kSeparatorTop);
  strip.FillRect(RectOf(w, 2, 2, h - kSeparatorRows - 2), kSeparatorTop);
  s.ExtraFiles.push_back({"menu-item.bmp", strip});
  std::ostringstream ini;
  ini << "[MenuItem]\r\nImage=menu-item.bmp\r\nTrans=1\r\nTile=0\r\n";
  for (const char* band : {"LeftWidth", "RightWidth", "TopHeight", "BottomHeight"})
    ini << band << "=" << kMenuItemBand << "\r\n";
  s.ExtraIni += ini.str();
  if (bar) {
    Bitmap picture(20, 2 * 10);
    picture.FillRect(RectOf(0, 0, 20, 10), kMenuBarFrame[0]);
    picture.FillRect(RectOf(0, 10, 20, 10), kMenuBarFrame[1]);
    s.ExtraFiles.push_back({"menu-bar.bmp", picture});
    std::ostringstream p;
    p << "menuBar=menu-bar.bmp\r\nTileLeftMenu=" << kMenuBarLeft
      << "\r\nTileRightMenu=" << kMenuBarRight << "\r\n";
    s.PersonalityIni += p.str();
  }
  return s;
}

int MenuItemFrameOf(TColor c) {
  for (int f = 0; f < 5; ++f)
    if (kMenuItemFrame[f] == c) return f + 1;
  return 0;
}

// --- System dialogs ------------------------------------------------------------------

std::vector<TDialogCommand> DialogCommands;

namespace {

INT_PTR CALLBACK NotingDialogProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_COMMAND) {
    DialogCommands.push_back({wParam, lParam});
    return TRUE;
  }
  return FALSE;
}

void PutWord(std::vector<WORD>& t, WORD w) {
  t.push_back(w);
}
void PutDword(std::vector<WORD>& t, DWORD d) {
  t.push_back(LOWORD(d));
  t.push_back(HIWORD(d));
}
void PutText(std::vector<WORD>& t, const wchar_t* s) {
  for (; *s; ++s)
    t.push_back(static_cast<WORD>(*s));
  t.push_back(0);
}

} // namespace

HWND MakeDialog(const std::vector<TDialogItem>& items, DWORD style, HWND parent) {
  std::vector<WORD> t;
  PutDword(t, style | DS_SETFONT);
  PutDword(t, 0);
  PutWord(t, static_cast<WORD>(items.size()));
  for (short v : {10, 10, 200, 120})
    PutWord(t, static_cast<WORD>(v));
  PutWord(t, 0); // no menu
  PutWord(t, 0); // the dialog class
  PutText(t, L"Dialog");
  PutWord(t, 8);
  PutText(t, L"MS Shell Dlg");
  for (const TDialogItem& item : items) {
    if (t.size() % 2) t.push_back(0); // items start on a DWORD
    PutDword(t, item.Style | WS_CHILD | WS_VISIBLE);
    PutDword(t, 0);
    for (short v : {item.X, item.Y, item.Width, item.Height})
      PutWord(t, static_cast<WORD>(v));
    PutWord(t, item.Id);
    PutText(t, item.Class);
    PutText(t, item.Text);
    PutWord(t, 0); // no creation data
  }
  TSkinManage* m = SkinManagerObject();
  if (m) m->SetEnabled(false);
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                           reinterpret_cast<const DLGTEMPLATE*>(t.data()), parent,
                                           NotingDialogProc, 0);
  if (dialog) ShowWindow(dialog, SW_SHOW);
  Pump();
  return dialog;
}

TWinSkinForm* SkinDialog(HWND dialog) {
  TSkinManage* m = SkinManagerObject();
  if (!m) return nullptr;
  m->SetEnabled(true);
  if (!m->FindFormEngine(dialog) && !m->SkinWindow(dialog)) return nullptr;
  TWinSkinForm* e = m->FindFormEngine(dialog);
  return PumpUntil([e] { return e->EngineState == 1; }) ? e : nullptr;
}

} // namespace enginetest
