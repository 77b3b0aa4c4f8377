#include "support/MessageSequence.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

namespace msgseq {

namespace {

#define N(m)                                                                                       \
  { m, #m }
const std::map<UINT, const char*>& NameTable() {
  static const std::map<UINT, const char*> names = {
      N(WM_NULL),
      N(WM_CREATE),
      N(WM_DESTROY),
      N(WM_MOVE),
      N(WM_SIZE),
      N(WM_ACTIVATE),
      N(WM_SETFOCUS),
      N(WM_KILLFOCUS),
      N(WM_ENABLE),
      N(WM_SETREDRAW),
      N(WM_SETTEXT),
      N(WM_GETTEXT),
      N(WM_GETTEXTLENGTH),
      N(WM_PAINT),
      N(WM_CLOSE),
      N(WM_QUERYENDSESSION),
      N(WM_QUIT),
      N(WM_QUERYOPEN),
      N(WM_ERASEBKGND),
      N(WM_SYSCOLORCHANGE),
      N(WM_ENDSESSION),
      N(WM_SHOWWINDOW),
      N(WM_SETTINGCHANGE),
      N(WM_DEVMODECHANGE),
      N(WM_ACTIVATEAPP),
      N(WM_FONTCHANGE),
      N(WM_TIMECHANGE),
      N(WM_CANCELMODE),
      N(WM_SETCURSOR),
      N(WM_MOUSEACTIVATE),
      N(WM_CHILDACTIVATE),
      N(WM_QUEUESYNC),
      N(WM_GETMINMAXINFO),
      N(WM_PAINTICON),
      N(WM_ICONERASEBKGND),
      N(WM_NEXTDLGCTL),
      N(WM_SPOOLERSTATUS),
      N(WM_DRAWITEM),
      N(WM_MEASUREITEM),
      N(WM_DELETEITEM),
      N(WM_VKEYTOITEM),
      N(WM_CHARTOITEM),
      N(WM_SETFONT),
      N(WM_GETFONT),
      N(WM_SETHOTKEY),
      N(WM_GETHOTKEY),
      N(WM_QUERYDRAGICON),
      N(WM_COMPAREITEM),
      N(WM_GETOBJECT),
      N(WM_COMPACTING),
      N(WM_WINDOWPOSCHANGING),
      N(WM_WINDOWPOSCHANGED),
      N(WM_POWER),
      N(WM_COPYDATA),
      N(WM_CANCELJOURNAL),
      N(WM_NOTIFY),
      N(WM_INPUTLANGCHANGEREQUEST),
      N(WM_INPUTLANGCHANGE),
      N(WM_TCARD),
      N(WM_HELP),
      N(WM_USERCHANGED),
      N(WM_NOTIFYFORMAT),
      N(WM_CONTEXTMENU),
      N(WM_STYLECHANGING),
      N(WM_STYLECHANGED),
      N(WM_DISPLAYCHANGE),
      N(WM_GETICON),
      N(WM_SETICON),
      N(WM_NCCREATE),
      N(WM_NCDESTROY),
      N(WM_NCCALCSIZE),
      N(WM_NCHITTEST),
      N(WM_NCPAINT),
      N(WM_NCACTIVATE),
      N(WM_GETDLGCODE),
      N(WM_SYNCPAINT),
      N(WM_NCMOUSEMOVE),
      N(WM_NCLBUTTONDOWN),
      N(WM_NCLBUTTONUP),
      N(WM_NCLBUTTONDBLCLK),
      N(WM_NCRBUTTONDOWN),
      N(WM_NCRBUTTONUP),
      N(WM_NCRBUTTONDBLCLK),
      N(WM_NCMBUTTONDOWN),
      N(WM_NCMBUTTONUP),
      N(WM_NCMBUTTONDBLCLK),
      N(WM_NCMOUSEHOVER),
      N(WM_NCMOUSELEAVE),
      N(WM_KEYDOWN),
      N(WM_KEYUP),
      N(WM_CHAR),
      N(WM_DEADCHAR),
      N(WM_SYSKEYDOWN),
      N(WM_SYSKEYUP),
      N(WM_SYSCHAR),
      N(WM_SYSDEADCHAR),
      N(WM_UNICHAR),
      N(WM_IME_STARTCOMPOSITION),
      N(WM_IME_ENDCOMPOSITION),
      N(WM_IME_COMPOSITION),
      N(WM_INITDIALOG),
      N(WM_COMMAND),
      N(WM_SYSCOMMAND),
      N(WM_TIMER),
      N(WM_HSCROLL),
      N(WM_VSCROLL),
      N(WM_INITMENU),
      N(WM_INITMENUPOPUP),
      N(WM_MENUSELECT),
      N(WM_MENUCHAR),
      N(WM_ENTERIDLE),
      N(WM_MENURBUTTONUP),
      N(WM_MENUDRAG),
      N(WM_MENUGETOBJECT),
      N(WM_UNINITMENUPOPUP),
      N(WM_MENUCOMMAND),
      N(WM_CHANGEUISTATE),
      N(WM_UPDATEUISTATE),
      N(WM_QUERYUISTATE),
      N(WM_CTLCOLORMSGBOX),
      N(WM_CTLCOLOREDIT),
      N(WM_CTLCOLORLISTBOX),
      N(WM_CTLCOLORBTN),
      N(WM_CTLCOLORDLG),
      N(WM_CTLCOLORSCROLLBAR),
      N(WM_CTLCOLORSTATIC),
      N(WM_MOUSEMOVE),
      N(WM_LBUTTONDOWN),
      N(WM_LBUTTONUP),
      N(WM_LBUTTONDBLCLK),
      N(WM_RBUTTONDOWN),
      N(WM_RBUTTONUP),
      N(WM_RBUTTONDBLCLK),
      N(WM_MBUTTONDOWN),
      N(WM_MBUTTONUP),
      N(WM_MBUTTONDBLCLK),
      N(WM_MOUSEWHEEL),
      N(WM_MOUSEHWHEEL),
      N(WM_PARENTNOTIFY),
      N(WM_ENTERMENULOOP),
      N(WM_EXITMENULOOP),
      N(WM_NEXTMENU),
      N(WM_SIZING),
      N(WM_CAPTURECHANGED),
      N(WM_MOVING),
      N(WM_POWERBROADCAST),
      N(WM_DEVICECHANGE),
      N(WM_MDICREATE),
      N(WM_MDIDESTROY),
      N(WM_MDIACTIVATE),
      N(WM_MDIRESTORE),
      N(WM_MDINEXT),
      N(WM_MDIMAXIMIZE),
      N(WM_MDITILE),
      N(WM_MDICASCADE),
      N(WM_MDIICONARRANGE),
      N(WM_MDIGETACTIVE),
      N(WM_MDISETMENU),
      N(WM_ENTERSIZEMOVE),
      N(WM_EXITSIZEMOVE),
      N(WM_DROPFILES),
      N(WM_MDIREFRESHMENU),
      N(WM_IME_SETCONTEXT),
      N(WM_IME_NOTIFY),
      N(WM_IME_CONTROL),
      N(WM_IME_COMPOSITIONFULL),
      N(WM_IME_SELECT),
      N(WM_IME_CHAR),
      N(WM_IME_REQUEST),
      N(WM_IME_KEYDOWN),
      N(WM_IME_KEYUP),
      N(WM_MOUSEHOVER),
      N(WM_MOUSELEAVE),
      N(WM_CUT),
      N(WM_COPY),
      N(WM_PASTE),
      N(WM_CLEAR),
      N(WM_UNDO),
      N(WM_RENDERFORMAT),
      N(WM_RENDERALLFORMATS),
      N(WM_DESTROYCLIPBOARD),
      N(WM_DRAWCLIPBOARD),
      N(WM_PAINTCLIPBOARD),
      N(WM_VSCROLLCLIPBOARD),
      N(WM_SIZECLIPBOARD),
      N(WM_ASKCBFORMATNAME),
      N(WM_CHANGECBCHAIN),
      N(WM_HSCROLLCLIPBOARD),
      N(WM_QUERYNEWPALETTE),
      N(WM_PALETTEISCHANGING),
      N(WM_PALETTECHANGED),
      N(WM_HOTKEY),
      N(WM_PRINT),
      N(WM_PRINTCLIENT),
      N(WM_APPCOMMAND),
      N(WM_THEMECHANGED),
      N(WM_USER),
      N(WM_APP),
      {0x0090, "WM_UAHDESTROYWINDOW"},
      {0x0093, "WM_UAHDRAWMENU"},
      {0x0094, "WM_UAHDRAWMENUITEM"},
      {0x0095, "WM_UAHINITMENU"},
      {0x00AE, "WM_NCUAHDRAWCAPTION"},
      {0x00AF, "WM_NCUAHDRAWFRAME"},
      {0x0118, "WM_SYSTIMER"},
      {0x031F, "WM_DWMNCRENDERINGCHANGED"},
      {0x0313, "WM_POPUPSYSTEMMENU"},
      {0x01E1, "MN_GETHMENU"},
      {0x01E2, "MN_SIZEWINDOW"},
      // The framework's own notifications.
      {0xB000, "CM_ACTIVATE"},
      {0xB001, "CM_DEACTIVATE"},
      {0xB002, "CM_GOTFOCUS"},
      {0xB003, "CM_LOSTFOCUS"},
      {0xB004, "CM_CANCELMODE"},
      {0xB005, "CM_DIALOGKEY"},
      {0xB006, "CM_DIALOGCHAR"},
      {0xB007, "CM_FOCUSCHANGED"},
      {0xB008, "CM_PARENTFONTCHANGED"},
      {0xB009, "CM_PARENTCOLORCHANGED"},
      {0xB00A, "CM_HITTEST"},
      {0xB00B, "CM_VISIBLECHANGED"},
      {0xB00C, "CM_ENABLEDCHANGED"},
      {0xB00D, "CM_COLORCHANGED"},
      {0xB00E, "CM_FONTCHANGED"},
      {0xB00F, "CM_CURSORCHANGED"},
      {0xB012, "CM_TEXTCHANGED"},
      {0xB013, "CM_MOUSEENTER"},
      {0xB014, "CM_MOUSELEAVE"},
      {0xB015, "CM_MENUCHANGED"},
      {0xB019, "CM_SHOWINGCHANGED"},
      {0xB01A, "CM_ENTER"},
      {0xB01B, "CM_EXIT"},
      {0xB021, "CM_RELEASE"},
      {0xB028, "CM_TABSTOPCHANGED"},
      {0xB02C, "CM_CONTROLLISTCHANGE"},
      {0xB033, "CM_RECREATEWND"},
      {0xB034, "CM_INVALIDATE"},
      // The skin engine's messages (above the reflected range where they meet it).
      {0x3401, "SKN_SKINCHANGED"},
      {0x3502, "SKN_REPAINTFRAME"},
      {0x3503, "SKN_INITFORM"},
      {0x3506, "SKN_ENABLE"},
      {0x3507, "SKN_CLOSETAB"},
      {0x3514, "SKN_CUSTOMBUTTON"},
      {0x3515, "SKN_QUERYBUTTON"},
      {0x3516, "SKN_MDIREDRAW"},
      {0x3517, "SKN_RESKINSCROLL"},
      {0x3518, "SKN_MENUCLICK"},
      {0x3523, "SKN_QUERY"},
      {0xBC4A, "SKN_EXTPAINTCLIENT"},
      {0xBC4B, "SKN_EXTPAINT"},
      {0xBC4D, "SKN_EXTQUERY"},
      {0xBC4E, "SKN_SKINNED"},
      {kMarker, "marker"},
  };
  return names;
}
#undef N

std::string Hex(UINT v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%04X", v);
  return buf;
}

// The message most recently taken from the queue for dispatch: the next
// time a recorder sees exactly it, it was posted.
struct TPending {
  bool Set = false;
  HWND Wnd = nullptr;
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
};
thread_local TPending tPending;
thread_local HHOOK tGetMessageHook = nullptr;
thread_local int tRecorders = 0;
thread_local int tDefProcDepth = 0;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const MSG* m = reinterpret_cast<const MSG*>(lParam);
    tPending = {true, m->hwnd, m->message, m->wParam, m->lParam};
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TakePosted(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const TPending& p = tPending;
  if (!p.Set || p.Wnd != wnd || p.Msg != msg || p.WParam != wParam || p.LParam != lParam)
    return false;
  tPending.Set = false;
  return true;
}

const wchar_t kProp[] = L"msgseq.TRecorder";

} // namespace

std::string MessageName(UINT msg) {
  const auto& names = NameTable();
  if (auto it = names.find(msg); it != names.end()) return it->second;
  if (msg >= 0xBC00 && msg < 0xBC00 + 0x400)
    if (auto it = names.find(msg - 0xBC00); it != names.end())
      return std::string("CN_") +
             (std::string(it->second).rfind("WM_", 0) == 0 ? it->second + 3 : it->second);
  if (msg > WM_APP && msg < kMarker) return "WM_APP+" + std::to_string(msg - WM_APP);
  if (msg > WM_USER && msg < WM_APP) return "WM_USER+" + std::to_string(msg - WM_USER);
  return Hex(msg);
}

std::string Describe(const TMsg& m) {
  std::string s = MessageName(m.Message);
  if (m.Flags & sent) s += " sent";
  if (m.Flags & posted) s += " posted";
  if (m.Flags & parent) s += " parent";
  if (m.Flags & defwinproc) s += " defwinproc";
  if (m.Flags & hook) s += " hook";
  if (m.Flags & optional) s += " optional";
  char buf[64];
  if (m.Flags & wparam) {
    std::snprintf(buf, sizeof buf, " w=%llx", static_cast<unsigned long long>(m.WParam));
    s += buf;
  }
  if (m.Flags & lparam) {
    std::snprintf(buf, sizeof buf, " l=%llx", static_cast<unsigned long long>(m.LParam));
    s += buf;
  }
  return s;
}

std::string Describe(const std::vector<TMsg>& list) {
  std::ostringstream out;
  for (std::size_t i = 0; i < list.size(); ++i)
    out << "  " << i << ": " << Describe(list[i]) << "\n";
  return out.str();
}

const std::set<UINT>& DefaultIgnored() {
  static const std::set<UINT> ignored = {
      WM_GETICON,       WM_GETOBJECT,      WM_TIMECHANGE,
      WM_DEVICECHANGE,  WM_IME_SETCONTEXT, WM_IME_NOTIFY,
      WM_IME_SELECT,    WM_IME_REQUEST,    0x0118 /* system timer */,
      0x031F /* DWM */, WM_SETTINGCHANGE,  WM_THEMECHANGED,
      WM_DISPLAYCHANGE,
  };
  return ignored;
}

struct TRecorder::TWatched {
  TRecorder* Owner;
  HWND Wnd;
  WNDPROC Old;
  unsigned Flags;
};

TRecorder::TRecorder() {
  if (tRecorders++ == 0)
    tGetMessageHook =
        SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
}

TRecorder::~TRecorder() {
  while (!FWatched.empty())
    Unwatch(FWatched.back()->Wnd);
  if (--tRecorders == 0 && tGetMessageHook) {
    UnhookWindowsHookEx(tGetMessageHook);
    tGetMessageHook = nullptr;
    tPending.Set = false;
  }
}

void TRecorder::Watch(HWND wnd, unsigned extraFlags) {
  if (!IsWindow(wnd) || GetPropW(wnd, kProp)) return;
  auto* w = new TWatched{this, wnd, nullptr, extraFlags};
  SetPropW(wnd, kProp, w);
  w->Old = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  FWatched.push_back(w);
}

void TRecorder::Unwatch(HWND wnd) {
  auto it = std::find_if(FWatched.begin(), FWatched.end(),
                         [wnd](const TWatched* w) { return w->Wnd == wnd; });
  if (it == FWatched.end()) return;
  TWatched* w = *it;
  FWatched.erase(it);
  if (IsWindow(wnd) &&
      GetWindowLongPtrW(wnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&SubclassProc)) {
    // Someone subclassed after us: our procedure stays in their chain and
    // only passes messages on, until the window goes.
    w->Owner = nullptr;
    return;
  }
  if (IsWindow(wnd)) {
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(w->Old));
    RemovePropW(wnd, kProp);
  }
  delete w;
}

void TRecorder::Record(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, unsigned extraFlags) {
  const bool wasPosted = TakePosted(wnd, msg, wParam, lParam);
  if (Ignored.count(msg)) return;
  unsigned flags = extraFlags | (wasPosted ? posted : sent);
  if (tDefProcDepth > 0 || (InDefaultProc && InDefaultProc())) flags |= defwinproc;
  FMessages.push_back({msg, flags, wParam, lParam});
}

void TRecorder::Mark() {
  FMessages.push_back({kMarker, 0, 0, 0});
}

std::vector<TMsg> TRecorder::Only(UINT first, UINT last) const {
  std::vector<TMsg> out;
  for (const TMsg& m : FMessages)
    if ((m.Message >= first && m.Message <= last) || m.Message == kMarker) out.push_back(m);
  return out;
}

LRESULT CALLBACK TRecorder::SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* w = static_cast<TWatched*>(GetPropW(wnd, kProp));
  if (!w) return DefWindowProcW(wnd, msg, wParam, lParam);
  if (w->Owner) w->Owner->Record(wnd, msg, wParam, lParam, w->Flags);
  if (msg != WM_NCDESTROY) return CallWindowProcW(w->Old, wnd, msg, wParam, lParam);
  const LRESULT r = CallWindowProcW(w->Old, wnd, msg, wParam, lParam);
  if (TRecorder* owner = w->Owner)
    owner->FWatched.erase(std::find(owner->FWatched.begin(), owner->FWatched.end(), w));
  RemovePropW(wnd, kProp);
  delete w;
  return r;
}

namespace {

bool Same(const TMsg& e, const TMsg& a) {
  if (e.Message != a.Message) return false;
  if (e.Message == kMarker) return true;
  const unsigned kinds = sent | posted;
  if ((e.Flags & kinds) && (e.Flags & kinds) != (a.Flags & kinds)) return false;
  const unsigned must = parent | defwinproc | hook;
  if ((e.Flags & must) != (a.Flags & must)) return false;
  if ((e.Flags & wparam) && e.WParam != a.WParam) return false;
  if ((e.Flags & lparam) && e.LParam != a.LParam) return false;
  return true;
}

} // namespace

::testing::AssertionResult Matches(const std::vector<TMsg>& actual,
                                   const std::vector<TMsg>& expected) {
  std::size_t e = 0, a = 0;
  std::string problem;
  while (e < expected.size() && problem.empty()) {
    if (a < actual.size() && Same(expected[e], actual[a])) {
      ++e;
      ++a;
    } else if (expected[e].Flags & optional) {
      ++e;
    } else {
      problem = "expected " + Describe(expected[e]) + " at " + std::to_string(a) + ", got " +
                (a < actual.size() ? Describe(actual[a]) : std::string("nothing"));
    }
  }
  if (problem.empty() && a < actual.size())
    problem = "unexpected " + Describe(actual[a]) + " at " + std::to_string(a);
  if (problem.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << problem << "\nexpected:\n"
                                       << Describe(expected) << "recorded:\n"
                                       << Describe(actual);
}

LRESULT DefProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++tDefProcDepth;
  LRESULT r = DefWindowProcW(wnd, msg, wParam, lParam);
  --tDefProcDepth;
  return r;
}

int DefProcDepth() {
  return tDefProcDepth;
}

} // namespace msgseq
