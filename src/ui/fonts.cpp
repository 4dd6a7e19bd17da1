// Font enumeration into global blocks of packed records, and the face look-ups.
#include <korvane/fonts.h>

#include <cstddef>
#include <cstring>

static_assert(FON_FACE_RECORD == LF_FACESIZE, "a face record is the face name field");
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA keeps its Win32 size");
static_assert(offsetof(TEXTMETRICA, tmCharSet) + 1 == 53, "TEXTMETRICA keeps its Win32 layout");
static_assert(FON_SIZE_RECORD == 60 + 53 && FON_METRICS_RECORD == FON_SIZE_RECORD + 2, "record sizes");

namespace {

constexpr size_t kLogFontBytes = 60;
constexpr size_t kMetricsBytes = 53;  // through tmCharSet, without the padding

// The metrics listing's own state: count, allocation flags, block.
struct MetricsState {
  WORD count;
  UINT flags;
  HGLOBAL block;
};

// Appends one record to the block, growing it to 2 + (n + 1) records. When memory runs out
// the block keeps the records it has (a failed reallocation leaves it as it was) and 0 ends
// the enumeration.
int appendRecord(WORD& count, HGLOBAL& block, UINT flags, const BYTE* record, size_t size) {
  if (count == 0xFFFF) return 0;  // the 16-bit count is full
  if (block) GlobalUnlock(block);
  SIZE_T bytes = 2 + (static_cast<SIZE_T>(count) + 1) * size;
  HGLOBAL grown = block ? GlobalReAlloc(block, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT) : GlobalAlloc(flags, bytes);
  if (!grown) return 0;
  block = grown;
  auto* p = static_cast<BYTE*>(GlobalLock(block));
  if (!p) return 0;
  std::memcpy(p + 2 + static_cast<size_t>(count) * size, record, size);
  ++count;
  std::memcpy(p, &count, sizeof count);
  GlobalUnlock(block);
  return 1;
}

void packFont(BYTE* record, const LOGFONTA* font, const TEXTMETRICA* metrics) {
  std::memcpy(record, font, kLogFontBytes);
  std::memcpy(record + kLogFontBytes, metrics, kMetricsBytes);
}

int CALLBACK enumMetrics(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD fontType, LPARAM state) {
  auto* s = reinterpret_cast<MetricsState*>(state);
  if (!s || !font || !metrics) return 0;
  BYTE record[FON_METRICS_RECORD];
  packFont(record, font, metrics);
  WORD type = static_cast<WORD>(fontType);
  std::memcpy(record + FON_SIZE_RECORD, &type, sizeof type);
  return appendRecord(s->count, s->block, s->flags, record, sizeof record);
}

int CALLBACK takeCharSet(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM out) {
  if (font) *reinterpret_cast<BYTE*>(out) = font->lfCharSet;
  return 0;  // only the first font counts
}

int CALLBACK takePitchAndFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM out) {
  if (font) *reinterpret_cast<BYTE*>(out) = font->lfPitchAndFamily;
  return 0;
}

int CALLBACK takeBoth(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM out) {
  if (font) {
    auto* target = reinterpret_cast<LOGFONTA*>(out);
    target->lfCharSet = font->lfCharSet;
    target->lfPitchAndFamily = font->lfPitchAndFamily;
  }
  return 0;
}

HGLOBAL list(HDC dc, LPCSTR face, FONTENUMPROCA callback) {
  FONENUMSTATE state{0, nullptr};
  EnumFontsA(dc, face, callback, reinterpret_cast<LPARAM>(&state));
  return state.block;
}

int lookUp(HDC dc, LPCSTR face, FONTENUMPROCA callback, void* out) {
  if (!dc || !out) return 0;
  EnumFontsA(dc, face, callback, reinterpret_cast<LPARAM>(out));
  return 1;
}

}  // namespace

KV_API HGLOBAL KV_CALL FonGetFontFaces(HDC dc) { return list(dc, nullptr, FontEnumFaces); }

KV_API int KV_CALL FontEnumFaces(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM state) {
  auto* s = reinterpret_cast<FONENUMSTATE*>(state);
  if (!s || !font) return 0;
  BYTE record[FON_FACE_RECORD];
  std::memcpy(record, font->lfFaceName, sizeof record);
  record[FON_FACE_RECORD - 1] = 0;
  return appendRecord(s->count, s->block, GHND, record, sizeof record);
}

KV_API HGLOBAL KV_CALL FonGetFontSizes(HDC dc, LPCSTR face) { return list(dc, face, FontEnumSizes); }

KV_API int KV_CALL FontEnumSizes(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD, LPARAM state) {
  auto* s = reinterpret_cast<FONENUMSTATE*>(state);
  if (!s || !font || !metrics) return 0;
  BYTE record[FON_SIZE_RECORD];
  packFont(record, font, metrics);
  return appendRecord(s->count, s->block, GHND, record, sizeof record);
}

KV_API HGLOBAL KV_CALL FonGetFontFaceMetrics(HDC dc) {
  MetricsState state{0, GHND, nullptr};
  EnumFontsA(dc, nullptr, enumMetrics, reinterpret_cast<LPARAM>(&state));
  return state.block;
}

KV_API int KV_CALL FonGetFontCharSet(HDC dc, LPCSTR face, BYTE* charSet) {
  return lookUp(dc, face, takeCharSet, charSet);
}

KV_API int KV_CALL FonGetFontPitchAndFamily(HDC dc, LPCSTR face, BYTE* pitchAndFamily) {
  return lookUp(dc, face, takePitchAndFamily, pitchAndFamily);
}

KV_API int KV_CALL FonFixLogfont(HDC dc, LOGFONTA* font) {
  if (!font) return 0;
  char face[LF_FACESIZE];
  lstrcpynA(face, font->lfFaceName, LF_FACESIZE);  // the callback writes into the record
  return lookUp(dc, face, takeBoth, font);
}
