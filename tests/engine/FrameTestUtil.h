#pragma once
// Bare windows skinned through the manager for the title-bar, region and
// bad-skin tests, with a window procedure of their own that notes what the
// engine passes on and answers the engine's questions.

#include "EngineTestUtil.h"

#include <functional>
#include <memory>
#include <vector>

namespace enginetest {

struct TProbeMsg {
  UINT Message = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
};

// A bare top-level window whose own procedure notes the non-client mouse
// messages, WM_SYSCOMMAND, WM_WINDOWPOSCHANGING and the engine's
// notifications that reach it. It
// swallows the non-client button messages and the system commands, so that
// nothing passed on starts a move loop or really closes the window.
class TProbeWindow {
public:
  TProbeWindow(DWORD style, DWORD exStyle = 0, int width = 400, int height = 240,
               HWND parent = nullptr);
  ~TProbeWindow();
  TProbeWindow(const TProbeWindow&) = delete;
  TProbeWindow& operator=(const TProbeWindow&) = delete;

  HWND Wnd = nullptr;
  std::vector<TProbeMsg> Seen;
  // The answer to SKN_QUERYBUTTON (wParam the visibility value, lParam the
  // button's action); 0 when unset.
  std::function<LRESULT(WPARAM, LPARAM)> QueryButton;
  // What reached the procedure of one kind.
  std::vector<TProbeMsg> Of(UINT message) const;

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// A probe window skinned by the skin of a framework form that is made for
// it (the manager's main skin data while this lives).
class TSkinnedProbe {
public:
  explicit TSkinnedProbe(const TSkinSpec& spec, DWORD style = WS_OVERLAPPEDWINDOW,
                         DWORD exStyle = 0, int width = 400, int height = 240);
  ~TSkinnedProbe();
  TSkinnedProbe(const TSkinnedProbe&) = delete;
  TSkinnedProbe& operator=(const TSkinnedProbe&) = delete;

  TSkinnedForm Anchor; // carries the skin data
  std::unique_ptr<TProbeWindow> Probe;
  TWinSkinForm* Engine = nullptr;
  HWND Wnd() const { return Probe->Wnd; }
  bool Skinned() const { return Engine && Engine->EngineState == 1; }
};

// A window-relative point of wnd in screen coordinates, as mouse messages
// carry it.
LPARAM ScreenLParam(HWND wnd, int x, int y);
POINT ScreenPoint(HWND wnd, int x, int y);
POINT Centre(const RECT& r);
// Paints the skinned frame now, on the window DC.
void RepaintFrame(HWND wnd);
RECT WindowBox(HWND wnd); // (0, 0, width, height)
// Whether the window's region holds the window-relative point; true for a
// window without a region.
bool RegionHolds(HWND wnd, int x, int y);
// The index of the title button made from the skin section (case as
// written), -1 when there is none.
int ButtonIndex(const TWinSkinForm& e, const std::string& section);
// A posted message waiting for wnd in the queue, taken out; false when
// none is there.
bool TakePosted(HWND wnd, UINT message, MSG& out);
// Drops every posted message of that kind waiting for wnd.
void DropPosted(HWND wnd, UINT message);

// While it lives, a timer closes any menu that opens (the system menu is
// tracked modally) and notes that one was open.
class TMenuCloser {
public:
  TMenuCloser();
  ~TMenuCloser();
  TMenuCloser(const TMenuCloser&) = delete;
  TMenuCloser& operator=(const TMenuCloser&) = delete;
  bool Seen() const { return FSeen; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static inline bool FSeen = false;
  UINT_PTR FTimer = 0;
};

} // namespace enginetest
