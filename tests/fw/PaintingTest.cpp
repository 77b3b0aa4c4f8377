#include <gtest/gtest.h>

#include "FwTestUtil.h"
#include "support/ObjectCensus.h"

namespace fwtest {
namespace {

// A control the framework draws itself, noting what it is given to draw on.
class TProbeControl : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  bool Fail = false;
  int Paints = 0;
  int OffscreenPaints = 0;

protected:
  void Paint() override {
    ++Paints;
    if (GetObjectType(Canvas().Handle()) == OBJ_MEMDC) ++OffscreenPaints;
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect({0, 0, 10, 10});
    if (Fail) throw std::runtime_error("paint failed");
  }
};

TEST(Painting, ComposedOffscreenWithoutASeparateErase) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* probe = new TProbeControl(form.get());
  probe->SetBounds(10, 10, 100, 50);
  probe->SetColor(MakeColor(0, 0, 255));
  probe->SetParent(form.get());
  RedrawWindow(probe->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_GE(probe->Paints, 1);
  EXPECT_EQ(probe->OffscreenPaints, probe->Paints); // never straight onto the window

  // Erasing alone draws nothing: the background comes with the picture.
  TMemoryDC dc(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 100, -50, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  TGdiBitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  TSelection sel(dc.Get(), dib.Get());
  auto pixel = [&](int x, int y) {
    GdiFlush();
    return PixelToColor(static_cast<std::uint32_t*>(bits)[y * 100 + x] & 0xFFFFFF);
  };
  EXPECT_NE(SendMessageW(probe->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0), 0);
  EXPECT_EQ(pixel(50, 30), MakeColor(0, 0, 0));
  // Printing and painting into a DC give the whole picture, background first.
  for (UINT msg : {UINT(WM_PRINTCLIENT), UINT(WM_PAINT)}) {
    RECT all{0, 0, 100, 50};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SendMessageW(probe->Handle(), msg, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    EXPECT_EQ(pixel(50, 30), MakeColor(0, 0, 255)) << msg;
    EXPECT_EQ(pixel(5, 5), ColorToRGB(clRed)) << msg;
  }
}

TEST(Painting, AFailedPaintGivesBackItsDC) {
  auto form = MakeForm(50, 50, 300, 200, true);
  auto* probe = new TProbeControl(form.get());
  probe->SetBounds(10, 10, 100, 50);
  probe->SetParent(form.get());
  probe->Fail = true;
  TErrorLog errors;
  auto paintOnce = [&] {
    InvalidateRect(probe->Handle(), nullptr, TRUE);
    UpdateWindow(probe->Handle());
  };
  paintOnce(); // warm-up: caches made on first use
  const auto before = testutil::TObjectCensus::Take();
  for (int i = 0; i < 20; ++i)
    paintOnce();
  const auto after = testutil::TObjectCensus::Take();
  EXPECT_EQ(before, after) << before.DifferenceTo(after);
  EXPECT_EQ(errors.Messages.size(), 21u);
  EXPECT_EQ(probe->Canvas().Handle(), nullptr); // the canvas holds no dead DC
  RECT update;
  EXPECT_FALSE(GetUpdateRect(probe->Handle(), &update, FALSE));
}

} // namespace
} // namespace fwtest
