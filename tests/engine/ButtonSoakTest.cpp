// Many hover, press and release cycles over a skinned button leave no GDI
// object, window or menu behind. A thousand cycles show any leak of a
// cycle as surely as more; the bench runs the long soak over the main
// window's rename button.
#include "EngineTestUtil.h"
#include "fw/Button.h"
#include "support/ObjectCensus.h"

#include <gtest/gtest.h>

namespace enginetest {
namespace {

TEST(ButtonSoak, ManyCyclesLeaveNothingBehind) {
  TSkinnedForm f(ButtonsSpec()); // stays alive across both counts
  auto* b = new TButton(f.Form);
  b->SetBounds(20, 20, 100, 33);
  b->SetCaption(L"Soak||test");
  b->SetParent(f.Form);
  int clicks = 0;
  struct TClicks : TObject {
    int* Count;
    void Click(TObject*) { ++*Count; }
  } counter;
  counter.Count = &clicks;
  b->OnClick = TNotifyEvent(&counter, &TClicks::Click);
  ASSERT_TRUE(f.Skin());
  ASSERT_EQ(PainterClassOf(f.Engine(), b), "TSkinButton");
  HWND wnd = b->Handle();
  const LPARAM at = MAKELPARAM(50, 16);
  // Each message repaints the button at once (the painter refreshes it).
  auto cycles = [&](int n) {
    for (int i = 0; i < n; ++i) {
      SendMessageW(wnd, WM_MOUSEMOVE, 0, at);
      SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
      SendMessageW(wnd, WM_LBUTTONUP, 0, at);
      SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
      if (i % 64 == 0) Pump();
    }
    Pump();
  };
  cycles(50);
  const testutil::TObjectCensus before = testutil::TObjectCensus::Take();
  cycles(1000);
  const testutil::TObjectCensus after = testutil::TObjectCensus::Take();
  EXPECT_TRUE(after == before) << before.DifferenceTo(after);
  EXPECT_EQ(clicks, 1050);
  EXPECT_EQ(ButtonFrameOf(WindowPixel(wnd, 5, 5)), 5); // focused, at rest
}

} // namespace
} // namespace enginetest
