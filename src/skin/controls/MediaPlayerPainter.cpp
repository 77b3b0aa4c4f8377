#include "skin/controls/MediaPlayerPainter.h"

#include "skin/data/ElementDraw.h"
#include "skin/form/WinSkinForm.h"

#include <windowsx.h>

FW_CLASS_IMPL(TWMediaPlayer, TCustomPanel, nullptr, NoSetup)
FW_CLASS_IMPL(TSkinMP, TSkinControl, nullptr, NoSetup)

namespace {

const char* const kButtonNames[9] = {"MPPLAY", "MPPAUSE", "MPSTOP",   "MPNEXT", "MPPREV",
                                     "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};
const char* const kSetNames[9] = {"btPlay", "btPause", "btStop",   "btNext", "btPrev",
                                  "btStep", "btBack",  "btRecord", "btEject"};

// A bitmap resource of the program, or an empty picture when it has none.
Bitmap ResourcePicture(const char* state, const char* button) {
  const std::wstring name = Widen(std::string(state) + "_" + button);
  TBitmap b;
  if (!b.LoadFromResourceName(FrameworkInstance(), name.c_str())) return {};
  return b.ToBitmap();
}

} // namespace

TWMediaPlayer::TWMediaPlayer(TComponent* owner) : TCustomPanel(owner) {
  SetBevelOuter(bvNone);
  for (int i = 0; i < 9; ++i) {
    Buttons[i].EnabledPicture = ResourcePicture("EN", kButtonNames[i]);
    Buttons[i].DisabledPicture = ResourcePicture("DI", kButtonNames[i]);
    Buttons[i].ColouredPicture = ResourcePicture("CL", kButtonNames[i]);
  }
}

void TWMediaPlayer::Bind(TWinControl* player, TSkinMP* painter, TSkinData* skin) {
  Player = player;
  Painter = painter;
  SkinData = skin;
  SetTag(skin->DisableTag()); // never skinned itself
  SetParent(player->Parent());
  FollowPlayer();
}

void TWMediaPlayer::FollowPlayer() {
  if (!Player) return;
  SetBounds(Player->Left(), Player->Top(), Player->Width(), Player->Height());
  SetVisible(Player->Visible());
  BringToFront();
}

// The player's sets are read as the stored text writes them.
void TWMediaPlayer::ReadButtonSets() {
  auto text = [this](const char* name) {
    const std::uint64_t bits = GetSetProp(Player, name);
    const TPropInfo* p = GetPropInfo(Player, name);
    std::string s;
    for (int i = 0; p && p->Enum && i < 9; ++i)
      if (bits >> i & 1) s += p->Enum->NameOf(i) + ",";
    return s;
  };
  const std::string visible = text("VisibleButtons"), enabled = text("EnabledButtons"),
                    coloured = text("ColoredButtons");
  for (int i = 0; i < 9; ++i) {
    const std::string key = std::string(kSetNames[i]) + ",";
    Buttons[i].Visible = visible.find(key) != std::string::npos;
    Buttons[i].Enabled = enabled.find(key) != std::string::npos;
    Buttons[i].Coloured = coloured.find(key) != std::string::npos;
  }
}

int TWMediaPlayer::ButtonAt(int x) const {
  if (ButtonWidth <= 0 || x < 0) return 9;
  int cell = 0;
  for (int i = 0; i < 9; ++i) {
    if (!Buttons[i].Visible) continue;
    if (x >= cell * ButtonWidth && x < (cell + 1) * ButtonWidth) return i;
    ++cell;
  }
  return 9;
}

void TWMediaPlayer::Paint() {
  if (!Player || !SkinData) return;
  ReadButtonSets();
  HDC dc = Canvas().Handle();
  const RECT all = ClientRect();
  TSkinControl::FillColor(dc, all, SkinData->Skin().Colors[scButtonFace]);
  int visible = 0;
  for (const auto& b : Buttons)
    visible += b.Visible;
  if (visible == 0) return;
  ButtonWidth = all.right / visible;
  const TDataSkinButton& e = SkinData->Skin().Buttons();
  int cell = 0;
  for (int i = 0; i < 9; ++i) {
    const TButton& b = Buttons[i];
    if (!b.Visible) continue;
    const RECT r{cell * ButtonWidth, 0, (cell + 1) * ButtonWidth, all.bottom};
    ++cell;
    const bool pressed = MouseIsDown && PressedButton == i;
    if (!e.BitmapStrip().Empty()) DrawNineSlice(dc, r, e, !b.Enabled ? 3 : pressed ? 2 : 1);
    const Bitmap& picture = !b.Enabled   ? b.DisabledPicture
                            : b.Coloured ? b.ColouredPicture
                                         : b.EnabledPicture;
    if (picture.Empty()) continue;
    const int x = r.left + (ButtonWidth - picture.Width()) / 2 + pressed;
    const int y = (all.bottom - picture.Height()) / 2 + pressed;
    DrawTransparent(dc, {x, y, x + picture.Width(), y + picture.Height()}, picture,
                    MakeColor(0x80, 0x80, 0x80));
  }
}

void TWMediaPlayer::PassToPlayer(const TMessage& msg) {
  if (Player && Player->HandleAllocated())
    SendMessageW(Player->WindowHandle(), msg.Msg, msg.WParam, msg.LParam);
}

void TWMediaPlayer::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    MouseIsDown = true;
    PassToPlayer(msg);
    ReleaseCapture(); // the player's own press must not keep the mouse
    PressedButton = ButtonAt(GET_X_LPARAM(msg.LParam));
    Invalidate();
    return;
  case WM_LBUTTONUP:
    MouseIsDown = false;
    if (ButtonAt(GET_X_LPARAM(msg.LParam)) == PressedButton) PassToPlayer(msg);
    PressedButton = 9;
    Invalidate();
    return;
  default: TCustomPanel::WndProc(msg);
  }
}

// --- The painter ------------------------------------------------------------------------

void TSkinMP::Attach(TWinSkinForm* engine, TSkinData* skin, bool recolor, TCanvas* canvas) {
  if (Attached) return;
  TSkinControl::Attach(engine, skin, recolor, canvas);
  auto* player = As<TWinControl>(Control);
  if (!player || !player->Parent()) return;
  Overlay = new TWMediaPlayer(engine);
  // The engine owns the overlay and may free it first (a form frees its
  // engine before its controls): the painter must hear of it.
  Overlay->FreeNotification(this);
  Overlay->Bind(player, this, skin);
}

void TSkinMP::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == opRemove && component == Overlay) Overlay = nullptr;
}

void TSkinMP::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
  case WM_WINDOWPOSCHANGED:
  case CM_VISIBLECHANGED:
    if (Overlay) Overlay->FollowPlayer();
    break;
  default: TSkinControl::AfterMessage(msg);
  }
}

void TSkinMP::Detach() {
  TSkinControl::Detach();
  if (Status != 6 && Overlay) {
    delete Overlay;
    Overlay = nullptr;
  }
}

TSkinMP::~TSkinMP() {
  delete Overlay;
}
