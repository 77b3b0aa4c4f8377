#pragma once
// Message-sequence tests: a recorder notes every message that a window
// procedure (or a framework hook) sees, with where it came from; a
// comparison checks the notes against an expected list and prints both with
// message names when they differ.
//
//   msgseq::TRecorder rec;
//   rec.Watch(wnd);                       // a subclass in front of wnd
//   rec.Watch(GetParent(wnd), msgseq::parent);
//   ... drive the window ...
//   rec.Mark();                           // separates two phases
//   EXPECT_TRUE(msgseq::Matches(rec.Messages(), {
//       {WM_WINDOWPOSCHANGING, msgseq::sent},
//       {WM_NCCALCSIZE, msgseq::sent | msgseq::wparam, TRUE},
//       {WM_NCPAINT, msgseq::sent | msgseq::optional},
//       {msgseq::kMarker},
//       ...}));

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace msgseq {

enum TFlag : unsigned {
  sent = 1,       // sent (or performed) to the window
  posted = 2,     // taken from the message queue
  parent = 4,     // seen by a window watched as the parent
  defwinproc = 8, // arrived while a default procedure was running
  wparam = 16,    // compare WParam
  lparam = 32,    // compare LParam
  optional = 64,  // may be missing
  hook = 128,     // seen by a framework message hook rather than a subclass
};

// Separates phases in a recorded list (see TRecorder::Mark).
constexpr UINT kMarker = WM_APP + 0x3F00;

struct TMsg {
  UINT Message = 0;
  unsigned Flags = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
};

// "WM_NCPAINT", "CM_MOUSEENTER", "CN_COMMAND", "SKN_INITFORM", or the
// number in hex for a message the table does not know.
std::string MessageName(UINT msg);
std::string Describe(const TMsg& m);
std::string Describe(const std::vector<TMsg>& list);

// What platforms send now and then, whatever a test does: left out of
// recordings unless a recorder is told otherwise.
const std::set<UINT>& DefaultIgnored();

class TRecorder {
public:
  TRecorder();
  ~TRecorder();
  TRecorder(const TRecorder&) = delete;
  TRecorder& operator=(const TRecorder&) = delete;

  // Subclasses wnd and notes what reaches it, with extraFlags added to each
  // note (parent for a parent window). The subclass is removed by Unwatch,
  // by the window's destruction or when the recorder goes.
  void Watch(HWND wnd, unsigned extraFlags = 0);
  void Unwatch(HWND wnd);
  // Notes a message seen elsewhere (a framework hook): sent or posted is
  // worked out as for a watched window.
  void Record(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, unsigned extraFlags);
  // Adds the phase marker.
  void Mark();
  void Clear() { FMessages.clear(); }
  const std::vector<TMsg>& Messages() const { return FMessages; }
  // Only the messages in [first, last] (and markers).
  std::vector<TMsg> Only(UINT first, UINT last) const;
  std::set<UINT> Ignored = DefaultIgnored();
  // Tells whether a default procedure is running now (the framework
  // adaptor sets it); messages noted then carry defwinproc.
  std::function<bool()> InDefaultProc;

private:
  struct TWatched;
  static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  std::vector<TWatched*> FWatched;
  std::vector<TMsg> FMessages;
};

// Compares a recording with the expected list. Optional entries may be
// missing; Message, the kind (sent or posted, when the expected entry names
// one), parent, defwinproc and hook must agree, and WParam and LParam when
// the expected entry asks for them.
::testing::AssertionResult Matches(const std::vector<TMsg>& actual,
                                   const std::vector<TMsg>& expected);

// A default window procedure that marks what it sends as defwinproc, for
// test windows that are not the framework's.
LRESULT DefProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
int DefProcDepth();

} // namespace msgseq
