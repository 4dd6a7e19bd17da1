// X key symbols to Windows virtual keys: the keys of a US keyboard by what they are, so
// that the window manager's translation gives the characters and controls see the keys.
#include "x11/x11_state.h"

#include <X11/keysym.h>

namespace kw::x11 {
namespace {

struct KeyOf {
  KeySym symbol;
  WORD key;
  bool extended;
};

constexpr KeyOf kKeys[] = {
    {XK_BackSpace, VK_BACK, false},   {XK_Tab, VK_TAB, false},          {XK_ISO_Left_Tab, VK_TAB, false},
    {XK_Return, VK_RETURN, false},    {XK_KP_Enter, VK_RETURN, true},   {XK_Escape, VK_ESCAPE, false},
    {XK_space, VK_SPACE, false},      {XK_Delete, VK_DELETE, true},     {XK_Insert, VK_INSERT, true},
    {XK_Home, VK_HOME, true},         {XK_End, VK_END, true},           {XK_Prior, VK_PRIOR, true},
    {XK_Next, VK_NEXT, true},         {XK_Left, VK_LEFT, true},         {XK_Right, VK_RIGHT, true},
    {XK_Up, VK_UP, true},             {XK_Down, VK_DOWN, true},         {XK_Shift_L, VK_LSHIFT, false},
    {XK_Shift_R, VK_RSHIFT, false},   {XK_Control_L, VK_LCONTROL, false}, {XK_Control_R, VK_RCONTROL, true},
    {XK_Alt_L, VK_LMENU, false},      {XK_Alt_R, VK_RMENU, true},       {XK_Meta_L, VK_LMENU, false},
    {XK_Caps_Lock, VK_CAPITAL, false}, {XK_semicolon, VK_OEM_1, false}, {XK_equal, VK_OEM_PLUS, false},
    {XK_comma, VK_OEM_COMMA, false},  {XK_minus, VK_OEM_MINUS, false},  {XK_period, VK_OEM_PERIOD, false},
    {XK_slash, VK_OEM_2, false},      {XK_grave, VK_OEM_3, false},      {XK_bracketleft, VK_OEM_4, false},
    {XK_backslash, VK_OEM_5, false},  {XK_bracketright, VK_OEM_6, false}, {XK_apostrophe, VK_OEM_7, false},
};

}  // namespace

WORD virtualKeyOf(KeySym symbol, bool* extended) {
  *extended = false;
  if (symbol >= XK_a && symbol <= XK_z) return static_cast<WORD>('A' + (symbol - XK_a));
  if (symbol >= XK_A && symbol <= XK_Z) return static_cast<WORD>(symbol);
  if (symbol >= XK_0 && symbol <= XK_9) return static_cast<WORD>(symbol);
  if (symbol >= XK_F1 && symbol <= XK_F12) return static_cast<WORD>(VK_F1 + (symbol - XK_F1));
  for (const KeyOf& k : kKeys)
    if (k.symbol == symbol) {
      *extended = k.extended;
      return k.key;
    }
  return 0;
}

}  // namespace kw::x11
