// Mouse input through SendInput: the standard controls clicked, double clicks, capture,
// the windows at a point, the owner of a modal dialog, activation on the window's own
// thread, and a flood of moves merged in the queue.
#include <korvane/win32.h>

#include <gtest/gtest.h>

#include <climits>
#include <future>
#include <thread>
#include <vector>

#include "user32/dialog_template.h"

namespace {

struct Seen {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Seen> gSeen;  // what probe windows received, WM_COMMAND among it

LRESULT CALLBACK probeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_CAPTURECHANGED || message == WM_COMMAND)
    gSeen.push_back({window, message, wParam, lParam});
  return DefWindowProcA(window, message, wParam, lParam);
}

// A visible top-level window of a probe class at screen x, y: "KwMouseProbe" has
// CS_DBLCLKS, "KwMouseProbePlain" not.
HWND probe(int x, int y, int cx = 200, int cy = 150, DWORD style = WS_POPUP | WS_VISIBLE,
           const char* cls = "KwMouseProbe") {
  static bool registered = [] {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = probeProc;
    wc.lpszClassName = "KwMouseProbe";
    bool done = RegisterClassA(&wc) != 0;
    wc.style = 0;
    wc.lpszClassName = "KwMouseProbePlain";
    return done && RegisterClassA(&wc) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowExA(0, cls, "", style, x, y, cx, cy, nullptr, nullptr, nullptr, nullptr);
}

HWND control(HWND parent, const char* cls, DWORD style, int id, RECT r, const char* text = "") {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

UINT mouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = dx;
  in.mi.dy = dy;
  in.mi.dwFlags = flags;
  return SendInput(1, &in, sizeof in);
}

// To a screen pixel, through the 0..65535 scale (rounded up so it comes back exact).
void moveTo(POINT p) {
  const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (p.x * 65536 + w - 1) / w, (p.y * 65536 + h - 1) / h);
}

void press(POINT p) {
  moveTo(p);
  mouse(MOUSEEVENTF_LEFTDOWN);
}

void click(POINT p) {
  press(p);
  mouse(MOUSEEVENTF_LEFTUP);
}

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The screen point of client point x, y of a window.
POINT at(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

POINT centre(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return at(window, r.right / 2, r.bottom / 2);
}

// The notification codes a parent was sent, or the other messages a window received.
std::vector<UINT> seenBy(HWND window, bool notices) {
  std::vector<UINT> out;
  for (const Seen& s : gSeen)
    if (s.window == window && (s.message == WM_COMMAND) == notices) out.push_back(notices ? HIWORD(s.wParam) : s.message);
  return out;
}
std::vector<UINT> notices(HWND parent) { return seenBy(parent, true); }
std::vector<UINT> messagesOf(HWND window) { return seenBy(window, false); }

TEST(Mouse, PushButtonClicksOnReleaseInsideAndItsWindowIsActivated) {
  HWND parent = probe(300, 200), other = probe(700, 500, 100, 100);
  HWND button = control(parent, "Button", BS_PUSHBUTTON, 7, {10, 10, 90, 34}, "OK");
  SetActiveWindow(other);
  pump();
  gSeen.clear();
  press(centre(button));
  EXPECT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
  EXPECT_GE(GetKeyState(VK_LBUTTON), 0);  // until the thread takes the press
  pump();
  EXPECT_LT(GetKeyState(VK_LBUTTON), 0);
  EXPECT_EQ(GetActiveWindow(), parent);
  EXPECT_EQ(GetForegroundWindow(), parent);
  EXPECT_EQ(GetFocus(), button);
  EXPECT_EQ(GetCapture(), button);
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  mouse(MOUSEEVENTF_LEFTUP);
  pump();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
  EXPECT_EQ(notices(parent), (std::vector<UINT>{BN_CLICKED}));

  // Pressed, then let go outside: the capture brings the release, which does not click.
  gSeen.clear();
  press(at(button, 20, 5));
  pump();
  moveTo(at(parent, 150, 120));
  pump();
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);  // out of it: raised
  mouse(MOUSEEVENTF_LEFTUP);
  pump();
  EXPECT_EQ(notices(parent), std::vector<UINT>{});
  EXPECT_EQ(messagesOf(parent), std::vector<UINT>{});  // the capture kept even the moves away
  EXPECT_EQ(GetCapture(), nullptr);
  DestroyWindow(other);
  DestroyWindow(parent);
}

TEST(Mouse, ListBoxSelectsOnPressAndTellsOfADoubleClick) {
  HWND parent = probe(300, 200);
  HWND list = control(parent, "ListBox", LBS_NOTIFY, 8, {10, 10, 150, 120});
  for (const char* s : {"zero", "one", "two", "three"}) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  RECT line{};
  ASSERT_EQ(SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&line)), 1);
  const POINT two = at(list, 20, (line.top + line.bottom) / 2);
  pump();
  gSeen.clear();
  press(two);
  pump();
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);  // on the press already
  mouse(MOUSEEVENTF_LEFTUP);
  click(two);
  pump();
  EXPECT_EQ(notices(parent), (std::vector<UINT>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));

  // A third press begins again; one more than two pixels off is no double click either.
  click(two);
  click(POINT{two.x + 3, two.y});
  pump();
  EXPECT_EQ(notices(parent), (std::vector<UINT>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
  EXPECT_EQ(GetDoubleClickTime(), 500u);
  DestroyWindow(parent);

  // A class without CS_DBLCLKS gets the second press as a press.
  HWND plain = probe(300, 200, 200, 150, WS_POPUP | WS_VISIBLE, "KwMouseProbePlain");
  pump();
  gSeen.clear();
  click(centre(plain));
  click(centre(plain));
  pump();
  const std::vector<UINT> one{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP};  // a move even where it was
  std::vector<UINT> twice = one;
  twice.insert(twice.end(), one.begin(), one.end());
  EXPECT_EQ(messagesOf(plain), twice);
  DestroyWindow(plain);
}

TEST(Mouse, EditCaretGoesToTheNearestCharacterEdgeAndDraggingSelects) {
  HWND parent = probe(300, 200);
  HWND edit = control(parent, "Edit", 0, 9, {10, 10, 190, 34}, "abcdefgh");
  pump();
  // Where the edit control's margin and the system font put the edge before character n.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  const auto edge = [&](int n) {
    SIZE size{};
    GetTextExtentPoint32A(dc, "abcdefgh", n, &size);
    return 2 + static_cast<int>(size.cx);
  };
  const auto selection = [&] { return static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0)); };
  click(at(edit, edge(3) + 1, 10));  // just right of the edge: the caret before "d"
  pump();
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(selection(), static_cast<DWORD>(MAKELONG(3, 3)));
  click(at(edit, 170, 10));  // past the end
  pump();
  EXPECT_EQ(selection(), static_cast<DWORD>(MAKELONG(8, 8)));
  click(at(edit, edge(5) - 1, 10));  // on the right half of "e": after it
  pump();
  EXPECT_EQ(selection(), static_cast<DWORD>(MAKELONG(5, 5)));
  press(at(edit, edge(1), 10));
  moveTo(at(edit, edge(4), 10));
  mouse(MOUSEEVENTF_LEFTUP);
  pump();
  EXPECT_EQ(selection(), static_cast<DWORD>(MAKELONG(1, 4)));
  EXPECT_EQ(GetCapture(), nullptr);
  SelectObject(dc, old);
  DeleteDC(dc);
  DestroyWindow(parent);
}

TEST(Mouse, CaptureTakesMovesAnywhereInClientCoordinates) {
  HWND a = probe(300, 200), b = probe(600, 200);
  pump();
  gSeen.clear();
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(GetCapture(), a);
  keybd_event(VK_SHIFT, 0, 0, 0);
  moveTo({250, 180});  // left of and above a
  pump();
  moveTo(centre(b));  // over b
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  pump();
  ASSERT_EQ(gSeen.size(), 2u);
  EXPECT_EQ(gSeen[0].window, a);
  EXPECT_EQ(static_cast<short>(LOWORD(gSeen[0].lParam)), -50);
  EXPECT_EQ(static_cast<short>(HIWORD(gSeen[0].lParam)), -20);
  EXPECT_EQ(gSeen[0].wParam, static_cast<WPARAM>(MK_SHIFT));
  EXPECT_EQ(gSeen[1].window, a);
  EXPECT_EQ(static_cast<short>(LOWORD(gSeen[1].lParam)), 400);

  // Another thread neither sees nor takes this thread's capture.
  std::thread([&] {
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_TRUE(ReleaseCapture());
  }).join();
  EXPECT_EQ(GetCapture(), a);

  gSeen.clear();
  EXPECT_EQ(SetCapture(b), a);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_EQ(gSeen.size(), 2u);
  EXPECT_EQ(gSeen[0].window, a);
  EXPECT_EQ(gSeen[0].message, static_cast<UINT>(WM_CAPTURECHANGED));
  EXPECT_EQ(gSeen[0].lParam, reinterpret_cast<LPARAM>(b));
  EXPECT_EQ(gSeen[1].window, b);
  EXPECT_EQ(gSeen[1].lParam, 0);

  // A capture window that goes leaves no capture behind.
  SetCapture(b);
  DestroyWindow(b);
  EXPECT_EQ(GetCapture(), nullptr);
  moveTo(centre(a));
  pump();
  EXPECT_EQ(gSeen.back().window, a);
  DestroyWindow(a);
}

TEST(Mouse, WindowsAtAPoint) {
  HWND below = probe(300, 200), above = probe(350, 250, 100, 100, WS_POPUP);
  HWND child = control(below, "Static", 0, 1, {10, 10, 40, 40});
  const POINT inChild = at(below, 20, 20), overlap = at(below, 100, 100);
  EXPECT_EQ(WindowFromPoint(inChild), child);
  EnableWindow(child, FALSE);
  EXPECT_EQ(WindowFromPoint(inChild), below);  // a disabled child gives its parent
  EXPECT_EQ(ChildWindowFromPoint(below, POINT{20, 20}), child);  // which still counts here
  EXPECT_EQ(ChildWindowFromPoint(below, POINT{100, 100}), below);
  EXPECT_EQ(ChildWindowFromPoint(below, POINT{-1, 20}), nullptr);
  EXPECT_EQ(WindowFromPoint(overlap), below);  // `above` is hidden
  ShowWindow(above, SW_SHOWNA);
  EXPECT_EQ(WindowFromPoint(overlap), above);
  ShowWindow(above, SW_HIDE);
  EXPECT_EQ(WindowFromPoint(overlap), below);
  DestroyWindow(above);
  DestroyWindow(below);
}

// The modal dialog's timer clicks its disabled owner, then the dialog's OK button.
HWND gModalOwner = nullptr;
BOOL gMouseQueuedForOwner = TRUE;
HWND gOwnerHit = nullptr;

INT_PTR CALLBACK clickingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetTimer(dialog, 1, 10, nullptr);
    return TRUE;
  }
  if (message == WM_TIMER) {
    KillTimer(dialog, 1);
    const POINT owner = at(gModalOwner, 390, 290);
    gOwnerHit = WindowFromPoint(owner);
    click(owner);
    MSG m;
    gMouseQueuedForOwner = PeekMessageA(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE);
    click(centre(GetDlgItem(dialog, IDOK)));
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

TEST(Mouse, TheOwnerOfAModalDialogTakesNoClicks) {
  gModalOwner = probe(100, 100, 400, 300, WS_POPUP | WS_VISIBLE);
  pump();
  gSeen.clear();
  kw::user32::DialogTemplateWriter t(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 10, 10, 100, 50, "Modal", 8, "Helv");
  t.add(IDOK, 0x80, nullptr, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 30, 20, 40, 14);
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, static_cast<LPCDLGTEMPLATEA>(t.data()), gModalOwner, clickingDialogProc, 0),
            IDOK);
  EXPECT_EQ(gOwnerHit, gModalOwner);  // there, but disabled
  EXPECT_FALSE(gMouseQueuedForOwner);
  EXPECT_EQ(messagesOf(gModalOwner), std::vector<UINT>{});
  DestroyWindow(gModalOwner);
}

TEST(Mouse, APressActivatesOnTheWindowsOwnThread) {
  HWND mine = probe(100, 100, 100, 100);
  SetActiveWindow(mine);
  HWND activeAtPress = nullptr;
  std::promise<HWND> shown;
  std::thread other([&] {
    HWND w = probe(500, 300, 100, 100, WS_POPUP);
    ShowWindow(w, SW_SHOWNA);  // not activated
    shown.set_value(w);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
      if (msg.message == WM_LBUTTONDOWN) activeAtPress = GetActiveWindow();
      DispatchMessageA(&msg);
      if (msg.message == WM_LBUTTONUP) break;
    }
    DestroyWindow(w);
  });
  HWND theirs = shown.get_future().get();
  click(centre(theirs));
  other.join();
  EXPECT_EQ(activeAtPress, theirs);
  EXPECT_EQ(GetActiveWindow(), mine);  // this thread's own active window stays
  DestroyWindow(mine);
}

TEST(Mouse, AFloodOfMovesMergesAndThePressStays) {
  HWND w = probe(300, 200);
  moveTo(at(w, 50, 50));
  pump();
  gSeen.clear();
  for (int i = 0; i < 10000; ++i) mouse(MOUSEEVENTF_MOVE, (i % 2) ? -1 : 1, 0);
  mouse(MOUSEEVENTF_LEFTDOWN);
  mouse(MOUSEEVENTF_MOVE, 1, 0);  // a press between moves keeps them apart
  mouse(MOUSEEVENTF_MOVE, 1, 0);
  mouse(MOUSEEVENTF_LEFTUP);
  std::vector<MSG> queued;
  MSG msg;
  while (PeekMessageA(&msg, w, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) queued.push_back(msg);
  ASSERT_EQ(queued.size(), 4u);
  const UINT expected[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP};
  for (size_t i = 0; i < queued.size(); ++i) EXPECT_EQ(queued[i].message, expected[i]) << i;
  EXPECT_EQ(queued[0].lParam, MAKELONG(50, 50));  // the flood ends where it began
  EXPECT_EQ(queued[0].wParam, 0u);
  EXPECT_EQ(queued[1].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(queued[2].lParam, MAKELONG(52, 50));
  EXPECT_EQ(queued[2].wParam, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(queued[3].wParam, 0u);
  EXPECT_EQ(queued[3].pt.x, 352);
  DestroyWindow(w);
}

TEST(Mouse, BadInputIsRefusedOrKeptOnTheScreen) {
  EXPECT_EQ(SendInput(1, nullptr, sizeof(INPUT)), 0u);
  INPUT in{};
  in.type = INPUT_HARDWARE;
  EXPECT_EQ(SendInput(1, &in, sizeof in), 0u);
  EXPECT_EQ(SendInput(1, &in, 3), 0u);
  mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, INT_MAX, INT_MIN);
  POINT p{};
  GetCursorPos(&p);
  EXPECT_EQ(p.x, GetSystemMetrics(SM_CXSCREEN) - 1);
  EXPECT_EQ(p.y, 0);
  mouse(MOUSEEVENTF_MOVE, INT_MIN, INT_MAX);
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, GetSystemMetrics(SM_CYSCREEN) - 1);
  EXPECT_EQ(SetCapture(nullptr), nullptr);
  EXPECT_EQ(SetCapture(reinterpret_cast<HWND>(0x7777)), nullptr);
  EXPECT_EQ(SetCapture(GetDesktopWindow()), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(ChildWindowFromPoint(nullptr, POINT{0, 0}), nullptr);
  EXPECT_EQ(WindowFromPoint(POINT{-5, -5}), nullptr);
}

}  // namespace
