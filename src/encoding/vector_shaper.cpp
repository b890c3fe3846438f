#include "encoding/vector_shaper.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#include <algorithm>

namespace pelikar::encoding::detail {
namespace {

// The codes are typed a piece at a time into two buffers (the typed codes and their
// info), then shaped from them: a code's shape needs the info of both neighbours.
constexpr std::size_t kPiece = 4096;

struct Cursor {
  const Byte* in;
  std::size_t n;
  bool reversed;
  unsigned inSpan = 0;

  Byte At(std::size_t i) const { return reversed ? in[n - 1 - i] : in[i]; }
  unsigned SpanAfter(Byte c) const {
    const unsigned flipped = inSpan ^ (c == '~');
    return reversed || c != '\r' ? flipped : 0;
  }
};

#define PELIKAR_AVX2 __attribute__((target("avx2")))

// A table of 128 codes, as eight rows of 16 in both halves of a vector.
struct Lookup128 {
  __m256i rows[8];
  PELIKAR_AVX2 explicit Lookup128(const Byte* table) {
    for (int k = 0; k < 8; ++k) {
      rows[k] = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table + 16 * k)));
    }
  }
};

// Looks up codes 0-127 in two tables at once. Row k sees x - 16k: a code of another
// row is 128 or more once 0x70 is added with saturation, which shuffles in a zero.
PELIKAR_AVX2 inline void LookUp(__m256i x, const Lookup128& a, const Lookup128& b, __m256i& ra, __m256i& rb) {
  const __m256i sixteen = _mm256_set1_epi8(16), bias = _mm256_set1_epi8(0x70);
  ra = rb = _mm256_setzero_si256();
  for (int k = 0; k < 8; ++k) {
    const __m256i index = _mm256_adds_epu8(x, bias);
    ra = _mm256_or_si256(ra, _mm256_shuffle_epi8(a.rows[k], index));
    rb = _mm256_or_si256(rb, _mm256_shuffle_epi8(b.rows[k], index));
    x = _mm256_sub_epi8(x, sixteen);
  }
}

PELIKAR_AVX2 inline __m256i LookUp(__m256i x, const Lookup128& a) {
  __m256i r, ignored;
  LookUp(x, a, a, r, ignored);
  return r;
}

// Bit i of `bits` as byte i: 0xFF or 0.
PELIKAR_AVX2 inline __m256i BytesOfBits(std::uint32_t bits) {
  const __m256i spread = _mm256_shuffle_epi8(_mm256_set1_epi32(static_cast<int>(bits)),
                                             _mm256_setr_epi64x(0, 0x0101010101010101, 0x0202020202020202,
                                                                0x0303030303030303));
  const __m256i bit = _mm256_set1_epi64x(static_cast<long long>(0x8040201008040201ULL));
  return _mm256_cmpeq_epi8(_mm256_and_si256(spread, bit), bit);
}

std::uint32_t PrefixXor(std::uint32_t m) {
  for (int shift = 1; shift < 32; shift *= 2) m ^= m << shift;
  return m;
}

struct Tables {
  Lookup128 typedOut, typedIn, infoOut, infoIn, delta;
  PELIKAR_AVX2 explicit Tables(const ShapingTable& t)
      : typedOut(t.typedLow[0]), typedIn(t.typedLow[1]), infoOut(t.infoLow[0]), infoIn(t.infoLow[1]),
        delta(t.delta) {}
};

// Types 32 codes 0-127 from position i on; false if one of them is 128 or more.
PELIKAR_AVX2 bool TypeBlock(const Tables& v, Cursor& cur, std::size_t i, Byte* typed, Byte* info) {
  __m256i x;
  if (cur.reversed) {
    const __m256i reversedHalves = _mm256_setr_epi8(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0,  //
                                                    15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cur.in + cur.n - i - 32));
    x = _mm256_permute4x64_epi64(_mm256_shuffle_epi8(x, reversedHalves), 0x4E);
  } else {
    x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cur.in + i));
  }
  if (_mm256_movemask_epi8(x) != 0) return false;
  const auto tildes = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(x, _mm256_set1_epi8('~'))));
  std::uint32_t inside = PrefixXor(tildes) ^ (cur.inSpan ? ~0u : 0u);
  if (!cur.reversed) {
    // After each CR the spans start again: from there the parity counts from the CR.
    auto ends = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(x, _mm256_set1_epi8('\r'))));
    const std::uint32_t parity = PrefixXor(tildes);
    for (; ends != 0; ends &= ends - 1) {
      const int at = __builtin_ctz(ends);
      const std::uint32_t from = ~0u << at;
      inside = (inside & ~from) | ((parity ^ ((parity >> at & 1) ? ~0u : 0u)) & from);
    }
  }
  cur.inSpan = inside >> 31;
  const __m256i in = BytesOfBits(inside);
  __m256i typedOut, infoOut, typedIn, infoIn;
  LookUp(x, v.typedOut, v.infoOut, typedOut, infoOut);
  LookUp(x, v.typedIn, v.infoIn, typedIn, infoIn);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(typed), _mm256_blendv_epi8(typedOut, typedIn, in));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(info), _mm256_blendv_epi8(infoOut, infoIn, in));
  return true;
}

void TypeOne(const ShapingTable& t, Cursor& cur, std::size_t i, Byte* typed, Byte* info) {
  const Byte c = cur.At(i);
  cur.inSpan = cur.SpanAfter(c);
  *typed = static_cast<Byte>(t.typed[cur.inSpan][c]);
  *info = t.info[*typed];
}

Byte ShapeOne(const ShapingTable& t, const Byte* typed, const Byte* info, std::size_t i) {
  // info[i + 1] is the code's own; info[i] and info[i + 2] its neighbours'.
  return static_cast<Byte>(typed[i] + t.delta[info[i + 1] >> 2 | ((info[i] & 2) | (info[i + 2] & 1)) << 5]);
}

PELIKAR_AVX2 inline __m256i Load(const Byte* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }

PELIKAR_AVX2 void ShapeBlock(const Tables& v, const Byte* typed, const Byte* info, Byte* out) {
  const __m256i left = _mm256_and_si256(Load(info), _mm256_set1_epi8(2));
  const __m256i right = _mm256_and_si256(Load(info + 2), _mm256_set1_epi8(1));
  const __m256i own = _mm256_and_si256(_mm256_srli_epi16(Load(info + 1), 2), _mm256_set1_epi8(0x1F));
  const __m256i sides = _mm256_slli_epi16(_mm256_or_si256(left, right), 5);
  const __m256i delta = LookUp(_mm256_or_si256(own, sides), v.delta);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_add_epi8(Load(typed), delta));
}

}  // namespace

bool HasVectorPath(const ShapingTable& table) {
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return avx2 && table.vectorClasses;
}

PELIKAR_AVX2 void ConvertWithVectors(const ShapingTable& table, const Byte* in, std::size_t n, bool reversed,
                                     Byte* out) {
  const Tables v(table);
  Cursor cur{in, n, reversed};
  Byte typed[kPiece], info[kPiece + 2];
  info[0] = 0;  // the left neighbour of the first code: outside the text
  for (std::size_t start = 0; start < n; start += kPiece) {
    const std::size_t length = std::min(kPiece, n - start);
    for (std::size_t i = 0; i < length;) {
      if (i + 32 <= length && TypeBlock(v, cur, start + i, typed + i, info + 1 + i)) {
        i += 32;
        continue;
      }
      // A block with codes 128-255, or the last few codes: one by one.
      for (const std::size_t end = std::min(length, i + 32); i < end; ++i) {
        TypeOne(table, cur, start + i, typed + i, info + 1 + i);
      }
    }
    // The right neighbour of the piece's last code, typed without moving on.
    info[length + 1] = 0;
    if (start + length < n) {
      Cursor peek = cur;
      Byte ignored;
      TypeOne(table, peek, start + length, &ignored, info + length + 1);
    }
    std::size_t i = 0;
    for (; i + 32 <= length; i += 32) ShapeBlock(v, typed + i, info + i, out + start + i);
    for (; i < length; ++i) out[start + i] = ShapeOne(table, typed, info, i);
    info[0] = info[length];
  }
}

}  // namespace pelikar::encoding::detail

#else

namespace pelikar::encoding::detail {

bool HasVectorPath(const ShapingTable&) { return false; }
void ConvertWithVectors(const ShapingTable&, const Byte*, std::size_t, bool, Byte*) {}

}  // namespace pelikar::encoding::detail

#endif
