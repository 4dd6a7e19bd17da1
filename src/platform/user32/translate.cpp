// TranslateMessage: key-down messages to characters by the US layout; VK_PACKET
// characters through the ANSI code page.
#include "user32/queue.h"
#include "user32/window.h"

namespace kw::user32 {
namespace {

bool down(int key) { return GetKeyState(key) < 0; }

// The character a key gives, 0 for none.
int characterOf(UINT key) {
  const bool shift = down(VK_SHIFT);
  if (down(VK_CONTROL) && !down(VK_MENU)) {
    if (key >= 'A' && key <= 'Z') return static_cast<int>(key - 'A' + 1);
    if (key == VK_OEM_4) return 0x1B;
    if (key == VK_OEM_5) return 0x1C;
    if (key == VK_OEM_6) return 0x1D;
    if (key == VK_RETURN) return '\n';
    if (key == VK_BACK) return 0x7F;
    return 0;
  }
  if (key >= 'A' && key <= 'Z') {
    bool upper = shift != ((GetKeyState(VK_CAPITAL) & 1) != 0);
    return static_cast<int>(upper ? key : key - 'A' + 'a');
  }
  if (key >= '0' && key <= '9') return shift ? ")!@#$%^&*("[key - '0'] : static_cast<int>(key);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return static_cast<int>('0' + key - VK_NUMPAD0);
  struct Pair {
    UINT key;
    char plain, shifted;
  };
  static const Pair pairs[] = {
      {VK_SPACE, ' ', ' '},     {VK_RETURN, '\r', '\r'},  {VK_BACK, '\b', '\b'},    {VK_TAB, '\t', '\t'},
      {VK_ESCAPE, 0x1B, 0x1B},  {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},  {VK_OEM_COMMA, ',', '<'},
      {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},
      {VK_OEM_4, '[', '{'},     {VK_OEM_5, '\\', '|'},    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
      {VK_MULTIPLY, '*', '*'},  {VK_ADD, '+', '+'},       {VK_SUBTRACT, '-', '-'},  {VK_DECIMAL, '.', '.'},
      {VK_DIVIDE, '/', '/'},
  };
  for (const Pair& p : pairs)
    if (p.key == key) return shift ? p.shifted : p.plain;
  return 0;
}

// Posted, the characters come before the keyboard input that follows their key.
void postChars(HWND window, UINT message, const char* bytes, int count, LPARAM lParam) {
  QueuePtr q = queueOf(threadOf(window));
  for (int i = 0; q && i < count; ++i)
    post(*q, MSG{window, message, static_cast<BYTE>(bytes[i]), lParam, tickCount(), {0, 0}});
}

}  // namespace
}  // namespace kw::user32

using namespace kw::user32;

KW32_API BOOL WINAPI TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  const UINT charMessage = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  if (msg->wParam == VK_PACKET) {
    WCHAR wide = static_cast<WCHAR>(HIWORD(msg->lParam));
    char bytes[4];
    int n = WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr);
    postChars(msg->hwnd, charMessage, bytes, n, 1);
    return TRUE;
  }
  int ch = characterOf(static_cast<UINT>(msg->wParam));
  char byte = static_cast<char>(ch);
  if (ch) postChars(msg->hwnd, charMessage, &byte, 1, msg->lParam);
  return TRUE;
}
