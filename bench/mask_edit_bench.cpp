// A masked edit field: one typed character through FMTValidateInput on a real Edit
// control whose procedure the application replaced, as a user types a telephone number.
// BM_EditTypeOneCharacter (edit_type_bench.cpp) is the same keystroke without the mask.
#include <korvane/format.h>
#include <korvane/masks.h>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

WNDPROC gOriginal = nullptr;
char gMask[] = "(999) 999-9999";

LRESULT CALLBACK maskedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  FMTInitCntlBlock(&block);
  block.lpszPicture = gMask;
  block.wFlags |= FMT_FLAG_REMASK | FMT_FLAG_NOTIFY;
  block.hWnd = window;
  block.uMsg = message;
  block.wParam = static_cast<UINT>(wParam);
  block.lParam = lParam;
  if (FMTValidateInput(&block)) return block.lResult;
  return CallWindowProcA(gOriginal, window, message, wParam, lParam);
}

void BM_MaskedFieldTypeOneCharacter(benchmark::State& state) {
  HWND parent = CreateWindowExA(0, "Static", "parent", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
  HWND edit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 4, 4, 200, 24, parent, nullptr, nullptr,
                              nullptr);
  gOriginal = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC));
  SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(maskedProc));
  int typed = 0;
  for (auto _ : state) {
    SendMessageA(edit, WM_CHAR, '0' + typed % 10, 1);
    if (++typed == 10) {  // the number is complete: start the next one
      state.PauseTiming();
      CallWindowProcA(gOriginal, edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
      typed = 0;
      state.ResumeTiming();
    }
  }
  DestroyWindow(parent);
}

BENCHMARK(BM_MaskedFieldTypeOneCharacter);

}  // namespace
