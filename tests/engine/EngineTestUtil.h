#pragma once
// Test skins made in code, forms skinned with them through the real skin
// manager, and reading what ended up on the screen.
//
// The test skin's pieces are solid colours, a different one per frame, so
// every choice of frame shows in one pixel.

#include "fw/Forms.h"
#include "skin/controls/SkinManager.h"
#include "skin/form/WinSkinForm.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace enginetest {

// Frame colours of the test skin: index 0 is frame 1.
struct TPieceSpec {
  int Size = 4;              // width (sides) or height (top, bottom)
  TColor Colors[2] = {0, 0}; // active, inactive
  bool Trans = false;        // "...Trans=1"
  int MagentaCorner = 0;     // side pieces: this many magenta pixels in the top-left
  int MagentaBottomLeft = 0; // bottom piece: magenta pixels at its left end
};

struct TButtonSpec {
  std::string Section;
  int Action = 0, Align = 1, X = 20, Y = 5, Visibility = 0, Visibility1 = 0;
  int Frames = 4, Width = 16, Height = 14;
  std::vector<TColor> Colors; // one per frame
  bool NoImage = false;
};

struct TSkinSpec {
  TPieceSpec Left{4, {MakeColor(200, 0, 0), MakeColor(100, 0, 0)}};
  TPieceSpec Right{4, {MakeColor(0, 200, 0), MakeColor(0, 100, 0)}};
  TPieceSpec Top{25, {MakeColor(0, 0, 200), MakeColor(0, 0, 100)}};
  TPieceSpec Bottom{4, {MakeColor(200, 200, 0), MakeColor(100, 100, 0)}};
  TColor Face = MakeColor(210, 211, 212);
  TColor TitleActive = MakeColor(255, 255, 255);
  TColor TitleInactive = MakeColor(1, 2, 3);
  TColor MenuBackground = MakeColor(50, 60, 70);
  std::vector<TButtonSpec> Buttons;
  std::string ExtraIni; // appended to the definition as it is
  // Put first in [Personality]: its keys win over those the builder writes
  // (the first occurrence of a key counts), e.g. "LeftFrame=3\r\n".
  std::string PersonalityIni;
  // More pictures for the archive, named as the ini text refers to them.
  std::vector<std::pair<std::string, Bitmap>> ExtraFiles;
};

// Close (action 0, x 22), maximize (1, x 40, shown when not maximized),
// restore (1, x 40, shown maximized), minimize (2, x 58) and the
// system-menu button (3, no picture).
TSkinSpec StandardSpec();
std::vector<std::uint8_t> BuildArchive(const TSkinSpec& spec);
// The four frame colours of a button: normal, pressed, hot, inactive.
std::vector<TColor> ButtonColors(int seed);

// A form with a skin data component of its own, loaded with a test skin,
// shown but not skinned yet (the manager is switched off while it shows);
// the form goes when the object does (its engine with it).
class TSkinnedForm {
public:
  explicit TSkinnedForm(const TSkinSpec& spec = StandardSpec(), int clientWidth = 300,
                        int clientHeight = 200, TFormBorderStyle border = bsSizeable);
  ~TSkinnedForm();
  TSkinnedForm(const TSkinnedForm&) = delete;
  TSkinnedForm& operator=(const TSkinnedForm&) = delete;

  TForm* Form = nullptr;
  TSkinData* Data = nullptr;
  HWND Wnd() const { return Form->Handle(); }
  // Skins the form now, as the apply command would, and handles the
  // engine's start-up messages; false when no engine came.
  bool Skin();
  // The remove command, carried out now.
  void Unskin();
  TWinSkinForm* Engine() const;
};

// Handles the messages waiting now.
void Pump();
// Pumps until cond holds or about two seconds passed.
template <class F> bool PumpUntil(F cond) {
  for (int i = 0; i < 200; ++i) {
    Pump();
    if (cond()) return true;
    Sleep(10);
  }
  return cond();
}

// A pixel of a window in window coordinates, as the window DC holds it.
TColor WindowPixel(HWND wnd, int x, int y);

// What a window gives back on unskinning: procedure, styles, rectangles,
// region, menu, properties.
struct TWindowSnapshot {
  LONG_PTR Proc = 0;
  LONG_PTR Style = 0, ExStyle = 0;
  RECT Window{}, Client{};
  int RegionType = 0;
  HMENU Menu = nullptr;
  std::vector<std::wstring> Props;
  bool operator==(const TWindowSnapshot&) const;
};
TWindowSnapshot Snapshot(HWND wnd);
std::string Describe(const TWindowSnapshot& s);

// Registers (once) a window class of this module whose procedure is
// DefWindowProcW, for bare windows the manager may skin.
const wchar_t* PlainClass();

// --- Push buttons ------------------------------------------------------------------

// The five "Buttons" frames of ButtonsSpec, solid and distinct: normal,
// pressed, disabled, hot, focused or default. Each frame has a magenta
// 2 x 2 top-left corner and the element is transparent, so a button's
// pixel (0, 0) shows what lies beneath it.
extern const TColor kButtonFrame[5];
constexpr int kButtonFrameSize = 12, kButtonBand = 3;
// StandardSpec with that "Buttons" element.
TSkinSpec ButtonsSpec();
// The frame (1 to 5) whose colour c is, or 0.
int ButtonFrameOf(TColor c);

// What a painter draws through PaintWindow into a bitmap of the painted
// window's size, first filled with background.
Bitmap PaintedBy(TSkinControl& painter, TColor background = MakeColor(1, 2, 3));

// The painter of a control (framework or windowless) in the engine's
// list, or null.
TSkinControl* PainterOf(const TWinSkinForm* engine, const TControl* c);
// Its class name, or "none".
std::string PainterClassOf(const TWinSkinForm* engine, const TControl* c);

// --- Menus -------------------------------------------------------------------------

// The five "MenuItem" frames of MenusSpec, solid and distinct (frame 1
// normal, frame 2 the separator, frame 4 selected). Every frame has a
// magenta 2 x 2 top-left corner and the element is transparent, so an
// item's pixel (0, 0) shows the popup's background. Frame 2 is the
// separator colour only in its bottom kSeparatorRows rows; above them it
// is kSeparatorTop.
extern const TColor kMenuItemFrame[5];
extern const TColor kSeparatorTop;
constexpr int kMenuItemFrameWidth = 24, kMenuItemFrameHeight = 20, kMenuItemBand = 3;
constexpr int kSeparatorRows = 8;
// The menu bar picture: active over inactive, solid; its margins.
extern const TColor kMenuBarFrame[2];
constexpr int kMenuBarLeft = 5, kMenuBarRight = 7;
// StandardSpec with that "MenuItem" element and, when bar is set, that
// menu bar picture.
TSkinSpec MenusSpec(bool bar = true);
// The frame (1 to 5) whose colour c is, or 0.
int MenuItemFrameOf(TColor c);

// --- System dialogs ------------------------------------------------------------------

// One control of a dialog template, in dialog units.
struct TDialogItem {
  const wchar_t* Class;
  DWORD Style; // WS_CHILD | WS_VISIBLE are added
  WORD Id;
  const wchar_t* Text = L"";
  short X = 4, Y = 4, Width = 50, Height = 14;
};

// A modeless dialog of the system's dialog class "#32770", made from a
// template in memory, shown but not skinned (the manager is off while it
// shows). Its procedure notes the WM_COMMANDs it gets in DialogCommands.
HWND MakeDialog(const std::vector<TDialogItem>& items,
                DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                HWND parent = nullptr);
struct TDialogCommand {
  WPARAM WParam;
  LPARAM LParam;
};
extern std::vector<TDialogCommand> DialogCommands;
// Skins the dialog now through the manager; its engine, or null.
TWinSkinForm* SkinDialog(HWND dialog);

} // namespace enginetest
