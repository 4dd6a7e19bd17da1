// Example: apply an input mask to typed characters and take it off again.
// Family: Input masks
#include <korvane/korvane.h>

#include <cstdio>
#include <cstring>
#include <vector>

int main() {
  const char* mask = "(999) 999-9999";
  const char* typed = "5551234567";
  std::printf("valid mask: %d, places: %d, literals: %d\n", FMTIsValidMaskFormat(mask), FMTCntMaskChars(mask),
              FMTCntNonMaskChars(mask));

  // The masked text is at most as long as the mask (unlimited masks: plus the input).
  std::vector<char> masked(std::strlen(mask) + 1);
  if (FMTMaskText(typed, masked.data(), mask) == 1) std::printf("masked: %s\n", masked.data());

  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  FMTInitCntlBlock(&block);
  std::vector<char> plain(std::strlen(masked.data()) + 1);
  block.lpszInput = masked.data();
  block.lpszPicture = const_cast<LPSTR>(mask);
  block.lpszOutput = plain.data();
  if (FMTUnmaskInput(&block) == 1) std::printf("unmasked: %s\n", plain.data());

  // Text whose literals do not match the mask is refused.
  block.lpszInput = const_cast<LPSTR>("555-123-4567");
  std::printf("refused: %d\n", FMTUnmaskInput(&block) == 0);
  return 0;
}

/* Prints:
valid mask: 1, places: 10, literals: 4
masked: (555) 123-4567
unmasked: 5551234567
refused: 1
*/
