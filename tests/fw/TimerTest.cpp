#include <gtest/gtest.h>

#include "FwTestUtil.h"
#include "fw/OsVersion.h"

namespace fwtest {
namespace {

class TTickCounter : public TObject {
public:
  void Tick(TObject* sender) {
    ++Ticks;
    if (DeleteOnTick) delete static_cast<TTimer*>(sender);
  }
  int Ticks = 0;
  bool DeleteOnTick = false;
};

// Pumps until the counter reaches n or about two seconds pass.
bool PumpUntilTicks(const TTickCounter& counter, int n) {
  for (int i = 0; i < 200 && counter.Ticks < n; ++i) {
    Sleep(10);
    Pump();
  }
  return counter.Ticks >= n;
}

TEST(Timer, TicksWhileEnabled) {
  TTickCounter counter;
  auto timer = std::make_unique<TTimer>(nullptr);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000u);
  timer->OnTimer = TNotifyEvent(&counter, &TTickCounter::Tick);
  timer->SetInterval(20);
  EXPECT_TRUE(PumpUntilTicks(counter, 2));

  timer->SetEnabled(false);
  EXPECT_FALSE(timer->Running());
  const int ticks = counter.Ticks;
  for (int i = 0; i < 10; ++i) {
    Sleep(10);
    Pump();
  }
  EXPECT_EQ(counter.Ticks, ticks);

  timer->SetEnabled(true);
  timer->SetInterval(0); // no interval: stopped
  EXPECT_FALSE(timer->Running());
}

TEST(Timer, IntervalChangeTakesEffectAtOnce) {
  TTickCounter counter;
  TTimer timer(nullptr);
  timer.OnTimer = TNotifyEvent(&counter, &TTickCounter::Tick);
  timer.SetInterval(600000); // would not tick during the test
  ASSERT_TRUE(timer.Running());
  timer.SetInterval(15); // restarted with the new interval
  EXPECT_TRUE(PumpUntilTicks(counter, 1));
}

TEST(Timer, ReadFromAStoredFormAndFreedInItsOwnTick) {
  auto form = std::make_unique<TForm>(nullptr);
  ReadComponentText(form.get(), "object F: TForm\n"
                                "  object Timer1: TTimer\n"
                                "    Enabled = False\n"
                                "    Interval = 250\n"
                                "  end\n"
                                "end\n");
  auto* timer = form->Find<TTimer>("Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 250u);
  EXPECT_FALSE(timer->Running());

  TTickCounter counter;
  counter.DeleteOnTick = true;
  timer->OnTimer = TNotifyEvent(&counter, &TTickCounter::Tick);
  timer->SetInterval(10);
  timer->SetEnabled(true);
  EXPECT_TRUE(PumpUntilTicks(counter, 1));
  EXPECT_EQ(form->Find<TTimer>("Timer1"), nullptr);
  for (int i = 0; i < 5; ++i) {
    Sleep(10);
    Pump();
  }
  EXPECT_EQ(counter.Ticks, 1);
}

TEST(OsVersionSeam, OverridesNestAndGiveBack) {
  const TOsVersion system = SystemOsVersion();
  EXPECT_EQ(OsVersion(), system);
  EXPECT_TRUE(system.NTFamily);
  EXPECT_GE(system.Major, 5);
  {
    TOsVersionOverride xp({true, 5, 1});
    EXPECT_EQ(OsVersion(), (TOsVersion{true, 5, 1}));
    {
      TOsVersionOverride ten({true, 10, 0});
      EXPECT_EQ(OsVersion().Major, 10);
    }
    EXPECT_EQ(OsVersion().Minor, 1);
  }
  EXPECT_EQ(OsVersion(), system);
}

} // namespace
} // namespace fwtest
