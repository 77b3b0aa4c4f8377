#pragma once
// The skinned menu bar: the band under the caption where a skinned window
// shows its menu. The window's own menu bar is taken away; each top-level
// item becomes a button of the non-client area that opens the item's
// drop-down. The bar's background is kept without texts, so a button that
// changes state repaints only itself.

#include "fw/Graphics.h"
#include "skin/form/WinSkinForm.h"

#include <memory>
#include <string>
#include <vector>

class TMenu;
class TMenuItem;

class TMenuBtn : public TNCObject {
public:
  explicit TMenuBtn(TWinSkinForm* engine) : TNCObject(engine) {}
  TMenuItem* MenuItem = nullptr;
  TSkinData* SkinData = nullptr;
  int Index = 0;
  std::wstring Caption; // may hold "&" accelerator marks
  bool ItemEnabled = true;
  HMENU SubMenu = nullptr;
  UINT Command = 0;
  void Draw() override;
};

class TWinSkinMenu : public TComponent {
  FW_DECLARE_CLASS(TWinSkinMenu)
public:
  explicit TWinSkinMenu(TWinSkinForm* engine);
  ~TWinSkinMenu() override;

  // --- Fields, in the order the bar keeps them
  std::vector<std::unique_ptr<TMenuBtn>> Buttons;
  TMenu* MenuComponent = nullptr;
  RECT BarRect{};
  TSkinData* SkinData = nullptr;
  TWinSkinForm* Engine = nullptr;
  TBitmap Background; // the bar as last painted, without texts
  int ButtonCount = 0;
  bool Painting = false;
  HMENU MenuHandle = nullptr;

  void BuildButtons();
  void BuildButtonsFromItems();
  void RebuildFromMenu();
  void LayoutBar();
  void PaintBar(HDC dc, const RECT& rect);
  TMenuBtn* ButtonAt(POINT p) const;
  // The framework menu reads from right to left.
  bool RightToLeft() const;
  // The bar's rectangle in window coordinates from the engine's geometry.
  RECT BarBounds() const;
  void DrawButtonCaption(HDC dc, const TMenuBtn& button, const RECT& rect) const;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void FreeButtons();
  TMenuBtn* AddButton(int index);
  TMenuBtn* AddButtonFromMenu(int index, std::wstring& text);
  void TakeFromItem(TMenuBtn& button, TMenuItem& item);
};

// The font menu bars are drawn in.
HFONT MenuBarFont();
