// fontconfig matching of logical fonts, with the old Windows face names substituted.
#include "font_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

namespace kw::gdi {
namespace {

std::mutex& matchMutex() {
  static std::mutex m;
  return m;
}

FcConfig* config() {
  static FcConfig* c = [] {
    FcInit();
    return FcConfigGetCurrent();
  }();
  return c;
}

// ASCII names compare without case; others (double-byte ones) as they are, since their
// trail bytes may look like capitals.
std::string lower(const char* s) {
  std::string out(s);
  for (char c : out)
    if (static_cast<unsigned char>(c) >= 0x80) return out;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Faces that old programs name, onto families fontconfig knows (or its generic names).
// The Japanese names arrive in Shift-JIS, as callers under code page 932 write them.
const char* substitute(const std::string& name) {
  static const std::pair<const char*, const char*> table[] = {
      {"ms sans serif", "DejaVu Sans"},     {"ms shell dlg", "DejaVu Sans"},
      {"ms shell dlg 2", "DejaVu Sans"},    {"system", "DejaVu Sans"},
      {"helv", "DejaVu Sans"},              {"arial", "DejaVu Sans"},
      {"microsoft sans serif", "DejaVu Sans"}, {"tahoma", "DejaVu Sans"},
      {"segoe ui", "DejaVu Sans"},          {"ms serif", "DejaVu Serif"},
      {"times new roman", "DejaVu Serif"},  {"tms rmn", "DejaVu Serif"},
      {"times", "DejaVu Serif"},            {"courier new", "DejaVu Sans Mono"},
      {"courier", "DejaVu Sans Mono"},      {"fixedsys", "DejaVu Sans Mono"},
      {"terminal", "DejaVu Sans Mono"},     {"ms gothic", "IPAGothic"},
      {"ms pgothic", "IPAPGothic"},         {"ms ui gothic", "IPAPGothic"},
      {"ms mincho", "IPAMincho"},           {"ms pmincho", "IPAPMincho"},
      {"\x82l\x82r \x83S\x83V\x83\x62\x83N", "IPAGothic"},           // MS Gothic
      {"\x82l\x82r \x82o\x83S\x83V\x83\x62\x83N", "IPAPGothic"},     // MS PGothic
      {"\x82l\x82r \x96\xbe\x92\xa9", "IPAMincho"},                  // MS Mincho
  };
  for (const auto& [from, to] : table)
    if (name == from) return to;
  return nullptr;
}

const char* generic(BYTE pitchAndFamily) {
  if ((pitchAndFamily & 0x03) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN) return "monospace";
  if ((pitchAndFamily & 0xF0) == FF_ROMAN) return "serif";
  return "sans-serif";
}

const char* languageOf(BYTE charSet) {
  switch (charSet) {
    case SHIFTJIS_CHARSET: return "ja";
    case HANGEUL_CHARSET: return "ko";
    case GB2312_CHARSET: return "zh-cn";
    case CHINESEBIG5_CHARSET: return "zh-tw";
    default: return nullptr;
  }
}

int win32Weight(int fcWeight) {
  if (fcWeight <= FC_WEIGHT_THIN) return FW_THIN;
  if (fcWeight <= FC_WEIGHT_LIGHT) return FW_LIGHT;
  if (fcWeight <= FC_WEIGHT_REGULAR) return FW_NORMAL;
  if (fcWeight <= FC_WEIGHT_MEDIUM) return FW_MEDIUM;
  if (fcWeight <= FC_WEIGHT_DEMIBOLD) return FW_SEMIBOLD;
  if (fcWeight <= FC_WEIGHT_BOLD) return FW_BOLD;
  return FW_HEAVY;
}

FaceMatch describe(FcPattern* p) {
  FaceMatch m;
  FcChar8* s = nullptr;
  if (FcPatternGetString(p, FC_FILE, 0, &s) != FcResultMatch) return m;
  m.file = reinterpret_cast<const char*>(s);
  if (FcPatternGetString(p, FC_FAMILY, 0, &s) == FcResultMatch) m.family = reinterpret_cast<const char*>(s);
  int v = 0;
  if (FcPatternGetInteger(p, FC_INDEX, 0, &v) == FcResultMatch) m.index = v;
  if (FcPatternGetInteger(p, FC_SPACING, 0, &v) == FcResultMatch) m.monospace = v >= FC_MONO;
  if (FcPatternGetInteger(p, FC_WEIGHT, 0, &v) == FcResultMatch) m.weight = win32Weight(v);
  if (FcPatternGetInteger(p, FC_SLANT, 0, &v) == FcResultMatch) m.italic = v != FC_SLANT_ROMAN;
  FcBool b = FcTrue;
  if (FcPatternGetBool(p, FC_SCALABLE, 0, &b) == FcResultMatch) m.scalable = b;
  return m;
}

FaceMatch runMatch(FcPattern* pattern) {
  FcConfigSubstitute(config(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* found = FcFontMatch(config(), pattern, &result);
  FaceMatch m;
  if (found) {
    m = describe(found);
    FcPatternDestroy(found);
  }
  return m;
}

}  // namespace

BYTE defaultCharSet() {
  switch (GetACP()) {
    case 932: return SHIFTJIS_CHARSET;
    case 949: return HANGEUL_CHARSET;
    case 936: return GB2312_CHARSET;
    case 950: return CHINESEBIG5_CHARSET;
    default: return ANSI_CHARSET;
  }
}

FaceMatch matchFace(const LOGFONTA& log) {
  std::string name = lower(log.lfFaceName);
  bool bold = log.lfWeight >= FW_SEMIBOLD;
  BYTE charSet = log.lfCharSet == DEFAULT_CHARSET ? defaultCharSet() : log.lfCharSet;
  using Key = std::tuple<std::string, bool, bool, BYTE, BYTE>;
  Key key{name, bold, log.lfItalic != 0, name.empty() ? log.lfPitchAndFamily : BYTE(0), charSet};
  std::scoped_lock lock(matchMutex());
  static std::map<Key, FaceMatch> cache;
  if (auto it = cache.find(key); it != cache.end()) return it->second;

  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return {};
  const char* family = name.empty() ? generic(log.lfPitchAndFamily) : substitute(name);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family ? family : log.lfFaceName));
  if (name.empty() || !family) {
    // Unknown names fall back by pitch and family, as Win32's mapper does.
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic(log.lfPitchAndFamily)));
  }
  if (const char* lang = languageOf(charSet); lang && name.empty())
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, log.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FaceMatch m = runMatch(pattern);
  FcPatternDestroy(pattern);
  if (cache.size() > 256) cache.clear();  // bounded; matches are cheap to redo
  cache.emplace(key, m);
  return m;
}

FaceMatch matchFallback(char32_t c) {
  std::scoped_lock lock(matchMutex());
  static std::map<char32_t, FaceMatch> cache;
  if (auto it = cache.find(c); it != cache.end()) return it->second;
  FcPattern* pattern = FcPatternCreate();
  FcCharSet* set = FcCharSetCreate();
  if (!pattern || !set) {
    if (pattern) FcPatternDestroy(pattern);
    if (set) FcCharSetDestroy(set);
    return {};
  }
  FcCharSetAddChar(set, c);
  FcPatternAddCharSet(pattern, FC_CHARSET, set);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  if (const char* lang = languageOf(defaultCharSet()))
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
  FaceMatch m = runMatch(pattern);
  FcCharSetDestroy(set);
  FcPatternDestroy(pattern);
  if (cache.size() > 1024) cache.clear();
  cache.emplace(c, m);
  return m;
}

std::vector<InstalledFace> installedFaces() {
  std::vector<InstalledFace> out;
  std::scoped_lock lock(matchMutex());
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* fields = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_INDEX, FC_SPACING, FC_WEIGHT, FC_SLANT,
                                         FC_SCALABLE, FC_LANG, nullptr);
  FcFontSet* set = pattern && fields ? FcFontList(config(), pattern, fields) : nullptr;
  if (set) {
    for (int i = 0; i < set->nfont; ++i) {
      InstalledFace f;
      f.match = describe(set->fonts[i]);
      if (f.match.file.empty() || f.match.family.size() >= LF_FACESIZE) continue;
      FcChar8* s = nullptr;
      if (FcPatternGetString(set->fonts[i], FC_STYLE, 0, &s) == FcResultMatch) f.style = reinterpret_cast<const char*>(s);
      FcLangSet* langs = nullptr;
      if (FcPatternGetLangSet(set->fonts[i], FC_LANG, 0, &langs) == FcResultMatch) {
        f.latin = FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("en")) != FcLangDifferentLang;
        f.japanese = FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ja")) != FcLangDifferentLang;
      }
      out.push_back(std::move(f));
    }
    FcFontSetDestroy(set);
  }
  if (fields) FcObjectSetDestroy(fields);
  if (pattern) FcPatternDestroy(pattern);
  // A stable order: by family, the style nearest to regular first.
  auto key = [](const InstalledFace& f) {
    return std::make_tuple(f.match.family, std::abs(f.match.weight - FW_NORMAL), f.match.italic, f.style);
  };
  std::stable_sort(out.begin(), out.end(),
                   [&](const InstalledFace& a, const InstalledFace& b) { return key(a) < key(b); });
  return out;
}

}  // namespace kw::gdi
