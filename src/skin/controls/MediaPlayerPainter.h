#pragma once
// The media player's button row drawn from the skin: an overlay panel
// covers the player exactly, draws its nine buttons with the "Buttons"
// frames and hands presses on to the player.

#include "skin/controls/SkinControl.h"

#include <array>

class TSkinMP;

class TWMediaPlayer : public TCustomPanel {
  FW_DECLARE_CLASS(TWMediaPlayer)
public:
  explicit TWMediaPlayer(TComponent* owner);
  struct TButton {
    bool Visible = false, Enabled = false, Coloured = false;
    Bitmap EnabledPicture, DisabledPicture, ColouredPicture;
  };
  std::array<TButton, 9> Buttons;
  int ButtonWidth = 0;
  bool MouseIsDown = false;
  int PressedButton = 9; // 9: none
  int HotButton = 9;
  TWinControl* Player = nullptr;
  TSkinMP* Painter = nullptr;
  TSkinData* SkinData = nullptr;

  void Bind(TWinControl* player, TSkinMP* painter, TSkinData* skin);
  void FollowPlayer();
  // The visible button under a client point, or 9.
  int ButtonAt(int x) const;
  void ReadButtonSets();
  void WndProc(TMessage& msg) override;

protected:
  void Paint() override;

private:
  void PassToPlayer(const TMessage& msg);
};

class TSkinMP : public TSkinControl {
  FW_DECLARE_CLASS(TSkinMP)
public:
  using TSkinControl::TSkinControl;
  TWMediaPlayer* Overlay = nullptr; // owned (through the form engine)
  void Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) override;
  void AfterMessage(TMessage& msg) override;
  void Detach() override;
  void Notification(TComponent* component, TOperation operation) override;
  ~TSkinMP() override;
};
