#include "fw/Timer.h"

#include "fw/Controls.h"
#include "fw/TypInfo.h"

namespace {

const wchar_t kTimerClass[] = L"TTimerWindow";

} // namespace

static void SetupTimer(TClassInfo& c) {
  c.Props.push_back(BoolProp<TTimer>(
      "Enabled", [](TTimer* o) { return o->Enabled(); },
      [](TTimer* o, bool v) { o->SetEnabled(v); }, true));
  c.Props.push_back(IntProp<TTimer>(
      "Interval", [](TTimer* o) { return static_cast<std::int64_t>(o->Interval()); },
      [](TTimer* o, std::int64_t v) { o->SetInterval(v < 0 ? 0u : static_cast<unsigned>(v)); },
      1000));
  c.Props.push_back(EventProp("OnTimer", &TTimer::OnTimer));
}
FW_CLASS_IMPL(TTimer, TComponent, CreateComponentOf<TTimer>, SetupTimer)

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  if (FWindow) DestroyWindow(FWindow); // its timer goes with it
}

void TTimer::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned v) {
  if (v == FInterval) return;
  FInterval = v;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

// The system timer is killed and, when the timer should run, set again, so
// every change starts a full interval.
void TTimer::UpdateTimer() {
  if (FRunning) KillTimer(FWindow, 1);
  FRunning = false;
  if (!FEnabled || FInterval == 0 || HasState(csLoading) || HasState(csDestroying)) return;
  if (!FWindow) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = FrameworkInstance();
    wc.lpszClassName = kTimerClass;
    RegisterClassW(&wc); // fails harmlessly when the class exists
    FWindow = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              FrameworkInstance(), nullptr);
    if (!FWindow) return;
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  FRunning = SetTimer(FWindow, 1, FInterval, nullptr) != 0;
}

void TTimer::Tick() {
  if (!OnTimer) return;
  try {
    OnTimer(this);
  } catch (const std::exception& e) {
    HandleWndProcException(e);
  } catch (...) {
    HandleWndProcException(EFrameworkError("Unknown error"));
  }
}

LRESULT CALLBACK TTimer::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    if (auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
        timer && timer->FRunning)
      timer->Tick();
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}
