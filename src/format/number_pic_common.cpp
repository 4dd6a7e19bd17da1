// Picture buffers: bounded copies, the bounded writer, and the first step that the three
// picture converters share.
#include "format/number_pic.h"

#include <cstring>

namespace kv {

bool CopyPicture(LPCSTR picture, PictureBuffer& out) {
  out[0] = '\0';
  if (!picture) return false;
  size_t length = 0;
  while (picture[length]) {
    if (++length > static_cast<size_t>(FMT_MAX_PICTURE)) return false;
  }
  std::memcpy(out, picture, length + 1);
  return true;
}

bool StartsWithAffix(LPCSTR text, LPCSTR affix) {
  if (!affix[0]) return false;
  return std::strncmp(text, affix, std::strlen(affix)) == 0;
}

bool PictureWriter::finish(LPSTR out) const {
  if (overflow_) {
    out[0] = '\0';
    return false;
  }
  std::memcpy(out, buffer_, static_cast<size_t>(length_));
  out[length_] = '\0';
  return true;
}

ConvertStart BeginPictureConversion(const FMTCNTLBLOCK* block, PictureBuffer& picture) {
  picture[0] = '\0';
  if (!block || !block->lpszOutput) return ConvertStart::kRefused;
  // Read before the output is emptied: the caller may convert in place.
  const bool copied = CopyPicture(block->lpszPicture, picture);
  block->lpszOutput[0] = '\0';
  if (!copied) return ConvertStart::kRefused;
  if (IsWholePicture(picture)) {
    std::memcpy(block->lpszOutput, picture, std::strlen(picture) + 1);
    return ConvertStart::kDone;
  }
  return ConvertStart::kConvert;
}

}  // namespace kv
