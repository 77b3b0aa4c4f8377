// Temporary stand-ins for the engine's menu item drawing, so the tool bar
// drawing links before the menu items land: items switched to owner-drawing
// get the engine's events, which draw and measure them as the framework
// does. The real menu item drawing replaces this file.
#include "skin/form/WinSkinForm.h"

void TWinSkinForm::OwnerDrawItems(TMenuItem* item, bool on) {
  if (!item) return;
  if (on) {
    item->OnDrawItem = TMenuDrawItemEvent(this, &TWinSkinForm::DrawMenuItem);
    item->OnMeasureItem = TMenuMeasureItemEvent(this, &TWinSkinForm::MeasureMainItem);
  } else {
    item->OnDrawItem = nullptr;
  }
  for (int i = 0; i < item->Count(); ++i)
    OwnerDrawItems(item->Items(i), on);
  item->RebuildHandle();
}

void TWinSkinForm::DrawMenuItem(TObject* sender, TCanvas* canvas, RECT rect, bool selected) {
  if (auto* item = As<TMenuItem>(sender); item && canvas)
    item->DefaultDrawItem(*canvas, rect, selected);
}

void TWinSkinForm::MeasureMainItem(TObject* sender, TCanvas* canvas, int& width, int& height) {
  if (auto* item = As<TMenuItem>(sender); item && canvas)
    item->DefaultMeasureItem(*canvas, width, height);
}
