// Internals of number formatting and unformatting: the picture engine, its section
// measure, fixed-point digit text, currency placement, and the pieces of the reverse road.
#pragma once

#include <korvane/format.h>

namespace kv {

// Digit text of a NUMBER in fixed notation: at most 121 integer digits (10^120), the
// point, and at most kMaxFixedDecimals decimals (enough for every digit of 10^-120).
constexpr int kMaxFixedDecimals = 170;
constexpr int kFixedBuffer = 128 + 1 + kMaxFixedDecimals + 2;
// Decimals a regional form may ask for; more is taken as this many.
constexpr int kMaxRegionalDecimals = 60;

// The number rounded to places decimals (clamped to 0..kMaxFixedDecimals), with a "." and
// exactly places decimals, sign first, no zero before the point of a fraction ("-.5").
// Always fixed notation, never an exponent. Empty for a null number. out holds
// kFixedBuffer bytes; scratch receives the rounded value.
void FMTNumToFixedStr(const NUMBER* number, int places, LPSTR out, NUMBER* scratch);

// Every digit of the number in fixed notation, as FMTNumToFixedStr writes it; returns the
// count of decimals.
int FixedStrAllDigits(const NUMBER* number, LPSTR out);

// A regional separator (kThousandSep or kDecimalSep of the settings cache); both share one
// per-thread string, so the character is taken at once.
CHAR RegionalSeparator(UINT index, CHAR fallback);

// Measure of one picture section (see FMTFormatPicture).
void FMTAnalyzePictureSection(LPCSTR section, int* fractionPlaces, int* integerZeros, int* fractionZeros,
                              int* grouping, LPCSTR* suffix, CHAR thousand, CHAR decimal);

// The picture engine. dValue is not used. Result 0 when enable is 0 or picture or output
// is null or empty; else 1. output must hold FMTGetMaxFormattedNumLen of the picture plus
// the terminating zero.
int FMTFormatPicture(double dValue, LPSTR output, LPCSTR picture, CHAR decimal, CHAR thousand, int useIntl,
                     const NUMBER* number, int enable);

// The scientific branch of the engine ("0.00E+00").
void FormatScientific(LPSTR output, LPCSTR picture, CHAR decimal, const NUMBER* number);

// Joins a number text (with or without a leading "-") and a currency symbol by the
// positive layout (symbolAfter, blank) or the negative form. output holds
// strlen(text) + strlen(symbol) + 4 bytes.
void FMTPlaceCurrency(LPCSTR text, LPCSTR symbol, LPSTR output, int symbolAfter, int blank, int negativeForm);

// Writes a prefix or suffix piece of a section: quoted literals lose their quotes (a doubled
// or backslash-escaped quote gives one), "_x" gives a blank when pairs is set, everything
// else is copied. Stops at end. Returns the new output end; never writes more than
// end - begin bytes of the section.
LPSTR WriteSectionLiterals(LPCSTR begin, LPCSTR end, LPSTR out, bool pairs);

// Longest text of one section for n integer digits; the plain measure never takes the
// section as scientific.
int FMTSectionMaxLen(LPCSTR section, int n);
int plainSectionMaxLen(LPCSTR section, int n);

// The reverse road.
// Reads text (changed in place) in the regional number form with the separators given;
// 1 with the value, else 0.
int ReadNumberText(LPSTR text, CHAR thousand, CHAR decimal, NUMBER* value);
void FMTStripCurrency(LPCSTR text, LPCSTR symbol, LPSTR output, int symbolAfter);
int FMTUnformatScientific(FMTCNTLBLOCK* block);

// Splits a picture at its first and second ";" (quotes not considered) into up to three
// sections held in the caller's buffers; returns the number of sections (1..3; 4 or more
// ";"-separated parts count as 3, the rest joined into the third).
int SplitSections(LPCSTR picture, CHAR (&first)[FMT_MAX_PICTURE + 1], CHAR (&second)[FMT_MAX_PICTURE + 1],
                  CHAR (&third)[FMT_MAX_PICTURE + 1]);

}  // namespace kv
