// Number pictures: validity, the three converters, formatting and unformatting. Input
// (from the front): the picture, a text to read; (from the end) the number record, the
// system and the block's own settings. Properties: converted pictures fit in
// FMT_MAX_PICTURE bytes; a valid picture tokenizes, stays valid and formats in either
// form; with the regional settings, formatted text never exceeds FMTGetMaxFormattedNumLen
// (the output buffer has exactly that room); unformatting what was written, or any text,
// gives a well-formed number or an empty output.
#include <fuzzer/FuzzedDataProvider.h>
#include <korvane/format.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_support.h"

namespace {

using kvfuzz::HeapText;
using kvfuzz::OutBuffer;

// Integer digits of the value rounded to a whole number: no section's rounding gives more.
int WholeDigits(const NUMBER& n) {
  NUMBER whole;
  NumRound(&whole, &n, 0);
  char text[130];
  if (NumToAscii(&whole, text, 125) == 0) return 1;
  const char* p = text[0] == '-' ? text + 1 : text;
  if (std::strchr(p, 'E')) return 125;
  const int digits = static_cast<int>(std::strlen(p));
  return digits < 1 ? 1 : digits;
}

// The same under both readings of the length byte: a percentage multiplies the record,
// and multiplication takes only four bits of a length byte with bit 7 set.
int IntegerDigits(const NUMBER& n) {
  NUMBER one, product;
  NumCreateSmall(&one, 1);
  NumMultiply(&product, &n, &one);
  const int a = WholeDigits(n), b = WholeDigits(product);
  return a > b ? a : b;
}

struct Settings {
  bool intl;
  char thousand, decimal;
  int currency, negCurr, digits, lzero;
  std::string symbol;
};

// Characters that a picture reads as placeholders or section marks.
bool Placeholder(char c) { return std::strchr("0123456789#%Ee;\\\"'", c) != nullptr; }

// Whether an own block's settings are ones a system could have: distinct separators that
// are no placeholders, and a currency symbol of plain text.
bool SoundSettings(const Settings& s) {
  if (s.intl) return true;
  const auto reads = [&](char c) { return Placeholder(c) || c == '.' || c == ',' || c == s.thousand || c == s.decimal; };
  return s.thousand != s.decimal && !Placeholder(s.thousand) && !Placeholder(s.decimal) &&
         std::none_of(s.symbol.begin(), s.symbol.end(), reads);
}

void Prepare(FMTCNTLBLOCK& b, const Settings& s, const HeapText& symbol) {
  FUZZ_CHECK(FMTInitCntlBlock(&b) == 1);
  b.bUseIntl = s.intl;
  if (!s.intl) {
    b.cThousand = s.thousand;
    b.cDecimal = s.decimal;
    b.iCurrency = s.currency;
    b.iNegCurr = s.negCurr;
    b.iDigits = s.digits;
    b.iLzero = s.lzero;
    b.lpszCurrency = symbol.get();
  }
}

// Formats by the picture into a buffer of `room` bytes; returns the text ("" when refused).
std::string Format(const Settings& s, const HeapText& symbol, const char* picture, const NUMBER& n, size_t room,
                   int* result) {
  FMTCNTLBLOCK b;
  Prepare(b, s, symbol);
  b.nFormatType = FMT_TYPE_PICTURE;
  HeapText pic(picture);
  b.lpszPicture = pic.get();
  b.number = n;
  OutBuffer out(room);
  b.lpszOutput = out.get();
  *result = FMTFormatNumber(&b);
  FUZZ_CHECK(*result == 0 || *result == 1);
  if (*result == 0) return "";
  return std::string(out.get(), out.length());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  NUMBER number{};
  const std::string picture = in.ConsumeRandomLengthString(80);
  const std::string input = in.ConsumeRandomLengthString(120);
  in.ConsumeData(&number, sizeof number);
  const uint8_t choice = in.ConsumeIntegral<uint8_t>();
  static LANGID current = 0;
  const LANGID system = (choice & 1) ? 0x0411 : 0x0409;
  if (system != current) {
    kvfuzz::UseSystem(system);
    current = system;
  }
  Settings s{(choice & 2) == 0, static_cast<char>(in.ConsumeIntegral<uint8_t>()),
             static_cast<char>(in.ConsumeIntegral<uint8_t>()), in.ConsumeIntegralInRange(-1, 4),
             in.ConsumeIntegralInRange(-1, 11), in.ConsumeIntegralInRange(-1, 30), in.ConsumeIntegralInRange(0, 1),
             in.ConsumeRandomLengthString(6)};
  const HeapText symbol(s.symbol), pic(picture), text(input);

  FMTCNTLBLOCK b;
  Prepare(b, s, symbol);
  b.lpszPicture = pic.get();
  const int valid = FMTIsNumberPicValid(&b);
  FUZZ_CHECK(valid == 0 || valid == 1);
  (void)FMTIsNumberPicTokenized(pic.get());

  // The converters.
  std::string tokenized;
  using Converter = int(KV_CALL*)(FMTCNTLBLOCK*);
  for (Converter convert : {static_cast<Converter>(FMTTokenizeNumberPic), FMTUnTokenizeNumberPic, FMTCnvOldNumberPic}) {
    FMTCNTLBLOCK c;
    Prepare(c, s, symbol);
    c.lpszPicture = pic.get();
    OutBuffer out(FMT_MAX_PICTURE + 1);
    c.lpszOutput = out.get();
    const int r = convert(&c);
    FUZZ_CHECK(r == 0 || r == 1);
    FUZZ_CHECK(out.length() <= FMT_MAX_PICTURE);
    if (r == 0) FUZZ_CHECK(out.length() == 0);
    if (convert == FMTTokenizeNumberPic && r == 1) tokenized.assign(out.get(), out.length());
  }

  const NUMBER& n = number;
  // The announced maximum holds for valid plain pictures under the regional settings. (A
  // plain picture holding the control bytes themselves is ambiguous and left out.)
  const bool plain = std::none_of(picture.begin(), picture.end(), [](char c) { return c >= 1 && c <= 0x10; });
  const size_t room = s.intl && valid && plain ? static_cast<size_t>(FMTGetMaxFormattedNumLen(pic.get(), IntegerDigits(n), 0)) + 1 : 600;
  int result = 0;
  const std::string shown = Format(s, symbol, pic.get(), n, room, &result);
  // A tokenized picture is checked through its text again, with the currency symbol and
  // separators written back in; settings no system allows (the separators alike, or a
  // symbol made of picture characters such as "000") read back as another picture.
  if (valid && plain && !tokenized.empty() && SoundSettings(s)) {
    b.lpszPicture = const_cast<char*>(tokenized.c_str());
    FUZZ_CHECK(FMTIsNumberPicValid(&b) == 1);
    // (The text may differ: a lone affix such as ")" becomes a currency token, and the
    // currency then moves to where the settings put it.)
    int again = 0;
    Format(s, symbol, tokenized.c_str(), n, 600, &again);
    FUZZ_CHECK(again == result);
  }

  // Unformatting what was written, then arbitrary text, under the picture.
  for (const std::string& source : {shown, input}) {
    FMTCNTLBLOCK u;
    Prepare(u, s, symbol);
    HeapText src(source);
    u.lpszInput = src.get();
    u.lpszPicture = pic.get();
    OutBuffer out(source.size() + 110);
    u.lpszOutput = out.get();
    const int r = FMTUnformatNumberStr(&u);
    FUZZ_CHECK(r == 0 || r == 1);
    if (r == 1) FUZZ_CHECK(kvfuzz::IsWellFormed(u.number) || u.number.bLength == 0);
    if (r == 0) FUZZ_CHECK(out.length() == 0);
  }

  // The regional forms.
  for (LONG kind : {FMT_TYPE_NUMBER, FMT_TYPE_CURRENCY}) {
    FMTCNTLBLOCK f;
    Prepare(f, s, symbol);
    f.nFormatType = kind;
    f.number = n;
    OutBuffer out(600);
    f.lpszOutput = out.get();
    FUZZ_CHECK(FMTFormatNumber(&f) <= 1);
    out.length();
    FMTCNTLBLOCK v;
    Prepare(v, s, symbol);
    v.nFormatType = kind;
    v.lpszInput = text.get();
    if (FMTValidateNumber(&v) == 1) FUZZ_CHECK(kvfuzz::IsWellFormed(v.number) || v.number.bLength == 0);
  }
  FMTCNTLBLOCK d;
  Prepare(d, s, symbol);
  d.lpszInput = text.get();
  FUZZ_CHECK(FMTStrToNumber(&d) == 1);
  return 0;
}
