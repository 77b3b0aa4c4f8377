// Menu items drawn from the skin: which menus are owner-drawn, how their
// items are measured and drawn (framework items through their drawing
// events, items of plain window menus through WM_MEASUREITEM and
// WM_DRAWITEM), and the skinned system menu. Each item is composed in a
// work bitmap over the popup window's skinned background, then drawn once.
#include "fw/Menus.h"
#include "fw/OsVersion.h"
#include "skin/controls/SkinManager.h"
#include "skin/data/ElementDraw.h"
#include "skin/data/ImgUtilGdi.h"
#include "skin/form/MenuBar.h"
#include "skin/form/PopupMenu.h"
#include "skin/form/WinSkinForm.h"

#include <algorithm>

namespace {

TSkinManage* Manager() {
  return SkinManagerObject();
}

constexpr std::intptr_t kSysMenuTag = 0x8235;
constexpr int kMenuTextLength = 80;   // menu texts are read into buffers of this size
constexpr UINT kCheckBitmap = 0x7FF8; // the system's check mark (OBM_CHECK)

// The engine's handlers, to tell its own bindings from a program's.
template <class E> bool BoundTo(const E& event, const TWinSkinForm* engine) {
  return event && event.Data() == engine;
}

void ForEachItem(TMenuItem& item, void (*f)(TMenuItem&, TWinSkinForm*, bool), TWinSkinForm* e,
                 bool on) {
  for (int i = 0; i < item.Count(); ++i) {
    f(*item.Items(i), e, on);
    ForEachItem(*item.Items(i), f, e, on);
  }
}

void BindPopupItem(TMenuItem& item, TWinSkinForm* engine, bool on) {
  if (on) {
    item.OnDrawItem = TMenuDrawItemEvent(engine, &TWinSkinForm::DrawMenuItem);
    if (!item.OnMeasureItem)
      item.OnMeasureItem = TMenuMeasureItemEvent(engine, &TWinSkinForm::MeasurePopupItem);
    return;
  }
  // Only the engine's own bindings go: a program's handlers stay its own.
  if (BoundTo(item.OnDrawItem, engine)) item.OnDrawItem = nullptr;
  if (BoundTo(item.OnMeasureItem, engine)) item.OnMeasureItem = nullptr;
}

void BindMainItem(TMenuItem& item, TWinSkinForm* engine, bool on) {
  if (on) {
    if (item.OnDrawItem) return;
    item.OnDrawItem = TMenuDrawItemEvent(engine, &TWinSkinForm::DrawMenuItem);
    item.OnMeasureItem = TMenuMeasureItemEvent(engine, &TWinSkinForm::MeasureMainItem);
    return;
  }
  if (BoundTo(item.OnDrawItem, engine)) item.OnDrawItem = nullptr;
  if (BoundTo(item.OnMeasureItem, engine)) item.OnMeasureItem = nullptr;
}

std::wstring MenuText(HMENU menu, UINT id) {
  wchar_t text[kMenuTextLength] = {};
  GetMenuStringW(menu, id, text, kMenuTextLength, MF_BYCOMMAND);
  return text;
}

// A work surface of an item's size: a DIB on a memory DC.
class TItemSurface {
public:
  TItemSurface(int width, int height) { FBitmap.SetSize(std::max(width, 1), std::max(height, 1)); }
  TCanvas& Canvas() { return FBitmap.Canvas(); }
  HDC DC() { return FBitmap.Canvas().Handle(); }
  void DrawTo(TCanvas& canvas, int x, int y) {
    BitBlt(canvas.Handle(), x, y, FBitmap.Width(), FBitmap.Height(), DC(), 0, 0, SRCCOPY);
  }

private:
  TBitmap FBitmap;
};

// The system's check mark, black on white, painted in the DC's text colour
// where it is black and leaving the rest.
void DrawCheckMark(HDC dc, int x, int y, TColor color) {
  HBITMAP mark = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckBitmap));
  if (!mark) return;
  BITMAP info{};
  GetObjectW(mark, sizeof info, &info);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ oldBitmap = SelectObject(source, mark);
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  // Brush where the mark is black, the destination where it is white.
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, 0x00B8074A);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  SelectObject(source, oldBitmap);
  DeleteDC(source);
  DeleteObject(mark);
}

// The framework's pattern behind a checked glyph: face and highlight dots.
void FillCheckedPattern(HDC dc, const RECT& r) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      SetPixelV(dc, x, y, ((x + y) & 1) ? light : face);
}

} // namespace

// --- Owner-drawing on and off -------------------------------------------------------

void TWinSkinForm::OwnerDrawPopupMenus(TComponent* owner, bool on) {
  if (!owner || !SkinData) return;
  if (Form && Form->ClassName() == "TwwRichEditForm") return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* c = owner->Components(i);
    if (c->Is<TCustomForm>() || c->ClassName() == "TFrame") {
      OwnerDrawPopupMenus(c, on);
      continue;
    }
    auto* menu = As<TPopupMenu>(c);
    if (!menu || menu->Tag() == SkinData->DisableTag() || !SkinData->HasControl(xcPopupMenu))
      continue;
    menu->SetOwnerDraw(on);
    ForEachItem(menu->Items(), BindPopupItem, this, on);
  }
}

void TWinSkinForm::OwnerDrawMainMenus(TComponent* owner, bool on) {
  if (!owner || !SkinData || !SkinData->HasControl(xcMenuItem)) return;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    auto* menu = As<TMainMenu>(owner->Components(i));
    if (!menu) continue;
    menu->SetOwnerDraw(on);
    // Top-level items stay with the menu bar.
    TMenuItem& top = menu->Items();
    for (int j = 0; j < top.Count(); ++j)
      ForEachItem(*top.Items(j), BindMainItem, this, on);
  }
}

void TWinSkinForm::OwnerDrawItems(TMenuItem* item, bool on) {
  if (!item) return;
  auto bind = [](TMenuItem& i, TWinSkinForm* engine, bool bindOn) {
    if (bindOn) {
      i.OnDrawItem = TMenuDrawItemEvent(engine, &TWinSkinForm::DrawMenuItem);
      i.OnMeasureItem = TMenuMeasureItemEvent(engine, &TWinSkinForm::MeasureMainItem);
    } else if (BoundTo(i.OnDrawItem, engine)) {
      i.OnDrawItem = nullptr;
    }
  };
  bind(*item, this, on);
  ForEachItem(*item, bind, this, on);
  item->Changed(); // the items are owner-drawn from now on (or no longer)
}

void TWinSkinForm::SetPopupMenusOwnerDraw(bool on) {
  OwnerDrawPopupMenus(Form, on);
}

void TWinSkinForm::SetMainMenusOwnerDraw(bool on) {
  OwnerDrawMainMenus(Form, on);
}

// --- Measuring ------------------------------------------------------------------------

void TWinSkinForm::MeasureMainItem(TObject* sender, TCanvas* canvas, int& width, int& height) {
  auto* item = As<TMenuItem>(sender);
  if (!item || !canvas) return;
  // The item's standard measurement, without this handler.
  TMenuMeasureItemEvent own = item->OnMeasureItem;
  item->OnMeasureItem = nullptr;
  item->MeasureItem(*canvas, width, height);
  item->OnMeasureItem = own;
  if (const TDataSkinObject* e = SkinData->Skin().Element(ssMenuItem)) width += e->LeftWidth;
  width += 10;
  if (!item->GetImageList()) width += 25;
}

void TWinSkinForm::MeasurePopupItem(TObject* sender, TCanvas*, int& width, int&) {
  auto* item = As<TMenuItem>(sender);
  if (!item) return;
  if (SkinData && SkinData->SkinLoaded())
    if (const TDataSkinObject* e = SkinData->Skin().Element(ssMenuItem)) width += e->LeftWidth;
  width += 12;
  if (!item->GetImageList()) width += 23;
}

void TWinSkinForm::HandleMeasureItem(TMessage& msg) {
  auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam);
  TMenu* menu = MenuComponent();
  if (Form && menu) {
    if (TSkinManage* m = Manager()) m->MarkPopupsFromMenuBar();
    if (TMenuItem* item = menu->FindItem(mi->itemID)) {
      HDC dc = GetDC(Handle);
      {
        TCanvasBinding binding(MenuCanvas, dc);
        if (Screen) MenuCanvas.Font().Assign(Screen->MenuFont());
        int width = static_cast<int>(mi->itemWidth), height = static_cast<int>(mi->itemHeight);
        MeasureMainItem(item, &MenuCanvas, width, height);
        mi->itemWidth = static_cast<UINT>(std::max(width, 0));
        mi->itemHeight = static_cast<UINT>(std::max(height, 0));
      }
      ReleaseDC(Handle, dc);
      msg.Result = TRUE;
      return;
    }
    if (mi->itemID >= 1 && mi->itemID <= 4095) return CallOldProc(msg);
  }
  // An item of a plain window menu: measured from its text.
  const std::wstring text = MenuText(TrackedPopup, mi->itemID);
  HDC dc = GetDC(Handle);
  int textWidth = 0;
  {
    TCanvasBinding binding(MenuCanvas, dc);
    if (Screen) MenuCanvas.Font().Assign(Screen->MenuFont());
    textWidth = MenuCanvas.TextWidth(text);
  }
  ReleaseDC(Handle, dc);
  int width = textWidth + 26;
  if (const TDataSkinObject* e = SkinData->Skin().Element(ssMenuItem)) width += e->LeftWidth;
  mi->itemWidth = static_cast<UINT>(width);
  if (text.empty())
    mi->itemHeight = 8;
  else
    mi->itemHeight += 4;
  if (!OsVersion().NTFamily) mi->itemHeight += 4;
  msg.Result = TRUE;
}

// --- Drawing ---------------------------------------------------------------------------

void TWinSkinForm::HandleDrawItem(TMessage& msg) {
  auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
  HMENU menuHandle = reinterpret_cast<HMENU>(di->hwndItem);
  if (TSkinManage* m = Manager()) {
    m->SetPopupMenuHandle(menuHandle);
    m->MarkPopupsFromMenuBar();
  }
  const bool selected = (di->itemState & ODS_SELECTED) != 0;
  const int saved = SaveDC(di->hDC);
  TCanvas canvas;
  TCanvasBinding binding(canvas, di->hDC);
  if (Screen) canvas.Font().Assign(Screen->MenuFont());
  TMenu* menu = MenuComponent();
  TMenuItem* item = Form && menu ? menu->FindItem(di->itemID) : nullptr;
  if (item) {
    if (SkinData->Skin().Element(ssMenuItem))
      DrawMenuItem(item, &canvas, di->rcItem, selected);
    else
      DrawPlainMenuItem(item, canvas, selected, di->rcItem);
  } else if (Form && menu && di->itemID >= 1 && di->itemID <= 4095) {
    RestoreDC(di->hDC, saved);
    return CallOldProc(msg);
  } else {
    std::unique_ptr<TMenuItem> raw = RawMenuItem(menuHandle, di->itemID);
    DrawRawMenuItem(menuHandle, raw.get(), selected, di->rcItem, canvas);
  }
  RestoreDC(di->hDC, saved);
  msg.Result = TRUE;
}

std::unique_ptr<TMenuItem> TWinSkinForm::RawMenuItem(HMENU menu, UINT id) {
  auto item = std::make_unique<TMenuItem>(nullptr);
  const std::wstring text = MenuText(menu, id);
  item->SetCaption(text.empty() ? L"-" : text);
  const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
  if (state != static_cast<UINT>(-1)) {
    item->SetEnabled((state & (MF_GRAYED | MF_DISABLED)) == 0);
    item->SetChecked((state & MF_CHECKED) != 0);
  }
  return item;
}

void TWinSkinForm::DrawMenuItem(TObject* sender, TCanvas* canvas, RECT rect, bool selected) {
  auto* item = As<TMenuItem>(sender);
  if (!item || !canvas || !SkinData) return;
  TSkinManage* m = Manager();
  if (m) m->MarkPopupsFromMenuBar();
  if (!SkinData->Skin().Element(ssMenuItem))
    return DrawPlainMenuItem(item, *canvas, selected, rect);
  HMENU parentMenu = item->Parent() ? item->Parent()->HandleIfMade() : nullptr;
  if (parentMenu && m) m->SetPopupMenuHandle(parentMenu);
  DrawRawMenuItem(parentMenu, item, selected, rect, *canvas);
}

void TWinSkinForm::DrawRawMenuItem(HMENU menu, TMenuItem* item, bool selected, RECT rect,
                                   TCanvas& canvas) {
  const TDataSkinObject* e = SkinData->Skin().Element(ssMenuItem);
  if (!e) return DrawPlainMenuItem(item, canvas, selected, rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  TItemSurface work(width, height);
  work.Canvas().Font().Assign(canvas.Font());
  // The popup window's background under this item: the window's frame is
  // three pixels wide, so the item sits that far into the picture.
  TSkinManage* m = Manager();
  const Bitmap* background = m ? m->FindPopupBitmap(menu) : nullptr;
  if (!background || background->Empty()) {
    work.Canvas().Brush().SetColor(SkinData->Skin().Colors[scMenu]);
    work.Canvas().FillRect({0, 0, width, height});
  } else {
    DrawBitmap(work.DC(), -(rect.left + TWinSkinPopMenu::kFrame),
               -(rect.top + TWinSkinPopMenu::kFrame), *background);
  }
  const RECT local{0, 0, width, height};
  if (item->IsLine() && item->Parent()) {
    work.DrawTo(canvas, rect.left, rect.top);
    DrawSeparator(canvas, rect);
    return;
  }
  DrawNineSlice(work.DC(), local, *e, selected ? 4 : 1);
  DrawItemContent(item, work.Canvas(), selected, local);
  work.DrawTo(canvas, rect.left, rect.top);
}

void TWinSkinForm::DrawPlainMenuItem(TMenuItem* item, TCanvas& canvas, bool selected, RECT rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return;
  TItemSurface work(width, height);
  work.Canvas().Font().Assign(canvas.Font());
  work.Canvas().Brush().SetColor(SkinData->Skin().Colors[selected ? scHilight : scMenu]);
  work.Canvas().FillRect({0, 0, width, height});
  DrawItemContent(item, work.Canvas(), selected, {0, 0, width, height});
  work.DrawTo(canvas, rect.left, rect.top);
}

// Frame 2 of the menu item picture, its bottom rows, with its margins kept
// and its middle stretched; magenta stays transparent.
void TWinSkinForm::DrawSeparator(TCanvas& canvas, RECT rect) {
  const TDataSkinObject* e = SkinData->Skin().Element(ssMenuItem);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (!e || e->Image.Empty() || width <= 0 || height <= 0) return;
  const int frameWidth = e->Image.Width() / 5;
  if (frameWidth <= 0) return;
  const int imageHeight = e->Image.Height();
  const int top = imageHeight > height ? imageHeight - height : 0;
  const int rows = std::min(height, imageHeight - top);
  const int left = std::min(e->LeftWidth, frameWidth),
            right = std::min(e->RightWidth, frameWidth - left);
  const int x0 = frameWidth; // frame 2
  Bitmap band(width, height, clMagenta);
  auto copy = [&](int dx, int dw, int sx, int sw) {
    if (dw > 0 && sw > 0)
      StretchCopy(band, {dx, 0, dx + dw, height}, e->Image, {sx, top, sx + sw, top + rows});
  };
  copy(0, std::min(left, width), x0, left);
  copy(std::max(width - right, 0), std::min(right, width), x0 + frameWidth - right, right);
  copy(left, width - left - right, x0 + left, frameWidth - left - right);
  DrawTransparent(canvas.Handle(), rect, band);
}

void TWinSkinForm::DrawItemContent(TMenuItem* item, TCanvas& canvas, bool selected, RECT rect) {
  // A window menu's text may carry its shortcut after a tab.
  std::wstring caption = item->Caption(), shortcut;
  if (const auto tab = caption.find(L'\t'); tab != std::wstring::npos) {
    shortcut = caption.substr(tab + 1);
    caption.erase(tab);
  }
  if (item->ShortCut() && !item->IsLine()) shortcut = ShortCutToText(item->ShortCut());
  TMenu* menu = item->GetParentMenu();
  if (!menu) menu = MenuComponent();
  const bool rtl = menu && menu->IsRightToLeft();
  TCustomImageList* images = item->GetImageList();
  const TDataSkinObject* e = SkinData->Skin().Element(ssMenuItem);
  HDC dc = canvas.Handle();

  int glyph = images ? images->Width() : 16;
  if (item->Checked()) glyph = std::max(glyph, 16);
  RECT box;
  if (rtl) {
    const int right = rect.right - 1 - (e ? e->RightWidth : 0);
    box = {right - glyph, rect.top + 1, right, rect.top + 1 + glyph};
  } else {
    const int left = rect.left + 1 + (e ? e->LeftWidth : 0);
    box = {left, rect.top + 1, left + glyph, rect.top + 1 + glyph};
  }
  if (item->IsLine()) box.right = box.left, box.bottom = box.top;

  const int height = rect.bottom - rect.top;
  const bool hasImage = images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
  if (hasImage && !item->IsLine()) {
    int imageTop;
    if (item->Checked()) {
      FillCheckedPattern(dc, box);
      RECT edge = box;
      DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
      imageTop = rect.top + (height - 16) / 2;
    } else {
      imageTop = rect.top + (height - images->Height()) / 2;
    }
    images->Draw(dc, box.left + (glyph - images->Width()) / 2, imageTop, item->ImageIndex(),
                 item->Enabled());
  } else if (item->Checked() && !item->IsLine()) {
    BITMAP mark{};
    if (HBITMAP probe = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckBitmap))) {
      GetObjectW(probe, sizeof mark, &mark);
      DeleteObject(probe);
    }
    const TColor saved = canvas.Font().Color();
    canvas.Font().SetColor(clBtnText);
    DrawCheckMark(dc, box.left + (glyph - mark.bmWidth) / 2 + 1,
                  rect.top + (height - mark.bmHeight) / 2, canvas.Font().Color());
    canvas.Font().SetColor(saved);
  }

  // The caption, centred vertically, then the shortcut.
  const UINT measure = rtl ? 0x20562 : 0x560, draw = rtl ? 0x20062 : 0x60;
  RECT text = rtl ? RECT{rect.left + 1, rect.top, box.left - 3, rect.bottom}
                  : RECT{box.right + 3, rect.top, rect.right - 1, rect.bottom};
  RECT measured = text;
  DrawItemText(item, canvas, measure, selected, measured, caption);
  const int textHeight = measured.bottom - measured.top, textWidth = measured.right - measured.left;
  RECT placed = text;
  placed.top = rect.top + (height - textHeight) / 2;
  placed.bottom = placed.top + textHeight;
  if (rtl)
    placed.left = std::max(text.left, text.right - textWidth);
  else
    placed.right = std::min(text.right, text.left + textWidth);
  DrawItemText(item, canvas, draw, selected, placed, caption);
  if (!shortcut.empty() && !item->IsLine()) {
    RECT sc = rtl ? RECT{text.left + 10, placed.top, placed.left, placed.bottom}
                  : RECT{placed.right, placed.top, rect.right - 11, placed.bottom};
    DrawItemText(item, canvas,
                 rtl ? (DT_LEFT | DT_SINGLELINE | DT_RTLREADING) : (DT_RIGHT | DT_SINGLELINE),
                 selected, sc, shortcut);
  }
}

void TWinSkinForm::DrawItemText(TMenuItem* item, TCanvas& canvas, UINT flags, bool selected,
                                RECT& rect, std::wstring text) {
  const bool measuring = (flags & DT_CALCRECT) != 0;
  if (measuring && (text.empty() || text == L"&")) text += L' ';
  HDC dc = canvas.Handle();
  if (text == L"-") {
    if (!measuring) {
      RECT line{rect.left, rect.top + 4, rect.right, rect.bottom};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    }
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  TFontStyles style = canvas.Font().Style();
  if (item->Default())
    style |= 1u << fsBold;
  else
    style &= ~(1u << fsBold);
  canvas.Font().SetStyle(style);
  const auto& colors = SkinData->Skin().Colors;
  TColor color;
  if (item->Enabled())
    color = selected ? colors[scHilightText] : colors[scMenuText];
  else if (colors[scButtonShadow] == colors[scMenuText])
    color = static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW));
  else
    color = colors[scButtonShadow];
  canvas.Font().SetColor(color);
  SelectObject(dc, canvas.Font().Handle());
  SetTextColor(dc, ColorToRGB(color));
  DrawWideText(dc, text, rect, flags);
}

// --- The skinned system menu ---------------------------------------------------------------

void TWinSkinForm::BuildSysMenu() {
  delete SysMenu;
  SysMenu = nullptr;
  const TOsVersion& v = OsVersion();
  if (v.NTFamily && v.Major < 5) return BuildFixedSysMenu();
  if (!SysMenuHandle) return;
  SysMenu = new TPopupMenu(this);
  SysMenu->SetTag(kSysMenuTag);
  SysMenu->SetOwnerDraw(true);
  SysMenu->SetImages(&SkinData->MenuGlyphs());
  const int count = GetMenuItemCount(SysMenuHandle);
  for (int i = 0; i < count; ++i) {
    wchar_t text[kMenuTextLength] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kMenuTextLength - 1;
    if (!GetMenuItemInfoW(SysMenuHandle, static_cast<UINT>(i), TRUE, &info)) continue;
    auto* item = new TMenuItem(SysMenu);
    item->SetCaption(text[0] ? std::wstring(text) : L"-");
    item->SetTag(static_cast<std::intptr_t>(info.wID));
    const bool asMenu = info.fState != MFS_GRAYED;
    bool enabled = asMenu;
    int image = -1;
    switch (info.wID) {
    case SC_SIZE:
      // Only a window in its normal state with a sizing frame can be sized.
      enabled = !Maximized() && !Minimized() && (Style & WS_THICKFRAME);
      break;
    case SC_MOVE: enabled = !Maximized(); break;
    case SC_MINIMIZE:
      image = 2;
      enabled = !Minimized() && (FrameButtons & 2);
      break;
    case SC_MAXIMIZE:
      image = 1;
      enabled = !Maximized() && (FrameButtons & 1);
      break;
    case SC_CLOSE: image = 3; break;
    case SC_RESTORE:
      image = 0;
      enabled = WindowState != 0;
      break;
    default: break;
    }
    item->SetImageIndex(image);
    item->SetEnabled(enabled);
    item->SetChecked((info.fState & MFS_CHECKED) != 0);
    item->OnClick = TNotifyEvent(this, &TWinSkinForm::SysCommandClick);
    item->OnDrawItem = TMenuDrawItemEvent(this, &TWinSkinForm::DrawMenuItem);
    item->OnMeasureItem = TMenuMeasureItemEvent(this, &TWinSkinForm::MeasurePopupItem);
    SysMenu->Items().Add(item);
  }
}

void TWinSkinForm::BuildFixedSysMenu() {
  delete SysMenu;
  SysMenu = new TPopupMenu(this);
  SysMenu->SetTag(kSysMenuTag);
  SysMenu->SetOwnerDraw(true);
  SysMenu->SetImages(&SkinData->MenuGlyphs());
  auto add = [this](const wchar_t* caption, int tag, bool enabled) {
    auto* item = new TMenuItem(SysMenu);
    item->SetCaption(caption);
    item->SetTag(tag);
    if (tag != 100) item->SetImageIndex(tag);
    item->SetEnabled(enabled);
    item->OnClick = TNotifyEvent(this, &TWinSkinForm::SysMenuClick);
    item->OnDrawItem = TMenuDrawItemEvent(this, &TWinSkinForm::DrawMenuItem);
    item->OnMeasureItem = TMenuMeasureItemEvent(this, &TWinSkinForm::MeasurePopupItem);
    SysMenu->Items().Add(item);
    return item;
  };
  add(L" Restore ", 0, WindowState != 0);
  if (FrameButtons & 1) add(L" Maximize ", 1, !Maximized());
  if (FrameButtons & 2) add(L" Minimize ", 2, !Minimized());
  add(L"-", 100, true);
  add(L" Close ", 3, true)->SetShortCut(TextToShortCut(L"ALT+F4"));
}

void TWinSkinForm::SysCommandClick(TObject* sender) {
  if (auto* item = As<TMenuItem>(sender))
    PostMessageW(Handle, WM_SYSCOMMAND, static_cast<WPARAM>(item->Tag()), 0);
}

void TWinSkinForm::SysMenuClick(TObject* sender) {
  auto* item = As<TMenuItem>(sender);
  if (!item) return;
  switch (item->Tag()) {
  case 0: RestoreWindow(); break;
  case 1: MaximizeWindow(); break;
  case 2: MinimizeWindow(); break;
  case 3:
    if (HintTimer) HintTimer->SetEnabled(false);
    PostMessageW(Handle, WM_CLOSE, 0, 0);
    break;
  default: break;
  }
}

void TWinSkinForm::OpenSysMenu(POINT screen) {
  TSkinManage* m = Manager();
  // A manager inside a library module leaves the program's system menus alone.
  const HINSTANCE module = SkinProcess().ModuleInstance;
  if (module && module != GetModuleHandleW(nullptr)) return;
  const DWORD now = GetTickCount();
  const bool fromButton = HotObject != nullptr;
  if (fromButton && LastSysMenuFromButton && now - LastSysMenuTick <= DoubleClickTime) {
    // A second opening on the button within the double-click time closes
    // the window, as a double click on a system menu does. Only two on the
    // button do: a right click on the caption or Alt+Space just before
    // must not make a press on the button close the window.
    LastSysMenuFromButton = false;
    if (HintTimer) HintTimer->SetEnabled(false);
    PostMessageW(Handle, WM_CLOSE, 0, 0);
    return;
  }
  if (m) m->PopupKind = 2;
  LastSysMenuTick = now;
  LastSysMenuFromButton = fromButton;
  BuildSysMenu();
  if (SysMenu) SysMenu->Popup(screen.x, screen.y);
}

// --- The edits' context menu ---------------------------------------------------------------

void TWinSkinForm::ShowEditMenu(HWND edit, POINT screen) {
  if (!IsWindow(edit)) return;
  delete EditMenu;
  EditMenu = new TPopupMenu(this);
  EditMenuTarget = edit;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(edit, GWL_STYLE));
  const bool readOnly = (style & ES_READONLY) != 0, password = (style & ES_PASSWORD) != 0;
  DWORD from = 0, to = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  const bool selection = to > from;
  const int length = GetWindowTextLengthW(edit);
  const bool clipboard =
      IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
  struct TEntry {
    const wchar_t* Caption;
    UINT Message;
    bool Enabled;
  } entries[] = {
      {L"&Undo", WM_UNDO, !readOnly && SendMessageW(edit, EM_CANUNDO, 0, 0) != 0},
      {L"-", 0, true},
      {L"Cu&t", WM_CUT, selection && !readOnly && !password},
      {L"&Copy", WM_COPY, selection && !password},
      {L"&Paste", WM_PASTE, clipboard && !readOnly},
      {L"&Delete", WM_CLEAR, selection && !readOnly},
      {L"-", 0, true},
      {L"Select &All", EM_SETSEL, length > 0 && !(from == 0 && static_cast<int>(to) >= length)},
  };
  for (const TEntry& e : entries) {
    auto* item = new TMenuItem(EditMenu);
    item->SetCaption(e.Caption);
    item->SetTag(static_cast<std::intptr_t>(e.Message));
    item->SetEnabled(e.Enabled);
    item->OnClick = TNotifyEvent(this, &TWinSkinForm::EditMenuClick);
    EditMenu->Items().Add(item);
  }
  OwnerDrawPopupMenus(this, true);
  if (GetFocus() != edit) SetFocus(edit);
  if (TSkinManage* m = Manager()) m->PopupKind = 0;
  EditMenu->Popup(screen.x, screen.y);
}

void TWinSkinForm::EditMenuClick(TObject* sender) {
  auto* item = As<TMenuItem>(sender);
  if (!item || !IsWindow(EditMenuTarget)) return;
  const auto message = static_cast<UINT>(item->Tag());
  if (message == EM_SETSEL)
    SendMessageW(EditMenuTarget, EM_SETSEL, 0, -1);
  else
    SendMessageW(EditMenuTarget, message, 0, 0);
}
