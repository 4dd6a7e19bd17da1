// Test-side NUMBER encoding and exact reference values, computed with exact rationals and
// independent of the library's engines. Boost.Multiprecision gives one interface over GMP
// (fast, on Linux) and its own header-only integers (the Windows build, which has no GMP).
#pragma once

#include <korvane/number.h>

#if KORVANE_ORACLE_GMP
#include <boost/multiprecision/gmp.hpp>
#else
#include <boost/multiprecision/cpp_int.hpp>
#endif

#include <cstring>
#include <string>
#include <vector>

namespace numtest {

namespace mp = boost::multiprecision;
#if KORVANE_ORACLE_GMP
using Integer = mp::number<mp::gmp_int, mp::et_off>;
using Rational = mp::number<mp::gmp_rational, mp::et_off>;
#else
using Integer = mp::number<mp::cpp_int_backend<>, mp::et_off>;
using Rational = mp::number<mp::rational_adaptor<mp::cpp_int_backend<>>, mp::et_off>;
#endif

using Bytes = std::vector<int>;

inline int sgn(const Rational& x) { return x.sign(); }
inline int cmp(const Rational& a, const Rational& b) { return a.compare(b); }

inline Integer pow100z(int k) { return mp::pow(Integer(100), static_cast<unsigned>(k)); }

// 100^k for any k.
inline Rational pow100(int k) {
  return k >= 0 ? Rational(pow100z(k)) : Rational(Integer(1), pow100z(-k));
}

inline Rational pow10(int k) {
  const Integer r = mp::pow(Integer(10), static_cast<unsigned>(k < 0 ? -k : k));
  return k >= 0 ? Rational(r) : Rational(Integer(1), r);
}

// The record bytes for a sign, exponent and digits, as the format lays them out.
inline Bytes encode(bool negative, int e, const std::vector<int>& digits) {
  if (digits.empty()) return {1, 0xC0};
  Bytes b{0, negative ? 127 - e : e + 128};
  for (int d : digits) b.push_back(negative ? 100 - d : d);
  if (negative) b.push_back(101);
  b[0] = static_cast<int>(b.size()) - 1;
  return b;
}

inline tagNUMBER record(const Bytes& b) {
  tagNUMBER n;
  std::memset(&n, 0xEE, sizeof n);  // bytes beyond the length must not matter
  for (size_t i = 0; i < b.size() && i < sizeof n; ++i) {
    reinterpret_cast<BYTE*>(&n)[i] = static_cast<BYTE>(b[i]);
  }
  return n;
}

// The bytes a record holds: its length byte and the bytes it counts.
inline Bytes bytes(const tagNUMBER& n) {
  const BYTE* p = reinterpret_cast<const BYTE*>(&n);
  const int len = (p[0] & 0x3F) < 25 ? (p[0] & 0x3F) : 24;
  return Bytes(p, p + len + 1);
}

// The exact value of sign, exponent and digits.
inline Rational value(bool negative, int e, const std::vector<int>& digits) {
  Integer m = 0;
  for (int d : digits) m = m * 100 + d;
  Rational v = Rational(m) * pow100(e - 64 - static_cast<int>(digits.size()));
  return negative ? Rational(-v) : v;
}

// The exponent e of a non-zero value: 100^(e-65) <= |x| < 100^(e-64).
inline int exponentOf(const Rational& x) {
  const Rational a = abs(x);
  // A first guess from the bit lengths (100 is about 2^6.64), then exact steps.
  const long bits = static_cast<long>(mp::msb(mp::numerator(a))) -
                    static_cast<long>(mp::msb(mp::denominator(a)));
  int e = 65 + static_cast<int>(bits * 100 / 664);
  while (a >= pow100(e - 64)) ++e;
  while (a < pow100(e - 65)) --e;
  return e;
}

inline Integer floorOf(const Rational& q) {
  const Integer n = mp::numerator(q), d = mp::denominator(q);  // d > 0
  Integer r = n / d;  // truncates toward zero
  if (n < 0 && r * d != n) --r;
  return r;
}

// The value of record bytes (for records the tests make, in normal form).
inline Rational valueOfBytes(const Bytes& b) {
  if (b[0] < 2) return 0;
  const bool negative = b[1] < 0x80;
  const int e = negative ? 127 - b[1] : b[1] - 128;
  std::vector<int> digits;
  for (size_t i = 2; i < b.size() - (negative ? 1 : 0); ++i)
    digits.push_back(negative ? 100 - b[i] : b[i]);
  return value(negative, e, digits);
}

// The normal record of an exact value: half up at the first base-100 digit beyond 23
// (22 for a negative value), exponent clamped to 4..124.
inline Bytes expected(const Rational& x) {
  if (sgn(x) == 0) return {1, 0xC0};
  const bool negative = sgn(x) < 0;
  const Rational a = abs(x);
  int e = exponentOf(a);
  const int limit = negative ? 22 : 23;
  const Rational scaled = a * pow100(limit - (e - 64)) + Rational(1, 2);
  Integer n = mp::numerator(scaled) / mp::denominator(scaled);
  if (n == pow100z(limit)) {
    n = pow100z(limit - 1);
    ++e;
  }
  std::vector<int> digits(static_cast<size_t>(limit));
  for (int i = limit - 1; i >= 0; --i) {
    digits[static_cast<size_t>(i)] = static_cast<int>(n % 100);
    n /= 100;
  }
  while (!digits.empty() && digits.back() == 0) digits.pop_back();
  e = e < 4 ? 4 : (e > 124 ? 124 : e);
  return encode(negative, e, digits);
}

// The record of a / b: the quotient cut after 24 digits counted from the place of
// 100^(eA - eB), then packed; a zero divisor saturates at 10^118.
inline Bytes quotient(const Rational& a, const Rational& b) {
  if (sgn(a) == 0) return {1, 0xC0};
  const bool negative = (sgn(a) < 0) != (sgn(b) < 0);
  if (sgn(b) == 0) return negative ? Bytes{3, 3, 99, 101} : Bytes{2, 252, 1};
  const Rational unit = pow100(exponentOf(a) - exponentOf(b) - 23);
  const Rational cut = Rational(floorOf(abs(a / b) / unit)) * unit;
  return expected(negative ? Rational(-cut) : cut);
}

// An exact decimal: "-12.50", "1e-60", "0.05".
inline Rational dec(const std::string& text) {
  size_t i = 0;
  const bool negative = text[0] == '-';
  if (negative) ++i;
  Integer m = 0;
  int scale = 0;
  bool point = false;
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] == '.') {
      point = true;
      continue;
    }
    m = m * 10 + (text[i] - '0');
    if (point) --scale;
  }
  if (i < text.size()) scale += std::stoi(text.substr(i + 1));
  const Rational v = Rational(m) * pow10(scale);
  return negative ? Rational(-v) : v;
}

// The normal record of a decimal text.
inline tagNUMBER num(const std::string& text) { return record(expected(dec(text))); }

}  // namespace numtest
