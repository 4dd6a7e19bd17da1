// Messages through the window manager: a send to a window of the same thread, and a
// post taken and dispatched, per message.
#include <benchmark/benchmark.h>

#include <korvane/win32.h>

namespace {

LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return static_cast<LRESULT>(wParam + 1);
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND benchWindow() {
  static HWND window = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = countingProc;
    wc.lpszClassName = "KvBenchWindow";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "KvBenchWindow", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  }();
  return window;
}

void BM_SendMessageSameThread(benchmark::State& state) {
  HWND window = benchWindow();
  WPARAM n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(n = static_cast<WPARAM>(SendMessageA(window, WM_USER, n, 0)));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SendMessageSameThread);

void BM_PostGetDispatch(benchmark::State& state) {
  HWND window = benchWindow();
  MSG msg;
  for (auto _ : state) {
    PostMessageA(window, WM_USER, 1, 0);
    GetMessageA(&msg, nullptr, 0, 0);
    benchmark::DoNotOptimize(DispatchMessageA(&msg));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PostGetDispatch);

}  // namespace
