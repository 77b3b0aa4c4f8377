#pragma once
// Subclassing a window with a method of an object: the window's procedure
// is replaced by a small code stub bound to this subclass, and every
// message goes to the handler, which passes on what it does not handle
// with CallOld.
//
// Removal gives the window its previous procedure back when ours is still
// the current one. When somebody subclassed the window after us, our stub
// stays in their chain as a plain pass-through until the window is
// destroyed, so neither they nor the procedure before us are cut off; when
// the one after us is a subclass of this kind, its removal takes the
// pass-through out too and the window gets its first procedure back.

#include "fw/Messages.h"
#include "fw/WndHook.h"

#include <windows.h>

#include <memory>

struct TWindowSubclassRecord;

class TWindowSubclass {
public:
  TWindowSubclass() = default;
  ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;
  TWindowSubclass(TWindowSubclass&& other) noexcept;
  TWindowSubclass& operator=(TWindowSubclass&& other) noexcept;

  // Replaces wnd's procedure (with the wide calls when unicode, the ANSI
  // ones otherwise). False when wnd is no window or this subclass is
  // installed already.
  bool Install(HWND wnd, TWndMethod handler, bool unicode);
  // Lets go of the window. CallOld still reaches the previous procedure
  // afterwards (a handler may remove its subclass while it runs and pass
  // the message on); a new Install starts afresh.
  void Remove();
  bool Installed() const;
  HWND Window() const;
  // The procedure that was in place before ours.
  WNDPROC OldProc() const;
  // The stub the window calls; its current procedure while nobody
  // subclassed after us.
  WNDPROC Proc() const;
  // Passes msg to the previous procedure; the result goes into msg.
  void CallOld(TMessage& msg) const;

private:
  static void Release(TWindowSubclassRecord& rec);
  void Drop();
  TWindowSubclassRecord* FRecord = nullptr;
};

// A window procedure that calls fn(context, msg, wParam, lParam): the window
// handle's place carries the context. Used for subclasses and hooks whose
// objects must be found without a search. Freed with FreeWindowStub.
using TWindowStubFunc = LRESULT(CALLBACK*)(void* context, UINT msg, WPARAM wParam, LPARAM lParam);
WNDPROC MakeWindowStub(TWindowStubFunc fn, void* context);
void FreeWindowStub(WNDPROC instance);
