#pragma once
// A timer component: OnTimer runs every Interval milliseconds while the
// timer is enabled, from the thread's message loop.

#include "fw/Classes.h"

class TTimer : public TComponent {
  FW_DECLARE_CLASS(TTimer)
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  // Changing it while the timer runs starts the wait again.
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned v);
  TNotifyEvent OnTimer;
  // Whether a system timer is counting right now (enabled, with an
  // interval, not being read from a stored form).
  bool Running() const { return FRunning; }

  void Loaded() override;

private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void UpdateTimer();
  void Tick();
  bool FEnabled = true;
  unsigned FInterval = 1000;
  bool FRunning = false;
  HWND FWindow = nullptr;
};
