#pragma once
// The skin engine's window messages. Their numbers are fixed: other
// modules and skinned windows send and answer them.

#include <windows.h>

constexpr UINT SKN_SKINCHANGED = 0x3401;  // to a framework form: reload colours and refit
constexpr UINT SKN_REPAINTFRAME = 0x3502; // repaint the whole skinned frame now
constexpr UINT SKN_INITFORM = 0x3503;     // posted after the engine was made; lParam 1000
constexpr UINT SKN_ENABLE = 0x3506;       // to a painted control: wParam > 0 on, 0 off
constexpr UINT SKN_CLOSETAB = 0x3507;     // a tab's close box was clicked
constexpr UINT SKN_CUSTOMBUTTON = 0x3514; // a title button with a custom action; wParam action
constexpr UINT SKN_QUERYBUTTON = 0x3515;  // shall a programmable title button show?
constexpr UINT SKN_MDIREDRAW = 0x3516;    // to the MDI client: redraw the main window
constexpr UINT SKN_RESKINSCROLL = 0x3517; // wParam a control: give it a new scroll-bar painter
constexpr UINT SKN_MENUCLICK = 0x3518;    // lParam a screen point: press the menu button there
constexpr UINT SKN_QUERY = 0x3523;        // every engine and painter answers 1
constexpr UINT SKN_EXTPAINTCLIENT = 0xBC4A;
constexpr UINT SKN_EXTPAINT = 0xBC4B; // with SKN_MAGIC: paint the frame into the DC in wParam
constexpr UINT SKN_EXTQUERY = 0xBC4D; // with SKN_MAGIC: answered SKN_MAGIC
constexpr UINT SKN_SKINNED = 0xBC4E;  // to the window itself once its skin is complete
constexpr LPARAM SKN_MAGIC = 0x41A2;
constexpr LPARAM SKN_INITFORM_LPARAM = 1000;
