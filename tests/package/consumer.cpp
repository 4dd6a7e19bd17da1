// Built outside the tree against the installed package: one library call, one Win32 call.
#include <korvane/korvane.h>
#include <korvane/win32.h>

#include <cstdio>

int main() {
  NUMBER n;
  NumMakeNull(&n);
  std::printf("null=%d acp=%lu\n", NumIsNull(&n), static_cast<unsigned long>(GetACP()));
  return NumIsNull(&n) == 1 ? 0 : 1;
}
