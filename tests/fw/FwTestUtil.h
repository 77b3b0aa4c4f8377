#pragma once
// Helpers of the framework tests: forms that clean up after themselves, a
// recorder that sits in front of a control's message hook, and the message
// pump.

#include "fw/FormStream.h"
#include "fw/Forms.h"

#include <memory>
#include <string>
#include <vector>

namespace fwtest {

// Handles the messages waiting now, through the application's loop.
void Pump();

// A form with no stored description at a fixed place on the screen; shown
// when asked. The pointer deletes it.
std::unique_ptr<TForm> MakeForm(int left, int top, int width, int height, bool show);

// The screen's forms, in order.
std::vector<TCustomForm*> ScreenForms();

// Sets the framework up again after a test shut it down, with the test
// run's own error handler.
void RestartFramework();

// Every top-level window this thread owns right now.
std::vector<HWND> ThreadWindows();

// A new item with this caption at the end of a menu or an item, owned by
// the owner of the menu or item.
TMenuItem* AddItem(TMenu& menu, const std::wstring& caption);
TMenuItem* AddItem(TMenuItem& parent, const std::wstring& caption);
// The text of a menu's entry by position, as the system has it.
std::wstring MenuText(HMENU menu, int position);

// Puts itself in front of a control's WindowProc, notes every message, and
// passes each on to the saved handler. Detach (or destruction) restores it.
class TMessageLog : public TObject {
public:
  ~TMessageLog() override { Detach(); }
  void Attach(TControl* control);
  void Detach();
  bool Attached() const { return FHook.Installed(); }
  bool Saw(UINT msg) const;
  int Count(UINT msg) const;
  // The messages seen in [first, last], in order.
  std::vector<UINT> Only(UINT first, UINT last) const;
  std::vector<UINT> Messages;

private:
  void Hook(TMessage& msg);
  TWndHook FHook;
};

// Records what the application's error handler receives.
class TErrorLog : public TObject {
public:
  TErrorLog();
  ~TErrorLog() override;
  std::vector<std::string> Messages;

private:
  void Handle(TObject* sender, const std::exception& e);
  TExceptionEvent FSaved;
};

} // namespace fwtest
