// korvane number: formatting, parsing, arithmetic and tokenizing on NUMBER records.
#include <korvane/korvane.h>

#include <cstring>
#include <string>
#include <vector>

#include "commands.h"

namespace kvt {
namespace {

const char kNumberHelp[] =
    "usage: korvane number format PICTURE VALUE...   format numbers by a picture\n"
    "       korvane number parse PICTURE TEXT...     read formatted text back as a number\n"
    "       korvane number calc [--round N] EXPRESSION...\n"
    "                                                + - * / and parentheses on NUMBER records\n"
    "       korvane number tokenize PICTURE...       the stored, locale-neutral form of a picture\n"
    "Without values, one value per line is read from standard input.\n";

const char kFormatHelp[] =
    "usage: korvane number format PICTURE [VALUE...]\n"
    "Formats each VALUE (plain number text such as -1234.5 or 1.5E3) by PICTURE under the\n"
    "regional settings. PICTURE has up to three sections: positive;negative;zero, e.g.\n"
    "\"#,##0.00;(#,##0.00)\". The empty picture gives the regional number form, \"$\" the\n"
    "regional currency form. A tokenized picture is given as `korvane number tokenize`\n"
    "prints it (control bytes as \\xNN).\n";

const char kParseHelp[] =
    "usage: korvane number parse PICTURE [TEXT...]\n"
    "Reads each TEXT as PICTURE formats numbers and prints the plain number. The empty\n"
    "picture reads the regional number form, \"$\" the regional currency form.\n";

const char kCalcHelp[] =
    "usage: korvane number calc [--round N] [EXPRESSION...]\n"
    "Evaluates each EXPRESSION of numbers, + - * / (also the signs \xC3\x97 \xC3\xB7 \xE2\x88\x92)\n"
    "and parentheses in decimal NUMBER arithmetic. --round N rounds the result half away\n"
    "from zero to N decimal places (a negative N rounds to tens, hundreds ...).\n";

const char kTokenizeHelp[] =
    "usage: korvane number tokenize [PICTURE...]\n"
    "Prints the tokenized form of each picture, the form in which pictures are stored so\n"
    "that they follow the settings they are shown under. Control bytes are written \\xNN:\n"
    "  \\x01 thousands separator  \\x02 decimal point  \\x03 \\x04 positive prefix, suffix\n"
    "  \\x05 \\x06 negative prefix, suffix  \\x0E the \"_\" of a \"_x\" pair\n"
    "  \\x0F a digit run begins  \\x10 it ends\n";

// A NUMBER as plain text ("-1234.5"). The width takes every value a record can hold in
// fixed notation: the exponent form would give up digits and cannot show exponents
// beyond 99.
std::string plainText(const NUMBER& n) {
  char text[256] = {};
  NumToAscii(&n, text, 240);
  return text;
}

// Reads a whole value; on failure names the problem.
bool readNumber(const std::string& text, NUMBER& n, std::string& why) {
  const int used = NumAsciiToNumber(&n, text.c_str());
  if (used == -1) {
    why = "number too large: " + quoted(text);
    return false;
  }
  if (used == -2) {
    why = "number too small: " + quoted(text);
    return false;
  }
  std::size_t end = used > 0 ? static_cast<std::size_t>(used) : 0;
  while (end < text.size() && (text[end] == ' ' || text[end] == '\t')) ++end;
  if (used <= 0 || end != text.size()) {
    why = "not a number: " + quoted(text);
    return false;
  }
  return true;
}

// The picture as given on the command line: a tokenized one arrives with \xNN escapes.
bool readPicture(const std::string& arg, std::string& picture, Reporter& report) {
  picture = arg;
  const bool escaped = arg.find("\\x0F") != std::string::npos || arg.find("\\x0f") != std::string::npos;
  if (escaped && !unescapeBytes(arg, picture)) {
    report.problem("bad escape in picture " + quoted(arg));
    return false;
  }
  if (picture.size() > FMT_MAX_PICTURE) {
    report.problem("picture longer than 63 bytes: " + quoted(arg));
    return false;
  }
  if (picture.empty() || picture == "$") return true;  // the regional forms
  FMTCNTLBLOCK block;
  FMTInitCntlBlock(&block);
  block.bUseIntl = TRUE;
  block.lpszPicture = picture.data();
  if (!FMTIsNumberPicValid(&block)) {
    report.problem("invalid number picture " + quoted(arg));
    return false;
  }
  return true;
}

// Integer digits of a value, which decide the longest formatted text.
int integerDigits(const NUMBER& n) {
  const std::string text = plainText(n);
  int digits = 0;
  for (char c : text) {
    if (c == '.') break;
    if (c >= '0' && c <= '9') ++digits;
  }
  return digits < 1 ? 1 : digits;
}

int format(Args args) {
  Reporter report("number format");
  if (wantsHelp(args)) return showHelp(kFormatHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (args.empty()) return report.usage("missing PICTURE");
  std::string picture;
  if (!readPicture(args[0], picture, report)) return report.status();

  // The longest text is measured on the plain form of the picture.
  char plain[FMT_MAX_PICTURE + 1] = {};
  FMTCNTLBLOCK measure;
  FMTInitCntlBlock(&measure);
  measure.bUseIntl = TRUE;
  measure.lpszPicture = picture.data();
  measure.lpszOutput = plain;
  if (FMTIsNumberPicTokenized(picture.c_str()))
    FMTUnTokenizeNumberPic(&measure);
  else
    std::strcpy(plain, picture.c_str());

  forEachValue(Args(args.begin() + 1, args.end()), report, [&](const std::string& value) {
    NUMBER n;
    std::string why;
    if (!readNumber(value, n, why)) return report.problem(why);
    // One more digit than the value has: rounding may carry into a new place.
    const int longest = FMTGetMaxFormattedNumLen(plain, integerDigits(n) + 1, 128);
    std::vector<char> out(static_cast<std::size_t>(longest) + 1);
    FMTCNTLBLOCK block;
    FMTInitCntlBlock(&block);
    block.nFormatType = FMT_TYPE_PICTURE;
    block.bUseIntl = TRUE;
    block.lpszPicture = picture.data();
    block.lpszOutput = out.data();
    block.number = n;
    if (!FMTFormatNumber(&block)) return report.problem("cannot format " + quoted(value) + " by " + quoted(args[0]));
    report.result(out.data());
  });
  return report.status();
}

int parse(Args args) {
  Reporter report("number parse");
  if (wantsHelp(args)) return showHelp(kParseHelp);
  if (!checkNoOptions(args, report)) return report.status();
  if (args.empty()) return report.usage("missing PICTURE");
  std::string picture;
  if (!readPicture(args[0], picture, report)) return report.status();

  forEachValue(Args(args.begin() + 1, args.end()), report, [&](const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos) return report.problem("empty text");
    std::string input = text;
    std::vector<char> out(text.size() + 128);
    FMTCNTLBLOCK block;
    FMTInitCntlBlock(&block);
    block.bUseIntl = TRUE;
    block.lpszInput = input.data();
    block.lpszOutput = out.data();
    block.lpszPicture = picture.data();
    // The regional number form has no picture of its own; the others use the output as
    // their working copy.
    block.nFormatType = picture.empty() ? FMT_TYPE_NUMBER : FMT_TYPE_PICTURE;
    const int ok = picture.empty() ? FMTValidateNumber(&block) : FMTUnformatNumberStr(&block);
    if (!ok) return report.problem("not a number by picture " + quoted(args[0]) + ": " + quoted(text));
    report.result(plainText(block.number));
  });
  return report.status();
}

// Recursive descent over one expression; every value is a NUMBER record.
class Calculator {
 public:
  explicit Calculator(const std::string& text) : text_(text) {}

  bool evaluate(NUMBER& result, std::string& why) {
    if (!expression(result)) {
      why = error_;
      return false;
    }
    skipBlanks();
    if (pos_ < text_.size()) {
      why = text_[pos_] == ')' ? "unbalanced \")\"" : "unexpected " + rest();
      return false;
    }
    return true;
  }

 private:
  static constexpr int kMaxDepth = 100;

  void skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }

  std::string rest() const { return quoted(text_.substr(pos_, 12)); }

  // Takes one of the operator spellings at the current position: the ASCII one, the sign in
  // UTF-8 and, on Windows, where arguments arrive in the ANSI code page, the sign there.
  bool take(const char* ascii, const char* utf8 = nullptr, wchar_t sign = 0) {
    skipBlanks();
    const std::string ansi = ansiSign(sign);
    for (const char* op : {ascii, utf8, ansi.empty() ? nullptr : ansi.c_str()}) {
      if (op && text_.compare(pos_, std::strlen(op), op) == 0) {
        pos_ += std::strlen(op);
        return true;
      }
    }
    return false;
  }

  static std::string ansiSign(wchar_t sign) {
#if defined(_WIN32)
    char out[8] = {};
    BOOL lossy = FALSE;
    const int n = sign ? WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &sign, 1, out, sizeof out - 1,
                                             nullptr, &lossy)
                       : 0;
    // A sign the code page lacks must not turn into "?" or a look-alike.
    if (n > 0 && !lossy) return std::string(out, static_cast<size_t>(n));
#else
    (void)sign;
#endif
    return {};
  }

  bool fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
  }

  bool expression(NUMBER& value) {
    if (!term(value)) return false;
    for (;;) {
      NUMBER rhs;
      if (take("+")) {
        if (!term(rhs)) return false;
        NumAddition(&value, &value, &rhs);
      } else if (take("-", "\xE2\x88\x92", L'\u2212')) {
        if (!term(rhs)) return false;
        NumSubtract(&value, &value, &rhs);
      } else {
        return true;
      }
    }
  }

  bool term(NUMBER& value) {
    if (!unary(value)) return false;
    for (;;) {
      NUMBER rhs;
      if (take("*", "\xC3\x97", L'\u00D7')) {
        if (!unary(rhs)) return false;
        NumMultiply(&value, &value, &rhs);
      } else if (take("/", "\xC3\xB7", L'\u00F7')) {
        if (!unary(rhs)) return false;
        // The library saturates instead; a person wants to hear about it.
        if (NumIsZero(&rhs) || NumIsNull(&rhs)) return fail("division by zero");
        NumDivide(&value, &value, &rhs);
      } else {
        return true;
      }
    }
  }

  bool unary(NUMBER& value) {
    const bool minus = take("-", "\xE2\x88\x92", L'\u2212');
    if (!minus && !take("+")) return primary(value);
    // Signs nest like parentheses: a long run of them must not exhaust the stack.
    if (++depth_ > kMaxDepth) return fail("expression nested too deeply");
    if (!unary(value)) return false;
    --depth_;
    if (minus) NumNegate(&value);
    return true;
  }

  bool primary(NUMBER& value) {
    skipBlanks();
    if (pos_ >= text_.size()) return fail(text_.find_first_not_of(" \t") == std::string::npos ? "empty expression"
                                                                                               : "missing operand at the end");
    if (text_[pos_] == '(') {
      if (++depth_ > kMaxDepth) return fail("expression nested too deeply");
      ++pos_;
      if (!expression(value)) return false;
      if (!take(")")) return fail("missing \")\"");
      --depth_;
      return true;
    }
    const char c = text_[pos_];
    if (!(c >= '0' && c <= '9') && c != '.') return fail("unexpected " + rest());
    const int used = NumAsciiToNumber(&value, text_.c_str() + pos_);
    if (used == -1) return fail("number too large at " + rest());
    if (used == -2) return fail("number too small at " + rest());
    if (used <= 0) return fail("not a number at " + rest());
    pos_ += static_cast<std::size_t>(used);
    return true;
  }

  const std::string& text_;
  std::size_t pos_ = 0;
  int depth_ = 0;
  std::string error_;
};

int calc(Args args) {
  Reporter report("number calc");
  if (wantsHelp(args)) return showHelp(kCalcHelp);
  std::string roundArg;
  const int hasRound = takeOption(args, "round", roundArg);
  long places = 0;
  if (hasRound < 0) return report.usage("--round needs a number of places");
  if (hasRound > 0 && !parseInt(roundArg, -120, 120, places))
    return report.usage("--round takes whole places from -120 to 120, not " + quoted(roundArg));
  if (!checkNoOptions(args, report)) return report.status();

  forEachValue(args, report, [&](const std::string& expression) {
    NUMBER result;
    std::string why;
    if (!Calculator(expression).evaluate(result, why)) return report.problem(why + " in " + quoted(expression));
    if (hasRound > 0) NumRound(&result, &result, static_cast<int>(places));
    report.result(plainText(result));
  });
  return report.status();
}

int tokenize(Args args) {
  Reporter report("number tokenize");
  if (wantsHelp(args)) return showHelp(kTokenizeHelp);
  if (!checkNoOptions(args, report)) return report.status();
  forEachValue(args, report, [&](const std::string& arg) {
    std::string picture;
    if (!readPicture(arg, picture, report)) return;
    char out[FMT_MAX_PICTURE + 1] = {};
    FMTCNTLBLOCK block;
    FMTInitCntlBlock(&block);
    block.bUseIntl = TRUE;
    block.lpszPicture = picture.data();
    block.lpszOutput = out;
    if (!FMTTokenizeNumberPic(&block)) return report.problem("tokenized picture longer than 63 bytes: " + quoted(arg));
    report.result(escapeBytes(out));
  });
  return report.status();
}

}  // namespace

int numberCommand(Args args) {
  Reporter report("number");
  if (args.empty()) return report.usage("missing subcommand");
  const std::string sub = args[0];
  args.erase(args.begin());
  if (sub == "format") return format(std::move(args));
  if (sub == "parse") return parse(std::move(args));
  if (sub == "calc") return calc(std::move(args));
  if (sub == "tokenize") return tokenize(std::move(args));
  if (sub == "--help" || sub == "-h") return showHelp(kNumberHelp);
  return report.usage("unknown subcommand " + quoted(sub));
}

}  // namespace kvt
