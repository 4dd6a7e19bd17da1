// The window tree and z-order, window longs and subclassing, text and properties.
#include <gtest/gtest.h>

#include "message_log.h"
#include "platform/emulated_system.h"

namespace {

HWND popup(const char* name, HWND owner = nullptr, DWORD exStyle = 0) {
  registerLogged();
  return CreateWindowExA(exStyle, "Logged", name, WS_POPUP, 0, 0, 100, 100, owner, nullptr, nullptr, nullptr);
}

HWND child(HWND parent, int id, const char* name = "c") {
  return CreateWindowExA(0, "Logged", name, WS_CHILD, 0, 0, 10, 10, parent, reinterpret_cast<HMENU>(id), nullptr,
                         nullptr);
}

TEST(WindowTree, ChildrenInCreationOrderTopLevelWindowsNewestFirstOwnersAbove) {
  HWND parent = popup("parent");
  HWND a = child(parent, 1), b = child(parent, 2), c = child(parent, 3);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
  EXPECT_EQ(GetParent(b), parent);
  EXPECT_TRUE(IsChild(parent, b));
  EXPECT_FALSE(IsChild(b, parent));

  ASSERT_TRUE(SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
  EXPECT_EQ(GetWindow(parent, GW_CHILD), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), a);
  ASSERT_TRUE(SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);

  HWND owned = popup("owned", b);  // the owner is the child's top-level window
  EXPECT_EQ(GetWindow(owned, GW_OWNER), parent);
  EXPECT_EQ(GetParent(owned), parent);
  EXPECT_EQ(GetAncestor(b, GA_ROOT), parent);
  EXPECT_EQ(GetAncestor(owned, GA_ROOTOWNER), parent);
  EXPECT_EQ(GetTopWindow(nullptr), owned);
  EXPECT_EQ(GetWindow(owned, GW_HWNDNEXT), parent);

  HWND topmost = popup("topmost", nullptr, WS_EX_TOPMOST);
  HWND later = popup("later");
  EXPECT_EQ(GetTopWindow(nullptr), topmost);  // a plain window stays below topmost ones
  EXPECT_EQ(GetWindow(topmost, GW_HWNDNEXT), later);

  EXPECT_EQ(FindWindowA("LOGGED", "PARENT"), parent);
  EXPECT_EQ(FindWindowA(nullptr, "owned"), owned);
  EXPECT_EQ(FindWindowA("Logged", "nobody"), nullptr);
  EXPECT_EQ(FindWindowExA(parent, a, nullptr, "c"), c);

  // Owned windows go with their owner.
  DestroyWindow(parent);
  EXPECT_FALSE(IsWindow(owned));
  EXPECT_FALSE(IsWindow(c));
  DestroyWindow(topmost);
  DestroyWindow(later);
}

LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, "Previous"));
  if (message == WM_USER) return 100 + CallWindowProcA(previous, window, message, wParam, lParam);
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK baseProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return 1;
  return loggedProc(window, message, wParam, lParam);
}

TEST(WindowLongs, ExtraBytesFixedIndexesAndSubclassing) {
  HWND w = popup("longs");
  ASSERT_NE(w, nullptr);
  // The extra bytes hold the dialog slots; past them is refused.
  EXPECT_EQ(SetWindowLongPtrA(w, DWLP_MSGRESULT, 1234), 0);
  EXPECT_EQ(GetWindowLongPtrA(w, DWLP_MSGRESULT), 1234);
  SetWindowLongPtrA(w, DWLP_USER, -7);
  EXPECT_EQ(GetWindowLongPtrA(w, DWLP_USER), -7);
  EXPECT_EQ(GetWindowLongPtrA(w, DWLP_MSGRESULT), 1234);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrA(w, DLGWINDOWEXTRA - 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  EXPECT_EQ(SetWindowLongA(w, DLGWINDOWEXTRA, 5), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  EXPECT_EQ(GetWindowLongA(w, -1000), 0);

  EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, 99), 0);
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 99);
  EXPECT_EQ(GetWindowLongPtrA(w, GWL_STYLE) & WS_POPUP, static_cast<LONG_PTR>(WS_POPUP));

  MessageLog::get().clear();
  LONG old = SetWindowLongA(w, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_BORDER));
  EXPECT_EQ(static_cast<DWORD>(old) & ~WS_CLIPSIBLINGS, WS_POPUP);
  EXPECT_EQ(MessageLog::get().take(),
            (std::vector<LoggedMessage>{{"longs", WM_STYLECHANGING, 0}, {"longs", WM_STYLECHANGED, 0}}));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)), WS_POPUP | WS_BORDER);

  // Subclassing: the new procedure sees the message first and hands it on.
  SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(baseProc));
  LONG_PTR previous = SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc));
  EXPECT_EQ(previous, reinterpret_cast<LONG_PTR>(baseProc));
  SetPropA(w, "Previous", reinterpret_cast<HANDLE>(previous));
  EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 101);
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(subclassProc));
  EXPECT_EQ(SetWindowLongPtrA(w, GWLP_WNDPROC, 0), 0);  // a null procedure is refused
  EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 101);
  DestroyWindow(w);
}

TEST(WindowText, MessagesCarryTheTextWhichNeverEndsInHalfACharacter) {
  HWND w = popup("start");
  char buffer[16];
  EXPECT_EQ(GetWindowTextA(w, buffer, sizeof buffer), 5);
  EXPECT_STREQ(buffer, "start");
  ASSERT_TRUE(SetWindowTextA(w, "a longer caption"));
  EXPECT_EQ(GetWindowTextLengthA(w), 16);
  EXPECT_EQ(GetWindowTextA(w, buffer, 6), 5);
  EXPECT_STREQ(buffer, "a lon");
  EXPECT_EQ(GetWindowTextA(w, buffer, 0), 0);
  SetWindowTextA(w, nullptr);
  EXPECT_EQ(GetWindowTextLengthA(w), 0);
  {
    EmulatedSystem japanese(0x0411);
    SetWindowTextA(w, "ab\x93\xfa\x96\x7b");  // "ab" and two double-byte characters
    EXPECT_EQ(GetWindowTextA(w, buffer, 4), 2);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(GetWindowTextA(w, buffer, 5), 4);
  }
  DestroyWindow(w);
}

TEST(WindowProps, NamesIgnoreCaseAtomsWorkRemovalGivesTheValueBack) {
  HWND w = popup("props");
  auto value = [](int n) { return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(n)); };
  EXPECT_TRUE(SetPropA(w, "DlgPrinterSetupData", value(11)));
  EXPECT_EQ(GetPropA(w, "DLGPRINTERSETUPDATA"), value(11));
  EXPECT_TRUE(SetPropA(w, "dlgprintersetupdata", value(12)));
  EXPECT_EQ(GetPropA(w, "DlgPrinterSetupData"), value(12));
  EXPECT_TRUE(SetPropA(w, MAKEINTATOM(0x1234), value(13)));
  EXPECT_EQ(GetPropA(w, MAKEINTATOM(0x1234)), value(13));
  EXPECT_EQ(GetPropA(w, "Other"), nullptr);
  EXPECT_FALSE(SetPropA(w, "", value(1)));
  EXPECT_EQ(RemovePropA(w, "DlgPrinterSetupData"), value(12));
  EXPECT_EQ(GetPropA(w, "DlgPrinterSetupData"), nullptr);
  EXPECT_EQ(RemovePropA(w, "DlgPrinterSetupData"), nullptr);
  DestroyWindow(w);  // the atom property goes with the window
}

}  // namespace
