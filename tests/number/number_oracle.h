// Test-side NUMBER encoding and exact reference values, computed with GMP rationals and
// independent of the library's engines.
#pragma once

#include <gmpxx.h>
#include <korvane/number.h>

#include <cstring>
#include <string>
#include <vector>

namespace numtest {

using Bytes = std::vector<int>;

inline mpz_class pow100z(int k) {
  mpz_class r;
  mpz_ui_pow_ui(r.get_mpz_t(), 100, static_cast<unsigned long>(k));
  return r;
}

// 100^k for any k.
inline mpq_class pow100(int k) {
  return k >= 0 ? mpq_class(pow100z(k)) : mpq_class(mpz_class(1), pow100z(-k));
}

inline mpq_class pow10(int k) {
  mpz_class r;
  mpz_ui_pow_ui(r.get_mpz_t(), 10, static_cast<unsigned long>(k < 0 ? -k : k));
  return k >= 0 ? mpq_class(r) : mpq_class(mpz_class(1), r);
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
inline mpq_class value(bool negative, int e, const std::vector<int>& digits) {
  mpz_class m = 0;
  for (int d : digits) m = m * 100 + d;
  mpq_class v = mpq_class(m) * pow100(e - 64 - static_cast<int>(digits.size()));
  return negative ? mpq_class(-v) : v;
}

// The exponent e of a non-zero value: 100^(e-65) <= |x| < 100^(e-64).
inline int exponentOf(const mpq_class& x) {
  const mpq_class a = abs(x);
  int e = 65 + static_cast<int>((static_cast<long>(mpz_sizeinbase(a.get_num_mpz_t(), 10)) -
                                 static_cast<long>(mpz_sizeinbase(a.get_den_mpz_t(), 10))) /
                                2);
  while (a >= pow100(e - 64)) ++e;
  while (a < pow100(e - 65)) --e;
  return e;
}

inline mpz_class floorOf(const mpq_class& q) {
  mpz_class r;
  mpz_fdiv_q(r.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
  return r;
}

// The value of record bytes (for records the tests make, in normal form).
inline mpq_class valueOfBytes(const Bytes& b) {
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
inline Bytes expected(const mpq_class& x) {
  if (sgn(x) == 0) return {1, 0xC0};
  const bool negative = sgn(x) < 0;
  const mpq_class a = abs(x);
  int e = exponentOf(a);
  const int limit = negative ? 22 : 23;
  const mpq_class scaled = a * pow100(limit - (e - 64)) + mpq_class(1, 2);
  mpz_class n = scaled.get_num() / scaled.get_den();
  if (n == pow100z(limit)) {
    n = pow100z(limit - 1);
    ++e;
  }
  std::vector<int> digits(static_cast<size_t>(limit));
  for (int i = limit - 1; i >= 0; --i) {
    digits[static_cast<size_t>(i)] = static_cast<int>(mpz_class(n % 100).get_si());
    n /= 100;
  }
  while (!digits.empty() && digits.back() == 0) digits.pop_back();
  e = e < 4 ? 4 : (e > 124 ? 124 : e);
  return encode(negative, e, digits);
}

// The record of a / b: the quotient cut after 24 digits counted from the place of
// 100^(eA - eB), then packed; a zero divisor saturates at 10^118.
inline Bytes quotient(const mpq_class& a, const mpq_class& b) {
  if (sgn(a) == 0) return {1, 0xC0};
  const bool negative = (sgn(a) < 0) != (sgn(b) < 0);
  if (sgn(b) == 0) return negative ? Bytes{3, 3, 99, 101} : Bytes{2, 252, 1};
  const mpq_class unit = pow100(exponentOf(a) - exponentOf(b) - 23);
  const mpq_class cut = mpq_class(floorOf(abs(a / b) / unit)) * unit;
  return expected(negative ? mpq_class(-cut) : cut);
}

// An exact decimal: "-12.50", "1e-60", "0.05".
inline mpq_class dec(const std::string& text) {
  size_t i = 0;
  const bool negative = text[0] == '-';
  if (negative) ++i;
  mpz_class m = 0;
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
  const mpq_class v = mpq_class(m) * pow10(scale);
  return negative ? mpq_class(-v) : v;
}

// The normal record of a decimal text.
inline tagNUMBER num(const std::string& text) { return record(expected(dec(text))); }

}  // namespace numtest
