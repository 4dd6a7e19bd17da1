// Typing into an Edit control: one WM_CHAR through its window procedure, with the
// notifications its parent gets and the repaint it asks for.
#include <korvane/win32.h>

#include <benchmark/benchmark.h>

namespace {

void BM_EditTypeOneCharacter(benchmark::State& state) {
  HWND parent = CreateWindowExA(0, "Static", "parent", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
  HWND edit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 4, 4, 200, 24, parent,
                              nullptr, nullptr, nullptr);
  SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  int typed = 0;
  for (auto _ : state) {
    SendMessageA(edit, WM_CHAR, 'a' + typed % 26, 1);
    if (++typed == 64) {  // a field's worth of text, then start again
      state.PauseTiming();
      SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
      typed = 0;
      state.ResumeTiming();
    }
  }
  DestroyWindow(parent);
}
BENCHMARK(BM_EditTypeOneCharacter);

}  // namespace
