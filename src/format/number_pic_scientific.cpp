// The pictures that are taken whole: the empty picture (regional number form), "$"
// (regional currency form) and scientific pictures.
#include "format/number_pic.h"


namespace kv {

namespace {
// Placeholders "0" then "#"; the number of them.
int placeholderRun(LPCSTR& p) {
  int n = 0;
  while (*p == '0') ++p, ++n;
  while (*p == '#') ++p, ++n;
  return n;
}
}  // namespace

bool IsScientificPicture(LPCSTR picture) {
  if (!picture || picture[0] != '0') return false;
  return IntlStrScan(picture, "0.%E_0%") == 0 || IntlStrScan(picture, "0.%e_0%") == 0;
}

bool IsWholePicture(LPCSTR picture) {
  return !picture[0] || (picture[0] == '$' && !picture[1]) || IsScientificPicture(picture);
}

bool IsScientificPictureValid(LPCSTR picture) {
  if (!IsScientificPicture(picture)) return false;
  LPCSTR p = picture + 2;  // "0."
  if (picture[1] != '.' || placeholderRun(p) < 1) return false;
  if (*p != 'E' && *p != 'e') return false;
  ++p;
  if (*p != '+' && *p != '-') return false;
  ++p;
  if (placeholderRun(p) < 1) return false;
  return *p == '\0';
}

}  // namespace kv
