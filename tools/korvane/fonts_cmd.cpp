// korvane fonts: the font faces of the screen device, or the sizes of one face, as the
// library's font enumeration reports them.
#include <korvane/korvane.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"

namespace kvt {
namespace {

const char kFontsHelp[] =
    "usage: korvane fonts [FACE]\n"
    "Without FACE: every face of the screen, one a line, with its character set and its\n"
    "pitch and family. With FACE: each of its fonts, by point size, or \"scalable\" for an\n"
    "outline font that takes any size, with its weight, slant and average character width\n"
    "(at the size the enumeration reports it).\n";

// Face names fill at most 31 bytes of a LOGFONTA's 32.
constexpr std::size_t kFaceRoom = LF_FACESIZE;

const char* charSetName(BYTE set) {
  switch (set) {
    case ANSI_CHARSET: return "ANSI";
    case DEFAULT_CHARSET: return "DEFAULT";
    case SYMBOL_CHARSET: return "SYMBOL";
    case SHIFTJIS_CHARSET: return "SHIFTJIS";
    case HANGEUL_CHARSET: return "HANGEUL";
    case GB2312_CHARSET: return "GB2312";
    case CHINESEBIG5_CHARSET: return "CHINESEBIG5";
    case OEM_CHARSET: return "OEM";
    default: return nullptr;
  }
}

std::string charSetText(BYTE set) {
  const char* name = charSetName(set);
  return name ? name : "charset " + std::to_string(set);
}

std::string pitchAndFamilyText(BYTE value) {
  static const char* const pitches[] = {"default", "fixed", "variable", "pitch 3"};
  static const char* const families[] = {"any", "roman", "swiss", "modern", "script", "decorative"};
  const unsigned family = value >> 4;
  std::string text = pitches[value & 3];
  text += ' ';
  text += family < 6 ? families[family] : "family " + std::to_string(family);
  return text;
}

std::string styleText(const LOGFONTA& font) {
  static const char* const weights[] = {"thin",     "extra-light", "light",      "regular", "medium",
                                        "semibold", "bold",        "extra-bold", "black"};
  const LONG w = font.lfWeight;
  std::string text = w >= 100 && w <= 900 && w % 100 == 0 ? weights[w / 100 - 1] : "weight " + std::to_string(w);
  if (font.lfItalic) text += " italic";
  return text;
}

// The records of a result block, read under its lock; the block is freed afterwards.
template <typename Use>
void eachRecord(HGLOBAL block, std::size_t recordSize, Use use) {
  const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
  if (bytes) {
    WORD count = 0;
    std::memcpy(&count, bytes, sizeof count);
    for (WORD i = 0; i < count; ++i) use(bytes + 2 + i * recordSize);
    GlobalUnlock(block);
  }
  GlobalFree(block);
}

int listFaces(HDC dc, Reporter& report) {
  HGLOBAL faces = FonGetFontFaces(dc);
  if (!faces) {
    report.problem("the screen reports no fonts");
    return report.status();
  }
  std::string previous;
  eachRecord(faces, FON_FACE_RECORD, [&](const BYTE* record) {
    char face[kFaceRoom] = "";
    std::memcpy(face, record, kFaceRoom - 1);
    // Windows reports a face once for each character set it covers; one line serves.
    if (face == previous) return;
    previous = face;
    BYTE set = DEFAULT_CHARSET, pitch = 0;
    FonGetFontCharSet(dc, face, &set);
    FonGetFontPitchAndFamily(dc, face, &pitch);
    char line[128];
    std::snprintf(line, sizeof line, "%-32s %-11s %s", face, charSetText(set).c_str(), pitchAndFamilyText(pitch).c_str());
    report.result(line);
  });
  return report.status();
}

int listSizes(HDC dc, const std::string& face, Reporter& report) {
  if (face.empty() || face.size() >= kFaceRoom) {
    report.problem(face.empty() ? "an empty face name" : "a face name has at most 31 bytes: " + quoted(face));
    return report.status();
  }
  HGLOBAL sizes = FonGetFontSizes(dc, face.c_str());
  if (!sizes) {
    report.problem("no face " + quoted(face) + " on the screen");
    return report.status();
  }
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  eachRecord(sizes, FON_SIZE_RECORD, [&](const BYTE* record) {
    LOGFONTA font;
    TEXTMETRICA metrics{};
    std::memcpy(&font, record, sizeof font);
    std::memcpy(&metrics, record + sizeof font, FON_SIZE_RECORD - sizeof font);
    std::string size = "scalable";
    // An outline font takes any size; a bitmap font has the one its metrics give.
    if (!(metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) && dpi > 0) {
      const LONG em = metrics.tmHeight - metrics.tmInternalLeading;
      size = std::to_string((em * 72 + dpi / 2) / dpi) + " pt";
    }
    // Condensed and wide members of a family differ only in their width.
    char line[96];
    std::snprintf(line, sizeof line, "%-9s %s, average width %ld px", size.c_str(), styleText(font).c_str(),
                  static_cast<long>(metrics.tmAveCharWidth));
    report.result(line);
  });
  return report.status();
}

}  // namespace

int fontsCommand(Args args) {
  Reporter report("fonts");
  if (wantsHelp(args)) return showHelp(kFontsHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (args.size() > 1) return report.usage("unexpected argument " + quoted(args[1]));
  HDC dc = GetDC(nullptr);
  if (!dc) {
    report.problem("cannot reach the screen");
    return report.status();
  }
  const int status = args.empty() ? listFaces(dc, report) : listSizes(dc, args[0], report);
  ReleaseDC(nullptr, dc);
  return status;
}

}  // namespace kvt
