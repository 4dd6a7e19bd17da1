/* Decimal numbers: the NUMBER record, a variable-length base-100 floating-point number
   with a null value, and its arithmetic. Callers own every record; the byte layout is a
   stored format and never changes. The functions keep no state: any thread may call
   them on records that no other thread is changing. */
#ifndef KORVANE_NUMBER_H
#define KORVANE_NUMBER_H

#include <stddef.h>

#include "api.h"
#include "win32.h"

/* Byte 0 counts the bytes that follow (0: null). The exponent byte holds sign and
   exponent: e + 128 for a positive number, 127 - e for a negative one. The mantissa holds
   the base-100 digits most significant first, each as 100 - digit in a negative number,
   which ends with the byte 101. A record needs 25 bytes wherever the library writes one. */
typedef struct tagNUMBER {
  BYTE bLength;
  BYTE bExponent;
  BYTE abMantissa[23];
} NUMBER;

#define NUM_RECORD_SIZE 25

#ifdef __cplusplus
static_assert(sizeof(tagNUMBER) == NUM_RECORD_SIZE, "NUMBER is a 25-byte record");
static_assert(offsetof(tagNUMBER, bLength) == 0, "length byte first");
static_assert(offsetof(tagNUMBER, bExponent) == 1, "exponent byte second");
static_assert(offsetof(tagNUMBER, abMantissa) == 2, "mantissa from byte 2");
#else
_Static_assert(sizeof(struct tagNUMBER) == NUM_RECORD_SIZE, "NUMBER is a 25-byte record");
_Static_assert(offsetof(struct tagNUMBER, bExponent) == 1, "exponent byte second");
_Static_assert(offsetof(struct tagNUMBER, abMantissa) == 2, "mantissa from byte 2");
#endif

#ifdef __cplusplus
/* Writes a value of -99 to 99; any other value gives a record that reads as zero. */
KV_CPP_API void KV_CALL NumCreateSmall(tagNUMBER *number, int value);
#endif

/* 1 when the record is null (length byte 0) or the pointer is null, else 0. */
KV_API int KV_CALL NumIsNull(const NUMBER *number);
/* Makes the record null (length byte 0). */
KV_API void KV_CALL NumMakeNull(NUMBER *number);
/* Turns a null record into zero (length 1, exponent byte 0xC0); any other is left. */
KV_API void KV_CALL NumNullToZero(NUMBER *number);
/* 1 when the record is a valid zero (digits that are all zero count as zero); 0 for a
   null record, an invalid length and any other value. */
KV_API int KV_CALL NumIsZero(const NUMBER *number);
/* The null double is the quiet NaN 0x7FF8000000000000; every infinity or NaN counts as null. */
KV_API void KV_CALL NumNullDouble(double *value);
/* 1 when all exponent bits of `value` are set (any infinity or NaN), else 0. */
KV_API int KV_CALL NumIsNullDouble(double value);

/* Arithmetic. The result may be the same record as an operand. A null operand counts as
   zero and results are never null; overflow saturates at the largest exponent. */

/* result = a + b; the result may be an operand's record, a null operand counts as zero.
   Returns the result's length, as stored in its length byte; 0 only for a null `result`.
   Digits of the smaller operand beyond the 23 kept are dropped, not rounded. */
KV_API unsigned KV_CALL NumAddition(NUMBER *result, const NUMBER *a, const NUMBER *b);
/* result = a - b; returns the result's length as NumAddition. */
KV_API unsigned KV_CALL NumSubtract(NUMBER *result, const NUMBER *a, const NUMBER *b);
/* result = a * b, rounded half up to 23 base-100 digits; returns the result's length.
   A zero or null factor gives zero. */
KV_API unsigned KV_CALL NumMultiply(NUMBER *result, const NUMBER *a, const NUMBER *b);
/* result = a / b, to 23 base-100 digits; returns the result's length. A zero or null
   divisor reports no error: the quotient saturates at 10^118 with the dividend's sign
   (zero when the dividend is zero too). */
KV_API unsigned KV_CALL NumDivide(NUMBER *result, const NUMBER *a, const NUMBER *b);
/* Changes the sign in place (zero stays zero); returns the new length, or 0 with the
   record unchanged for a null record or an invalid length. */
KV_API unsigned KV_CALL NumNegate(NUMBER *number);
/* -1, 0 or 1; null sorts below every value. */
KV_API int KV_CALL NumCompare(const NUMBER *a, const NUMBER *b);
/* Rounds half away from zero to the given decimal places (negative: tens, hundreds...). */
KV_API int KV_CALL NumRound(NUMBER *result, const NUMBER *number, int places);
/* In place: keeps precision - scale integer digits and scale decimal places. */
KV_API unsigned KV_CALL NumTruncate(NUMBER *number, unsigned precision, unsigned scale);
/* result = number * 10^power for a power of -60 to 60; any other power gives null and 0. */
KV_API unsigned KV_CALL NumPower10(NUMBER *result, const NUMBER *number, int power);

/* Text. Number text is locale-free: "." is the decimal point, "E" the exponent letter. */
/* Reads decimal text with an optional exponent (or "0x" hexadecimal text). Returns the bytes
   consumed, leading white space included; 0 when no number stands at the start, -1 for an
   exponent field of 10000 or more or a value of 10^120 or more, -2 for a value below
   10^-128. The record is null after 0, -1 and -2. */
KV_API int KV_CALL NumAsciiToNumber(NUMBER *number, LPCSTR text);
/* Reads hexadecimal text ("-0x1F", "ff"); never fails: without digits the record is zero. */
KV_API int KV_CALL NumHexAsciiToNumber(NUMBER *number, LPCSTR text);
/* Writes the value in at most width characters (only the low 16 bits count) plus a "-" and
   the terminating zero, in fixed notation or, when that does not fit, as "1.2300E+45".
   Returns the length written; 0, with empty text, for a null or invalid record and for a
   width that leaves no room for a digit. */
KV_API unsigned KV_CALL NumToAscii(const NUMBER *number, LPSTR text, unsigned width);

/* Machine types. */
/* A null record gives 0.0. */
KV_API void KV_CALL NumToDouble(const NUMBER *number, double *value);
/* As NumToDouble; the name says the caller expects a value, a null record still gives
   0.0. */
KV_API void KV_CALL NumToDoubleNotNull(const NUMBER *number, double *value);
/* 1 on success; 0, with a null record, when the value lies outside the NUMBER range. The
   null double (any infinity or NaN) gives a null record and 1. */
KV_API int KV_CALL NumDoubleToNumber(NUMBER *number, double value);
/* The value with 15 significant digits and "." as decimal point whatever the process
   locale; text needs room for 24 bytes. Returns text. */
KV_API LPSTR KV_CALL FMTgcvt(double value, LPSTR text);

/* The integer part, truncated toward zero, in its low 32 bits (NumToWord: 16 bits); a
   null or zero record gives 0. Values out of range are not reported: see the Reply forms. */
KV_API LONG KV_CALL NumToLong(const NUMBER *number);
KV_API DWORD KV_CALL NumToDWord(const NUMBER *number);
KV_API WORD KV_CALL NumToWord(const NUMBER *number);
/* Write the integer as a record (0 gives zero) and return the record's length. */
KV_API unsigned KV_CALL NumLongToNumber(NUMBER *number, LONG value);
KV_API unsigned KV_CALL NumDWordToNumber(NUMBER *number, DWORD value);
KV_API unsigned KV_CALL NumWordToNumber(NUMBER *number, WORD value);
/* Value first, record second; returns number. */
KV_API NUMBER *KV_CALL NumGet(WORD value, NUMBER *number);

#ifdef __cplusplus
/* As NumToLong, NumToDWord and NumToWord; *error becomes 1 when the integer part lies
   outside -2^31 to 2^32 - 1 (the low bits are still returned), else 0. */
KV_CPP_API LONG KV_CALL NumToLongReply(tagNUMBER *number, LONG *error);
KV_CPP_API DWORD KV_CALL NumToDWordReply(tagNUMBER *number, LONG *error);
KV_CPP_API WORD KV_CALL NumToWordReply(tagNUMBER *number, LONG *error);
/* The 64-bit integer of a currency, unscaled; the record comes in the padded form. */
KV_CPP_API void KV_CALL NumLLongToNumber(tagNUMBER *number, tagCY *value);
/* *error becomes 1 when the integer part lies outside -2^63 to 2^63 - 1. */
KV_CPP_API void KV_CALL NumToLLong(tagCY *value, tagNUMBER *number, LONG *error);
/* magnitude x 10^-scale; the record comes in the padded form. */
KV_CPP_API void KV_CALL NumDECIMALToNumber(tagNUMBER *number, tagDEC *value);
/* *error becomes 1, with the decimal untouched, for a value of about 10^66 or more or one that
   has no digit within 28 decimal places; and, with the low 96 bits written, for a
   magnitude of 2^96 or more. Places beyond 28 are truncated. */
KV_CPP_API void KV_CALL NumToDECIMAL(tagDEC *value, tagNUMBER *number, LONG *error);
#endif

#endif
