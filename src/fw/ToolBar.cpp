#include "fw/ToolBar.h"

#include <algorithm>

const TEnumInfo ToolButtonStyleInfo{
    "TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}};

// --- Tool buttons -----------------------------------------------------------------------

static void SetupToolButton(TClassInfo& c) {
  using T = TToolButton;
  c.Props.push_back(EnumProp<T>(
      "Style", ToolButtonStyleInfo, [](T* o) { return static_cast<int>(o->Style()); },
      [](T* o, int v) { o->SetStyle(static_cast<TToolButtonStyle>(v)); }, tbsButton));
  c.Props.push_back(BoolProp<T>(
      "Down", [](T* o) { return o->Down(); }, [](T* o, bool v) { o->SetDown(v); }, false));
  c.Props.push_back(BoolProp<T>(
      "Grouped", [](T* o) { return o->Grouped(); }, [](T* o, bool v) { o->SetGrouped(v); }, false));
  c.Props.push_back(IntProp<T>(
      "ImageIndex", [](T* o) { return o->ImageIndex(); },
      [](T* o, std::int64_t v) { o->SetImageIndex(static_cast<int>(v)); }, -1));
  c.Props.push_back(ObjectProp<T, TPopupMenu>(
      "DropdownMenu", [](T* o) { return o->DropdownMenu(); },
      [](T* o, TPopupMenu* v) { o->SetDropdownMenu(v); }));
  c.Props.push_back(ObjectProp<T, TMenuItem>(
      "MenuItem", [](T* o) { return o->MenuItem(); },
      [](T* o, TMenuItem* v) { o->SetMenuItem(v); }));
}
FW_CLASS_IMPL(TToolButton, TGraphicControl, CreateComponentOf<TToolButton>, SetupToolButton)

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
  FControlStyle = csCaptureMouse | csSetCaption; // clicks come from MouseUp
  SetParentColor(true);
}

TToolButton::~TToolButton() {
  SetDropdownMenu(nullptr);
  SetMenuItem(nullptr);
}

TToolBar* TToolButton::ToolBar() const {
  return As<TToolBar>(Parent());
}

void TToolButton::LayoutChanged() {
  if (TToolBar* bar = ToolBar()) bar->RearrangeButtons();
  Invalidate();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
  if (v == FStyle) return;
  const bool wasSeparator = IsSeparator();
  FStyle = v;
  // A separator is a gap of its own width; a stored form brings that width.
  if (IsSeparator() && !wasSeparator && !HasState(csLoading)) SetWidth(8);
  if (IsSeparator()) {
    FHot = FPressed = false;
  }
  LayoutChanged();
}

std::vector<TToolButton*> TToolButton::GroupMembers() {
  std::vector<TToolButton*> group;
  TToolBar* bar = ToolBar();
  if (!bar || !FGrouped || FStyle != tbsCheck) return group;
  const std::vector<TToolButton*> all = bar->Buttons();
  auto self = std::find(all.begin(), all.end(), this);
  if (self == all.end()) return group;
  auto member = [](const TToolButton* b) { return b->FGrouped && b->FStyle == tbsCheck; };
  auto first = self, last = self;
  while (first != all.begin() && member(*std::prev(first)))
    --first;
  while (std::next(last) != all.end() && member(*std::next(last)))
    ++last;
  group.assign(first, std::next(last));
  return group;
}

void TToolButton::SetDown(bool v) {
  if (v == FDown) return;
  FDown = v;
  Invalidate();
  if (!v) return;
  for (TToolButton* other : GroupMembers())
    if (other != this && other->FDown) {
      other->FDown = false;
      other->Invalidate();
    }
}

void TToolButton::SetGrouped(bool v) {
  if (v == FGrouped) return;
  FGrouped = v;
}

void TToolButton::SetImageIndex(int v) {
  if (v == FImageIndex) return;
  FImageIndex = v;
  Invalidate();
}

void TToolButton::SetDropdownMenu(TPopupMenu* v) {
  if (v == FDropdownMenu) return;
  if (FDropdownMenu) FDropdownMenu->RemoveFreeNotification(this);
  FDropdownMenu = v;
  if (FDropdownMenu) FDropdownMenu->FreeNotification(this);
}

void TToolButton::SetMenuItem(TMenuItem* v) {
  if (v == FMenuItem) return;
  if (FMenuItem) FMenuItem->RemoveFreeNotification(this);
  FMenuItem = v;
  if (!FMenuItem) return;
  FMenuItem->FreeNotification(this);
  // The button stands for the item: it shows the item's caption, image and
  // enabled state.
  if (!HasState(csLoading)) {
    SetCaption(FMenuItem->Caption());
    SetImageIndex(FMenuItem->ImageIndex());
    SetEnabled(FMenuItem->Enabled());
  }
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FDropdownMenu) FDropdownMenu = nullptr;
  if (component == FMenuItem) FMenuItem = nullptr;
}

void TToolButton::TextChanged() {
  // A caption can widen the buttons of a bar that shows captions.
  if (TToolBar* bar = ToolBar(); bar && bar->ShowCaptions()) bar->RearrangeButtons();
  Invalidate();
}

void TToolButton::VisibleChanged() {
  TGraphicControl::VisibleChanged();
  FHot = FPressed = false;
}

TCustomDrawState TToolButton::DrawState() const {
  TCustomDrawState state = 0;
  if (FPressed || FDroppingDown) state |= cdsSelected;
  if (FHot) state |= cdsHot;
  if (!Enabled()) state |= cdsDisabled | cdsGrayed;
  if (FDown) state |= cdsChecked;
  return state ? state : cdsDefault;
}

RECT TToolButton::ArrowRect() const {
  if (FStyle != tbsDropDown) return {0, 0, 0, 0};
  return {std::max(Width() - TToolBar::kArrowWidth, 0), 0, Width(), Height()};
}

void TToolButton::SetHot(bool v) {
  if (v == FHot) return;
  FHot = v;
  Invalidate();
}

void TToolButton::SetPressed(bool v) {
  if (v == FPressed) return;
  FPressed = v;
  Invalidate();
}

void TToolButton::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case CM_MOUSEENTER:
    if (Enabled() && !IsSeparator()) SetHot(true);
    break;
  case CM_MOUSELEAVE: SetHot(false); break;
  case CM_CANCELMODE:
    FDragging = false;
    SetPressed(false);
    break;
  case CM_ENABLEDCHANGED:
    FHot = false;
    FPressed = false;
    FDragging = false;
    break;
  }
  TGraphicControl::WndProc(msg);
}

bool TToolButton::CheckMenuDropdown() {
  TToolBar* bar = ToolBar();
  if (!bar || !Enabled()) return false;
  if (FMenuItem && FMenuItem->Count() > 0) return bar->TrackMenu(this, FMenuItem);
  if (!FDropdownMenu) return false;
  const POINT at = bar->DropdownPoint(this);
  FDroppingDown = true;
  Repaint();
  FDropdownMenu->SetPopupComponent(this);
  FDropdownMenu->Popup(at.x, at.y);
  FDroppingDown = false;
  Invalidate();
  return true;
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled() || IsSeparator()) return;
  // A menu item's button and a drop-down's arrow open their menu at once,
  // as a menu bar does; a plain button with a menu opens it too.
  const RECT arrow = ArrowRect();
  const POINT p{x, y};
  const bool onArrow = FStyle == tbsDropDown && PtInRect(&arrow, p);
  const bool menuButton = FMenuItem && FMenuItem->Count() > 0;
  const bool plainWithMenu = FStyle != tbsDropDown && FDropdownMenu;
  if ((menuButton || onArrow || plainWithMenu) && CheckMenuDropdown()) return;
  FDragging = true;
  SetPressed(true);
}

void TToolButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (FDragging) SetPressed(Inside(x, y));
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !FDragging) return;
  FDragging = false;
  SetPressed(false);
  if (Inside(x, y)) Click();
}

void TToolButton::Click() {
  if (FStyle == tbsCheck) {
    // A grouped button stays down when clicked again: one of its group is
    // always down once any was.
    if (!FDown || GroupMembers().empty()) SetDown(!FDown);
  }
  if (FMenuItem && FMenuItem->Count() == 0) FMenuItem->Click();
  TGraphicControl::Click();
}

// --- Tool bars --------------------------------------------------------------------------

static void SetupToolBar(TClassInfo& c) {
  using T = TToolBar;
  c.Props.push_back(IntProp<T>(
      "ButtonWidth", [](T* o) { return o->ButtonWidth(); },
      [](T* o, std::int64_t v) { o->SetButtonWidth(static_cast<int>(v)); }, 23));
  c.Props.push_back(IntProp<T>(
      "ButtonHeight", [](T* o) { return o->ButtonHeight(); },
      [](T* o, std::int64_t v) { o->SetButtonHeight(static_cast<int>(v)); }, 22));
  c.Props.push_back(BoolProp<T>(
      "Flat", [](T* o) { return o->Flat(); }, [](T* o, bool v) { o->SetFlat(v); }, false));
  c.Props.push_back(ObjectProp<T, TCustomImageList>(
      "Images", [](T* o) { return o->Images(); },
      [](T* o, TCustomImageList* v) { o->SetImages(v); }));
  c.Props.push_back(BoolProp<T>(
      "ShowCaptions", [](T* o) { return o->ShowCaptions(); },
      [](T* o, bool v) { o->SetShowCaptions(v); }, false));
  c.Props.push_back(ObjectProp<T, TMainMenu>(
      "Menu", [](T* o) { return o->Menu(); }, [](T* o, TMainMenu* v) { o->SetMenu(v); }));
  c.Props.push_back(EventProp("OnCustomDraw", &T::OnCustomDraw));
  c.Props.push_back(EventProp("OnCustomDrawButton", &T::OnCustomDrawButton));
}
FW_CLASS_IMPL(TToolBar, TCustomControl, CreateComponentOf<TToolBar>, SetupToolBar)

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque;
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  SetColor(clBtnFace);
}

TToolBar::~TToolBar() {
  // The menu's buttons are children: they go with the bar's other children.
  if (FImages) FImages->RemoveFreeNotification(this);
  if (FMenu) FMenu->RemoveFreeNotification(this);
}

void TToolBar::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;
}

void TToolBar::SetButtonWidth(int v) {
  if (v == FButtonWidth || v < 0) return;
  FButtonWidth = v;
  RearrangeButtons();
}

void TToolBar::SetButtonHeight(int v) {
  if (v == FButtonHeight || v < 0) return;
  FButtonHeight = v;
  RearrangeButtons();
}

void TToolBar::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  Invalidate();
}

void TToolBar::SetImages(TCustomImageList* v) {
  if (v == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = v;
  if (FImages) FImages->FreeNotification(this);
  RearrangeButtons();
  Invalidate();
}

void TToolBar::SetShowCaptions(bool v) {
  if (v == FShowCaptions) return;
  FShowCaptions = v;
  RearrangeButtons();
  Invalidate();
}

void TToolBar::SetMenu(TMainMenu* v) {
  if (v == FMenu) return;
  if (FMenu) FMenu->RemoveFreeNotification(this);
  FMenu = v;
  if (FMenu) {
    FMenu->FreeNotification(this);
    FShowCaptions = true; // a menu's buttons show their items' captions
  }
  RebuildMenuButtons();
}

void TToolBar::ClearMenuButtons() {
  std::vector<TToolButton*> buttons;
  buttons.swap(FMenuButtons);
  for (TToolButton* b : buttons)
    delete b;
}

void TToolBar::RebuildMenuButtons() {
  if (HasState(csLoading) || HasState(csDestroying)) return;
  ClearMenuButtons();
  if (!FMenu) return RearrangeButtons();
  TMenuItem& root = FMenu->Items();
  DisableAlign();
  for (int i = 0; i < root.Count(); ++i) {
    TMenuItem* item = root.Items(i);
    if (!item->Visible()) continue;
    auto* button = new TToolButton(this);
    button->SetGrouped(true);
    button->SetMenuItem(item);
    button->SetParent(this);
    FMenuButtons.push_back(button);
  }
  EnableAlign();
  RearrangeButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FImages) FImages = nullptr;
  if (component == FMenu) FMenu = nullptr;
  FMenuButtons.erase(std::remove(FMenuButtons.begin(), FMenuButtons.end(), component),
                     FMenuButtons.end());
}

void TToolBar::Loaded() {
  TCustomControl::Loaded();
  if (FMenu) RebuildMenuButtons();
  RearrangeButtons();
}

void TToolBar::FontChanged() {
  TCustomControl::FontChanged();
  if (FShowCaptions) RearrangeButtons();
}

std::vector<TToolButton*> TToolBar::Buttons() const {
  std::vector<TToolButton*> out;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* b = As<TToolButton>(Controls(i)); b && b != FLeaving) out.push_back(b);
  return out;
}

namespace {

// The size of a caption in a font, measured on the screen's DC.
SIZE CaptionSize(TFont& font, const std::wstring& text) {
  SIZE size{0, 0};
  HDC dc = GetDC(nullptr);
  if (!dc) return size;
  {
    TSelection selected(dc, font.Handle());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    size = {r.right - r.left, r.bottom - r.top};
  }
  ReleaseDC(nullptr, dc);
  return size;
}

constexpr int kCaptionPadding = 8;

} // namespace

SIZE TToolBar::ButtonSize() const {
  SIZE size{FButtonWidth, FButtonHeight};
  if (!FShowCaptions) return size;
  TFont font;
  font.Assign(Font());
  int widest = 0, tallest = 0;
  for (TToolButton* b : Buttons()) {
    if (b->IsSeparator()) continue;
    const SIZE text = CaptionSize(font, b->Caption().empty() ? L" " : b->Caption());
    if (std::find(FMenuButtons.begin(), FMenuButtons.end(), b) == FMenuButtons.end())
      widest = std::max<int>(widest, text.cx);
    tallest = std::max<int>(tallest, text.cy);
  }
  const int image = FImages ? FImages->Height() + 2 : 0;
  size.cx = std::max<int>(size.cx, widest + kCaptionPadding);
  size.cy = std::max<int>(size.cy, image + tallest + kCaptionPadding);
  return size;
}

void TToolBar::RearrangeButtons() {
  Realign();
}

void TToolBar::AlignControls(RECT& r) {
  TCustomControl::AlignControls(r);
  const SIZE size = ButtonSize();
  TFont font;
  font.Assign(Font());
  int x = r.left;
  for (TToolButton* b : Buttons()) {
    if (!b->Visible()) continue;
    int width = size.cx;
    if (b->IsSeparator()) {
      width = b->Width();
    } else if (std::find(FMenuButtons.begin(), FMenuButtons.end(), b) != FMenuButtons.end()) {
      // Buttons of a menu fit their captions, as a menu bar's do.
      width = CaptionSize(font, b->Caption()).cx + kCaptionPadding + 4;
    }
    if (b->Style() == tbsDropDown) width += kArrowWidth;
    b->SetBounds(x, r.top + kTopMargin, width, size.cy);
    x += width;
  }
}

void TToolBar::WndProc(TMessage& msg) {
  if (msg.Msg == CM_CONTROLLISTCHANGE && msg.LParam == 0) {
    // The control is still in the list while it is told it leaves.
    FLeaving = reinterpret_cast<TControl*>(msg.WParam);
    TCustomControl::WndProc(msg);
    RearrangeButtons();
    FLeaving = nullptr;
    return;
  }
  TCustomControl::WndProc(msg);
  if (msg.Msg == CM_CONTROLLISTCHANGE) RearrangeButtons();
}

POINT TToolBar::DropdownPoint(const TToolButton* button) const {
  return ClientToScreen({button->Left(), button->Top() + button->Height()});
}

bool TToolBar::TrackMenu(TToolButton* button, TMenuItem* item) {
  if (!button || !item || item->Count() == 0) return false;
  // Actions give the items their state before the drop-down shows.
  for (int i = 0; i < item->Count(); ++i)
    item->Items(i)->InitiateAction();
  HMENU menu = item->Handle();
  if (!menu) return false;
  const POINT at = DropdownPoint(button);
  button->FDroppingDown = true;
  button->Repaint();
  // The popup list window owns the drop-down, so owner-drawn items are
  // measured and drawn as in every other popup menu. The choice comes
  // back here: items of a main menu are not among the popup menus that
  // window clicks.
  const UINT command =
      TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, at.x,
                     at.y, 0, PopupListWindow(), nullptr);
  button->FDroppingDown = false;
  button->Invalidate();
  if (TMenuItem* chosen = command ? FindMenuItemByCommand(command) : nullptr) chosen->Click();
  return true;
}

// --- Painting ---------------------------------------------------------------------------

// Called inside the framework's single paint routine, so everything below
// is composed off-screen and reaches the window in one copy.
void TToolBar::Paint() {
  HDC dc = Canvas().Handle();
  PaintBackground(ClientRect());
  RECT clip;
  if (GetClipBox(dc, &clip) == ERROR) return;
  for (TToolButton* b : Buttons()) {
    RECT bounds = b->BoundsRect(), common;
    if (b->Visible() && IntersectRect(&common, &bounds, &clip)) PaintButton(b);
  }
}

void TToolBar::PaintBackground(const RECT& rect) {
  bool defaultDraw = true;
  if (OnCustomDraw) OnCustomDraw(this, rect, defaultDraw);
  if (!defaultDraw) return;
  Canvas().Brush().SetStyle(bsSolid);
  Canvas().Brush().SetColor(Color());
  Canvas().FillRect(rect);
}

void TToolBar::PaintButton(TToolButton* button) {
  HDC dc = Canvas().Handle();
  if (button->IsSeparator()) return DrawSeparator(dc, button);
  const TCustomDrawState state = button->DrawState();
  // Every button starts from the bar's font: a colour one handler gave its
  // button's caption must not reach the next.
  Canvas().Font().Assign(Font());
  bool defaultDraw = true;
  if (OnCustomDrawButton) OnCustomDrawButton(this, button, state, defaultDraw);
  if (defaultDraw) DrawButtonFace(dc, button, state);
  // The image and the caption are drawn whatever the handler said: a
  // handler draws the face and leaves the contents to the bar.
  RECT face = button->BoundsRect();
  if (button->Style() == tbsDropDown) {
    face.right -= kArrowWidth;
    DrawDropArrow(dc, button);
  }
  if (state & (cdsSelected | cdsChecked)) OffsetRect(&face, 1, 1);
  DrawButtonImage(dc, button, face);
  if (FShowCaptions) DrawButtonCaption(button, face);
}

void TToolBar::DrawButtonFace(HDC dc, const TToolButton* button, TCustomDrawState state) {
  RECT r = button->BoundsRect();
  const bool down = (state & (cdsSelected | cdsChecked)) != 0;
  const bool hot = (state & cdsHot) != 0;
  auto edge = [&](RECT box) {
    if (!FFlat)
      DrawEdge(dc, &box, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER | BDR_RAISEDOUTER, BF_RECT);
    else if (down)
      DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    else if (hot)
      DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
  };
  if (button->Style() != tbsDropDown) return edge(r);
  RECT arrow = r;
  arrow.left = arrow.right - kArrowWidth;
  r.right = arrow.left;
  edge(r);
  edge(arrow);
}

void TToolBar::DrawButtonImage(HDC dc, const TToolButton* button, const RECT& face) {
  if (!FImages || button->ImageIndex() < 0 || button->ImageIndex() >= FImages->Count()) return;
  const int x = face.left + (face.right - face.left - FImages->Width()) / 2;
  const int y =
      FShowCaptions ? face.top + 3 : face.top + (face.bottom - face.top - FImages->Height()) / 2;
  FImages->Draw(dc, x, y, button->ImageIndex(), button->Enabled());
}

void TToolBar::DrawButtonCaption(const TToolButton* button, const RECT& face) {
  const std::wstring text = button->Caption();
  if (text.empty()) return;
  RECT r = face;
  if (FImages && button->ImageIndex() >= 0) r.top += 3 + FImages->Height();
  HDC dc = Canvas().Handle();
  SetBkMode(dc, TRANSPARENT);
  // The canvas font's colour is what the face's handler left there.
  SetTextColor(dc, ColorToCOLORREF(button->Enabled() ? Canvas().Font().Color() : clGrayText));
  Canvas().DrawTextRect(text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TToolBar::DrawDropArrow(HDC dc, const TToolButton* button) {
  const RECT b = button->BoundsRect();
  const int cx = b.right - kArrowWidth / 2 - 1, cy = (b.top + b.bottom) / 2 - 1;
  const TColor color = button->Enabled() ? clBtnText : clGrayText;
  TGdiBrush brush(CreateSolidBrush(ColorToCOLORREF(color)));
  // A small triangle, three rows from wide to narrow.
  for (int row = 0; row < 3; ++row) {
    RECT line{cx - 2 + row, cy + row, cx + 3 - row, cy + row + 1};
    FillRect(dc, &line, brush.Get());
  }
}

void TToolBar::DrawSeparator(HDC dc, const TToolButton* button) {
  if (button->Style() != tbsDivider) return; // a separator is only a gap
  RECT r = button->BoundsRect();
  r.left += (r.right - r.left) / 2 - 1;
  r.right = r.left + 2;
  DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
}
