// Row kernels written once over a vector width, included by blend_sse2.cpp (128-bit) and
// blend_avx2.cpp (256-bit) inside a namespace of their own. The including file defines:
//   KV                the integer vector type
//   KI(name)          the intrinsic of that width (_mm_name or _mm256_name)
//   KSI(name)         the whole-register logic intrinsic (_mm_and_si128 / _mm256_and_si256 ...)
//   KZERO()           a zero vector
//   KLOAD, KSTORE     unaligned load and store of a vector of pixels
//   KFN               the attributes of every function here (inline, plus the target)
//   KTARGET           the target attribute alone, for the row functions
//   KPIXELS           pixels per vector
//   KFULL             the movemask value with every byte set
//   KHAS_SSSE3        1 where byte shuffles may be used, else 0
// No include guard: this file is meant to be included once per width, and it undefines those
// names at its end so that the next width can define its own.
//
// Channel arithmetic runs on 16-bit lanes. The truncating normal-mode rule
//   t + (s - t) * g div 256
// is computed as (t * (256 - g) + s * g + (t > s ? 255 : 0)) >> 8, which is the same number for
// every channel value and never exceeds 16 bits; the alpha rules fold into the same shape with
// their own multipliers and bias, so one multiply-add serves all four lanes of a pixel.

// Lane constants: one 64-bit pattern per pixel of 4 x 16-bit lanes (blue, green, red, alpha).
#define KLANES(value) KI(set1_epi64x)(static_cast<long long>(value))

KFN KV AlphaMask() { return KI(set1_epi32)(static_cast<int>(0xFF000000u)); }
KFN KV Select(KV mask, KV a, KV b) { return KSI(or)(KSI(and)(mask, a), KSI(andnot)(mask, b)); }
// Per pixel: all ones where the alpha byte is 0.
KFN KV AlphaZero(KV p) { return KI(cmpeq_epi32)(KSI(and)(p, AlphaMask()), KZERO()); }
// Each pixel's 16-bit lane 3 copied into its four lanes.
KFN KV BroadcastAlpha16(KV p16) {
#if KHAS_SSSE3
  // Only the 256-bit build has byte shuffles.
  return KI(shuffle_epi8)(
      p16, _mm256_set_epi64x(0x0F0E0F0E0F0E0F0Ell, 0x0706070607060706ll, 0x0F0E0F0E0F0E0F0Ell, 0x0706070607060706ll));
#else
  return KI(shufflehi_epi16)(KI(shufflelo_epi16)(p16, 0xFF), 0xFF);
#endif
}

#if KHAS_SSSE3
// Colour lanes of the normal rule without the bias: t + sign(s - t) * (|s - t| * g >> 8).
// The alpha lane comes out in 0..509 and is replaced by the caller.
KFN KV MixSigned(KV s16, KV t16, KV g) {
  KV d = KI(sub_epi16)(s16, t16);
  return KI(add_epi16)(t16, KI(sign_epi16)(KI(srli_epi16)(KI(mullo_epi16)(KI(abs_epi16)(d), g), 8), d));
}
#endif

// (t * m1 + s * m2 + bias) >> 8 on 16-bit lanes.
KFN KV MulAdd8(KV t16, KV m1, KV s16, KV m2, KV bias) {
  return KI(srli_epi16)(KI(add_epi16)(KI(add_epi16)(KI(mullo_epi16)(t16, m1), KI(mullo_epi16)(s16, m2)), bias), 8);
}
// 255 in colour lanes where t > s (the truncation of a negative difference).
KFN KV NegBias(KV t16, KV s16) { return KSI(and)(KI(cmpgt_epi16)(t16, s16), KI(set1_epi16)(255)); }

// ---- Draw, normal mode, source keeps alpha, opacity 255 -------------------------------------

// Two-pixel halves. Colour lanes: m1 = 256 - g, s, bias on t > s. Alpha lane with keep alpha:
// g + (255 - g) * (h + 1) div 256 = (h * (255 - g) + 255 * g + 255) >> 8.
template <bool KA>
KFN KV NormalFullHalf(KV s16, KV t16) {
  KV g = BroadcastAlpha16(s16);
  if constexpr (KA) {
    KV alpha255 = KLANES(0x00FF000000000000ull);
    KV sA = KSI(or)(s16, alpha255);
    KV m1 = KI(sub_epi16)(KLANES(0x00FF010001000100ull), g);
    KV bias = KSI(or)(NegBias(t16, sA), alpha255);
    return MulAdd8(t16, m1, sA, g, bias);
  } else {
#if KHAS_SSSE3
    return MixSigned(s16, t16, g);
#else
    KV m1 = KI(sub_epi16)(KI(set1_epi16)(256), g);
    return MulAdd8(t16, m1, s16, g, NegBias(t16, s16));  // the alpha lane is replaced later
#endif
  }
}

// Returns false when the target is left as it is.
template <bool KA>
KFN bool NormalFullBlock(KV s, KV t, KV& out) {
  const KV amask = AlphaMask();
  const KV sAlpha = KSI(and)(s, amask);
  if (KI(movemask_epi8)(KI(cmpeq_epi32)(sAlpha, KZERO())) == KFULL) {
    // Fully transparent source: only the forced alpha (opaque target) or the copy onto
    // transparent target pixels (layer) can change anything.
    if constexpr (KA) {
      KV tz = AlphaZero(t);
      if (KI(movemask_epi8)(tz) == 0) return false;
      out = Select(tz, s, t);
    } else {
      if (KI(movemask_epi8)(KI(cmpeq_epi32)(KSI(and)(t, amask), amask)) == KFULL) return false;
      out = KSI(or)(t, amask);
    }
    return true;
  }
  KV r;
  if (KI(movemask_epi8)(KI(cmpeq_epi32)(sAlpha, amask)) == KFULL) {
    // Fully opaque source: t + (s - t) * 255 div 256 is s - 1 where s > t, s + 1 where s < t.
    const KV one = KI(set1_epi8)(1);
    r = KI(sub_epi8)(KI(add_epi8)(s, KI(min_epu8)(KI(subs_epu8)(t, s), one)), KI(min_epu8)(KI(subs_epu8)(s, t), one));
    r = KSI(or)(r, amask);
  } else {
    const KV zero = KZERO();
    KV lo = NormalFullHalf<KA>(KI(unpacklo_epi8)(s, zero), KI(unpacklo_epi8)(t, zero));
    KV hi = NormalFullHalf<KA>(KI(unpackhi_epi8)(s, zero), KI(unpackhi_epi8)(t, zero));
    r = KI(packus_epi16)(lo, hi);
    if constexpr (!KA) r = KSI(or)(r, amask);
  }
  if constexpr (KA) r = Select(AlphaZero(t), s, r);
  out = r;
  return true;
}

// ---- Draw, normal mode, source keeps alpha, opacity a < 255 ---------------------------------

// g = source alpha * a div 256. Keep alpha: alpha lane g + h - (g * h + 255) div 256
// = (h * (256 - g) + 255 * g + g) >> 8. Opaque target: the alpha lane carries h through.
template <bool KA>
KFN KV NormalPartHalf(KV s16, KV t16, KV g) {
  if constexpr (KA) {
    KV m1 = KI(sub_epi16)(KI(set1_epi16)(256), g);
    KV alpha255 = KLANES(0x00FF000000000000ull);
    KV sA = KSI(or)(s16, alpha255);
    KV bias = KSI(or)(NegBias(t16, sA), KSI(and)(g, KLANES(0xFFFF000000000000ull)));
    return MulAdd8(t16, m1, sA, g, bias);
  } else {
#if KHAS_SSSE3
    return MixSigned(s16, t16, g);  // the alpha lane (s = t = h) stays h
#else
    return MulAdd8(t16, KI(sub_epi16)(KI(set1_epi16)(256), g), s16, g, NegBias(t16, s16));
#endif
  }
}
// g = source alpha * a div 256 for each pixel of a half.
KFN KV PartAlpha(KV s16, KV a16) { return KI(srli_epi16)(KI(mullo_epi16)(BroadcastAlpha16(s16), a16), 8); }

template <bool KA>
KFN bool NormalPartBlock(KV s, KV t, KV a16, KV& out) {
  const KV amask = AlphaMask();
  if (KI(movemask_epi8)(KI(cmpeq_epi32)(KSI(and)(s, amask), KZERO())) == KFULL) return false;
  const KV zero = KZERO();
  KV sx = s;
  if constexpr (!KA) sx = KSI(or)(KSI(andnot)(amask, s), KSI(and)(t, amask));  // alpha lane keeps h
  KV glo = PartAlpha(KI(unpacklo_epi8)(s, zero), a16);
  KV ghi = PartAlpha(KI(unpackhi_epi8)(s, zero), a16);
  KV lo = NormalPartHalf<KA>(KI(unpacklo_epi8)(sx, zero), KI(unpacklo_epi8)(t, zero), glo);
  KV hi = NormalPartHalf<KA>(KI(unpackhi_epi8)(sx, zero), KI(unpackhi_epi8)(t, zero), ghi);
  KV r = KI(packus_epi16)(lo, hi);
  if constexpr (KA) {
    // Transparent target pixels take the source pixel, unless g = 0 skips the pixel.
    KV gZero = KI(packs_epi16)(KI(cmpeq_epi16)(glo, zero), KI(cmpeq_epi16)(ghi, zero));
    r = Select(KSI(andnot)(gZero, AlphaZero(t)), s, r);
  }
  out = r;
  return true;
}

// ---- Draw, normal mode, source without alpha, opacity a < 255 -------------------------------

// (s * a + t * (255 - a) + 255) >> 8 in every lane; the alpha lane is replaced afterwards.
template <bool KA>
KFN KV NormalOpaqueBlock(KV s, KV t, KV a16, KV na16, KV alphaA) {
  const KV zero = KZERO();
  const KV bias = KI(set1_epi16)(255);
  KV lo = MulAdd8(KI(unpacklo_epi8)(t, zero), na16, KI(unpacklo_epi8)(s, zero), a16, bias);
  KV hi = MulAdd8(KI(unpackhi_epi8)(t, zero), na16, KI(unpackhi_epi8)(s, zero), a16, bias);
  const KV amask = AlphaMask();
  KV r = KSI(andnot)(amask, KI(packus_epi16)(lo, hi));
  if constexpr (KA) return Select(AlphaZero(t), s, KSI(or)(r, alphaA));
  return KSI(or)(r, KSI(and)(t, amask));
}

// ---- DrawColor, normal mode, shape keeps alpha ------------------------------------------------
// Per pixel the shape's strength f = ma * k div 256 (f = ma at full strength), and every channel
// moves from t toward the colour by (c - t) * f div 256, truncating toward t. The channels are
// taken in two sets of 16-bit lanes, blue and red from the even bytes, green and alpha from the
// odd ones, so that no byte shuffles are needed: f comes out of one unsigned high multiply,
// (ma << 8) * k >> 16 in the upper half of the pixel, and is copied into its lower half. With
// the colour's alpha lane at 255 the alpha lane gives h + (255 - h) * f div 256, the rule of a
// target that keeps alpha; a target without alpha keeps h (multiplier 0 there) or, at full
// strength, becomes opaque.
KFN KV TowardColour(KV t16, KV c16, KV f16) {
#if KHAS_SSSE3
  return MixSigned(c16, t16, f16);
#else
  return MulAdd8(t16, KI(sub_epi16)(KI(set1_epi16)(256), f16), c16, f16, NegBias(t16, c16));
#endif
}

struct ColourConstants {
  KV c;       // the colour in every pixel
  KV cEven;   // blue and red lanes of the colour
  KV cOdd;    // green lane and 255 in the alpha lane
  KV kHigh;   // k (256 at full strength) in the upper 16-bit half of each pixel
  KV oddMul;  // mask of the odd lanes' multiplier: without the alpha lane unless it changes
};

template <bool KA, bool kFull>
KFN bool ColourBlock(KV m, KV t, const ColourConstants& cc, KV& out) {
  const KV amask = AlphaMask();
  const KV mAlpha = KSI(and)(m, amask);
  if (KI(movemask_epi8)(KI(cmpeq_epi32)(mAlpha, KZERO())) == KFULL) {
    if (KA || !kFull) return false;
    if (KI(movemask_epi8)(KI(cmpeq_epi32)(KSI(and)(t, amask), amask)) == KFULL) return false;
    out = KSI(or)(t, amask);
    return true;
  }
  if (kFull && KI(movemask_epi8)(KI(cmpeq_epi32)(mAlpha, amask)) == KFULL) {
    out = cc.c;  // opaque shape at full strength writes the colour
    return true;
  }
  const KV f32 = KI(mulhi_epu16)(mAlpha, cc.kHigh);  // f in bits 16..23
  const KV f16 = KSI(or)(f32, KI(srli_epi32)(f32, 16));
  const KV lowBytes = KI(set1_epi16)(0x00FF);
  const KV even = TowardColour(KSI(and)(t, lowBytes), cc.cEven, f16);
  const KV odd = TowardColour(KI(srli_epi16)(t, 8), cc.cOdd, KSI(and)(f16, cc.oddMul));
  KV r = KSI(or)(even, KI(slli_epi16)(odd, 8));
  if constexpr (KA) {
    // Transparent target pixels get the colour with alpha f (where f > 0).
    const KV fz = KI(cmpeq_epi32)(f32, KZERO());
    r = Select(KSI(andnot)(fz, AlphaZero(t)), KSI(or)(KSI(andnot)(amask, cc.c), KI(slli_epi32)(f32, 8)), r);
  } else if constexpr (kFull) {
    r = KSI(or)(r, amask);
  }
  if constexpr (kFull) r = Select(KI(cmpeq_epi32)(f32, KI(set1_epi32)(255 << 16)), cc.c, r);  // f = 255 writes c
  out = r;
  return true;
}

// ---- DrawColor, normal mode, shape without alpha, k < 255 --------------------------------------

// (t * (255 - k) + c * k + 255) >> 8 per lane, c * k + 255 precomputed in ck16.
template <bool KA>
KFN KV ColorBlendBlock(KV t, KV nk16, KV ck16, KV cWithK, KV kAlpha) {
  const KV zero = KZERO();
  KV lo = KI(srli_epi16)(KI(add_epi16)(KI(mullo_epi16)(KI(unpacklo_epi8)(t, zero), nk16), ck16), 8);
  KV hi = KI(srli_epi16)(KI(add_epi16)(KI(mullo_epi16)(KI(unpackhi_epi8)(t, zero), nk16), ck16), 8);
  const KV amask = AlphaMask();
  KV r = KSI(andnot)(amask, KI(packus_epi16)(lo, hi));
  if constexpr (KA) {
    r = KSI(or)(r, KSI(and)(KI(max_epu8)(t, kAlpha), amask));
    return Select(AlphaZero(t), cWithK, r);
  }
  return KSI(or)(r, KSI(and)(t, amask));
}

// ---- Row drivers ---------------------------------------------------------------------------

// Runs `op(s, t, out)` over a row; the tail goes through a small buffer so that the vector
// code handles it too (every pixel is computed on its own, so the padding does not matter).
template <class Op>
KFN void RunRow(uint32_t* dst, const uint32_t* src, int count, const Op& op) {
  int i = 0;
  for (; i + KPIXELS <= count; i += KPIXELS) {
    KV out;
    if (op(KLOAD(src + i), KLOAD(dst + i), out)) KSTORE(dst + i, out);
  }
  if (i < count) {
    alignas(32) uint32_t sb[KPIXELS] = {};
    alignas(32) uint32_t tb[KPIXELS] = {};
    const int rest = count - i;
    for (int j = 0; j < rest; ++j) {
      sb[j] = src[i + j];
      tb[j] = dst[i + j];
    }
    KV out;
    if (op(KLOAD(sb), KLOAD(tb), out)) {
      KSTORE(tb, out);
      for (int j = 0; j < rest; ++j) dst[i + j] = tb[j];
    }
  }
}

template <bool KA>
struct NormalFullOp {
  KFN bool operator()(KV s, KV t, KV& out) const { return NormalFullBlock<KA>(s, t, out); }
};
template <bool KA>
struct NormalPartOp {
  KV a16;
  KFN bool operator()(KV s, KV t, KV& out) const { return NormalPartBlock<KA>(s, t, a16, out); }
};
template <bool KA>
struct NormalOpaqueOp {
  KV a16, na16, alphaA;
  KFN bool operator()(KV s, KV t, KV& out) const {
    out = NormalOpaqueBlock<KA>(s, t, a16, na16, alphaA);
    return true;
  }
};
template <bool KA, bool kFull>
struct ColourOp {
  ColourConstants cc;
  KFN bool operator()(KV m, KV t, KV& out) const { return ColourBlock<KA, kFull>(m, t, cc, out); }
};
template <bool KA>
struct ColorBlendOp {
  KV nk16, ck16, cWithK, kAlpha;
  KFN bool operator()(KV, KV t, KV& out) const {
    out = ColorBlendBlock<KA>(t, nk16, ck16, cWithK, kAlpha);
    return true;
  }
};

template <bool KA>
KTARGET void NormalAlphaRowT(uint32_t* dst, const uint32_t* src, int count, uint32_t opacity) {
  if (opacity == 255) {
    RunRow(dst, src, count, NormalFullOp<KA>{});
  } else {
    RunRow(dst, src, count, NormalPartOp<KA>{KI(set1_epi16)(static_cast<short>(opacity))});
  }
}

KTARGET void NormalAlphaRow(uint32_t* dst, const uint32_t* src, int count, uint32_t opacity, bool ka) {
  if (ka)
    NormalAlphaRowT<true>(dst, src, count, opacity);
  else
    NormalAlphaRowT<false>(dst, src, count, opacity);
}

KTARGET void NormalOpaqueRow(uint32_t* dst, const uint32_t* src, int count, uint32_t opacity, bool ka) {
  const KV a16 = KI(set1_epi16)(static_cast<short>(opacity));
  const KV na16 = KI(set1_epi16)(static_cast<short>(255 - opacity));
  const KV alphaA = KI(set1_epi32)(static_cast<int>(opacity << 24));
  if (ka)
    RunRow(dst, src, count, NormalOpaqueOp<true>{a16, na16, alphaA});
  else
    RunRow(dst, src, count, NormalOpaqueOp<false>{a16, na16, alphaA});
}

template <bool KA, bool kFull>
KTARGET void ColorAlphaRectT(uint32_t* dst, ptrdiff_t dstStride, const uint32_t* shape, ptrdiff_t shapeStride,
                             int count, int rows, const ColourConstants& cc) {
  const ColourOp<KA, kFull> op{cc};
  for (int y = 0; y < rows; ++y, dst += dstStride, shape += shapeStride) RunRow(dst, shape, count, op);
}

KTARGET void ColorAlphaRect(uint32_t* dst, ptrdiff_t dstStride, const uint32_t* shape, ptrdiff_t shapeStride, int count,
                            int rows, uint32_t colour, uint32_t k, bool ka) {
  const bool full = k == 255;
  const uint32_t cA = colour | 0xFF000000u;
  const ColourConstants cc{
      KI(set1_epi32)(static_cast<int>(colour)),
      KI(set1_epi32)(static_cast<int>(cA & 0x00FF00FFu)),
      KI(set1_epi32)(static_cast<int>((cA >> 8) & 0x00FF00FFu)),
      KI(set1_epi32)(static_cast<int>((full ? 256u : k) << 16)),
      KI(set1_epi32)(ka || full ? -1 : 0x0000FFFF),
  };
  if (ka && full)
    ColorAlphaRectT<true, true>(dst, dstStride, shape, shapeStride, count, rows, cc);
  else if (ka)
    ColorAlphaRectT<true, false>(dst, dstStride, shape, shapeStride, count, rows, cc);
  else if (full)
    ColorAlphaRectT<false, true>(dst, dstStride, shape, shapeStride, count, rows, cc);
  else
    ColorAlphaRectT<false, false>(dst, dstStride, shape, shapeStride, count, rows, cc);
}

KTARGET void ColorBlendRow(uint32_t* dst, int count, uint32_t colour, uint32_t k, bool ka) {
  const KV nk16 = KI(set1_epi16)(static_cast<short>(255 - k));
  const KV c16 = KI(unpacklo_epi8)(KI(set1_epi32)(static_cast<int>(colour)), KZERO());
  const KV ck16 = KI(add_epi16)(KI(mullo_epi16)(c16, KI(set1_epi16)(static_cast<short>(k))), KI(set1_epi16)(255));
  const KV cWithK = KI(set1_epi32)(static_cast<int>((colour & 0x00FFFFFFu) | (k << 24)));
  const KV kAlpha = KI(set1_epi32)(static_cast<int>(k << 24));
  // The row is its own "source": the operation ignores it.
  if (ka)
    RunRow(dst, dst, count, ColorBlendOp<true>{nk16, ck16, cWithK, kAlpha});
  else
    RunRow(dst, dst, count, ColorBlendOp<false>{nk16, ck16, cWithK, kAlpha});
}

#undef KLANES

// ---- Bilinear sampling -------------------------------------------------------------------------
//
// Exact 16-bit weights (Bilinear in blend_reference.h). A 128-bit lane holds one pixel pair or
// one pixel's four 32-bit channels, so a vector handles KPAIRS pixels. Along x a channel is
// left * (65536 - f) + right * f = (left << 16) + (right - left) * f, and the difference d is
// paired with 2d so that one multiply-add takes f - 32768 and 16384, which both fit 16 bits.
// Along y the 24-bit channels meet 16-bit weights in 40-bit sums, split so that 32-bit lanes do.

#if KPIXELS == 8
#define KPAIRS 2
// Pixel pairs at a and b (one per 128-bit lane).
#define KGATHER(a, b)                                                                                   \
  _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a))), \
                          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b)), 1)
// A 32-bit value per 128-bit lane.
#define KPERLANE32(a, b) _mm256_setr_m128i(_mm_set1_epi32(static_cast<int>(a)), _mm_set1_epi32(static_cast<int>(b)))
#else
#define KPAIRS 1
// One lane: the second value is not used.
#define KGATHER(a, b) ((void)(b), _mm_loadl_epi64(reinterpret_cast<const __m128i*>(a)))
#define KPERLANE32(a, b) ((void)(b), _mm_set1_epi32(static_cast<int>(a)))
#endif

// (f - 32768) in the low 16 bits of a 32-bit lane, 16384 in the high ones.
KFN uint32_t PackedWeight(uint32_t f) { return (f ^ 0x8000u) | 0x40000000u; }

// Per lane: pixel pair (8 bytes) to four 32-bit channels left * (65536 - f) + right * f.
KFN KV AlongX(KV pairs, KV packedWeight) {
  const KV p16 = KI(unpacklo_epi8)(pairs, KZERO());
  const KV d = KI(sub_epi16)(KI(unpackhi_epi64)(p16, p16), p16);
  const KV terms = KI(unpacklo_epi16)(d, KI(add_epi16)(d, d));
  return KI(add_epi32)(KI(madd_epi16)(terms, packedWeight), KI(unpacklo_epi16)(KZERO(), p16));
}

// Per 32-bit channel: (upper * (65536 - fy) + lower * fy + 2^31) >> 32 without 64-bit lanes.
// With d = lower - upper = dh * 2^15 + dl (0 <= dl < 2^15) and g = fy - 32768, which fits 16
// bits, the sum plus 2^31 over 2^15 is exactly upper + lower + dh * g + 2^16 + floor(dl * g / 2^15);
// d + (d & ~0x7FFF) holds dl and dh in its 16-bit halves for the multiply-adds. `gLow` has g in
// the low half of every 32-bit lane, `gHigh` in the high half.
KFN KV AlongY(KV upper, KV lower, KV gLow, KV gHigh) {
  const KV d = KI(sub_epi32)(lower, upper);
  const KV halves = KI(add_epi32)(d, KSI(andnot)(KI(set1_epi32)(0x7FFF), d));
  const KV sum = KI(add_epi32)(KI(add_epi32)(upper, lower), KI(madd_epi16)(halves, gHigh));
  const KV low = KI(srai_epi32)(KI(madd_epi16)(halves, gLow), 15);
  return KI(srli_epi32)(KI(add_epi32)(KI(add_epi32)(sum, low), KI(set1_epi32)(65536)), 17);
}
// g = fy - 32768 as 16 bits, in the low or the high half of a 32-bit lane.
KFN uint32_t LowWeight(uint32_t fy) { return fy ^ 0x8000u; }
KFN uint32_t HighWeight(uint32_t fy) { return (fy ^ 0x8000u) << 16; }

// The pixel of each lane's four channel values (0..255), lane 0 first.
KFN void StoreLanePixels(uint32_t* dst, KV channels, uint32_t alphaOr) {
  const KV p = KI(packus_epi16)(KI(packs_epi32)(channels, channels), KZERO());
#if KPIXELS == 8
  dst[0] = static_cast<uint32_t>(_mm256_extract_epi32(p, 0)) | alphaOr;
  dst[1] = static_cast<uint32_t>(_mm256_extract_epi32(p, 4)) | alphaOr;
#else
  dst[0] = static_cast<uint32_t>(_mm_cvtsi128_si32(p)) | alphaOr;
#endif
}

// Packed weights of four columns (lane k of `w4` for column k), spread so that each 128-bit lane
// holds its column's weight: columns 2k and 2k + 1 at 256 bits, column k at 128.
template <int K>
KFN KV SpreadWeights(__m128i w4) {
#if KPIXELS == 8
  return _mm256_permutevar8x32_epi32(
      _mm256_castsi128_si256(w4),
      _mm256_setr_epi32(2 * K, 2 * K, 2 * K, 2 * K, 2 * K + 1, 2 * K + 1, 2 * K + 1, 2 * K + 1));
#else
  return _mm_shuffle_epi32(w4, K * 0x55);
#endif
}

template <int K>
KFN void AlongXStep(uint32_t* out, const uint32_t* row, const int32_t* index, __m128i w4) {
  constexpr ptrdiff_t kFirst = ptrdiff_t{K} * KPAIRS, kLast = kFirst + KPAIRS - 1;
  KSTORE(out + 4 * kFirst, AlongX(KGATHER(row + index[kFirst], row + index[kLast]), SpreadWeights<K>(w4)));
}

KTARGET void BilinearAlongX(uint32_t* out, const uint32_t* row, const int32_t* index, const uint32_t* fraction,
                            int count) {
  ptrdiff_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i w4 = _mm_or_si128(
        _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(fraction + i)), _mm_set1_epi32(0x8000)),
        _mm_set1_epi32(0x40000000));
    AlongXStep<0>(out + 4 * i, row, index + i, w4);
    AlongXStep<1>(out + 4 * i, row, index + i, w4);
#if KPAIRS == 1
    AlongXStep<2>(out + 4 * i, row, index + i, w4);
    AlongXStep<3>(out + 4 * i, row, index + i, w4);
#endif
  }
  for (; i < count; ++i) {
    const __m128i w = _mm_set1_epi32(static_cast<int>(PackedWeight(fraction[i])));
#if KPIXELS == 8
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * i),
                     _mm256_castsi256_si128(AlongX(KGATHER(row + index[i], row + index[i]), _mm256_setr_m128i(w, w))));
#else
    KSTORE(out + 4 * i, AlongX(KGATHER(row + index[i], row + index[i]), w));
#endif
  }
}

// Four pixels of the second pass, from first-pass channels at `upper` and `lower`.
KFN __m128i AlongYFour(const uint32_t* upper, const uint32_t* lower, KV gLow, KV gHigh) {
#if KPIXELS == 8
  // Lane 0 holds pixels 0 and 2, lane 1 pixels 1 and 3.
  __m256i p = _mm256_packs_epi32(AlongY(KLOAD(upper), KLOAD(lower), gLow, gHigh),
                                 AlongY(KLOAD(upper + 8), KLOAD(lower + 8), gLow, gHigh));
  p = _mm256_permutevar8x32_epi32(_mm256_packus_epi16(p, p), _mm256_setr_epi32(0, 4, 1, 5, 0, 4, 1, 5));
  return _mm256_castsi256_si128(p);
#else
  KV c[4];
  for (ptrdiff_t k = 0; k < 4; ++k) c[k] = AlongY(KLOAD(upper + 4 * k), KLOAD(lower + 4 * k), gLow, gHigh);
  return _mm_packus_epi16(_mm_packs_epi32(c[0], c[1]), _mm_packs_epi32(c[2], c[3]));
#endif
}

KTARGET void BilinearAlongY(uint32_t* dst, const uint32_t* upper, const uint32_t* lower, int count, uint32_t fy,
                            bool ka) {
  const KV gLow = KI(set1_epi32)(static_cast<int>(LowWeight(fy)));
  const KV gHigh = KI(set1_epi32)(static_cast<int>(HighWeight(fy)));
  const __m128i alphaOr = _mm_set1_epi32(ka ? 0 : static_cast<int>(0xFF000000u));
  ptrdiff_t i = 0;
  for (; i + 4 <= count; i += 4)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i),
                     _mm_or_si128(AlongYFour(upper + 4 * i, lower + 4 * i, gLow, gHigh), alphaOr));
  if (i < count)
    kPortableKernels.bilinearAlongY(dst + i, upper + 4 * i, lower + 4 * i, static_cast<int>(count - i), fy, ka);
}

// The address of sample i's upper-left pixel, and its fractions.
KFN const uint32_t* LineSample(const uint32_t* src, int64_t stride, int64_t x, int64_t y, uint32_t& fx, uint32_t& fy) {
  fx = static_cast<uint32_t>(x & 0xFFFF);
  fy = static_cast<uint32_t>(y & 0xFFFF);
  return src + (y >> 16) * stride + (x >> 16);
}

KTARGET void BilinearLine(uint32_t* dst, const uint32_t* src, int64_t stride, int count, int64_t sx, int64_t sy,
                          int64_t dx, int64_t dy, bool ka) {
  const uint32_t alphaOr = ka ? 0u : 0xFF000000u;
  for (ptrdiff_t i = 0; i < count; i += KPAIRS) {
    // An odd last sample is computed twice and stored once.
    const ptrdiff_t j = std::min<ptrdiff_t>(i + KPAIRS - 1, count - 1);
    uint32_t fx, fy, gx, gy;
    const uint32_t* p = LineSample(src, stride, sx + i * dx, sy + i * dy, fx, fy);
    const uint32_t* q = LineSample(src, stride, sx + j * dx, sy + j * dy, gx, gy);
    const KV wx = KPERLANE32(PackedWeight(fx), PackedWeight(gx));
    const KV upper = AlongX(KGATHER(p, q), wx), lower = AlongX(KGATHER(p + stride, q + stride), wx);
    const KV channels =
        AlongY(upper, lower, KPERLANE32(LowWeight(fy), LowWeight(gy)), KPERLANE32(HighWeight(fy), HighWeight(gy)));
    uint32_t pixels[KPAIRS];
    StoreLanePixels(pixels, channels, alphaOr);
    for (ptrdiff_t k = 0; k <= j - i; ++k) dst[i + k] = pixels[k];
  }
}

#undef KPAIRS
#undef KGATHER
#undef KPERLANE32

#undef KV
#undef KI
#undef KSI
#undef KZERO
#undef KLOAD
#undef KSTORE
#undef KFN
#undef KTARGET
#undef KPIXELS
#undef KFULL
#undef KHAS_SSSE3
