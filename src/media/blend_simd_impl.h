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

// f = shape alpha (k = 255) or shape alpha * k div 256. Colour lanes mix toward c; keep alpha:
// (255 - h) * f div 256 + h = (h * (256 - f) + 255 * f) >> 8, from c's alpha lane set to 255.
template <bool KA>
KFN KV ColorHalf(KV m16, KV t16, KV cA16, KV k16, bool full, KV& fOut) {
  KV f = BroadcastAlpha16(m16);
  if (!full) f = KI(srli_epi16)(KI(mullo_epi16)(f, k16), 8);
  fOut = f;
  KV m1 = KI(sub_epi16)(KI(set1_epi16)(256), f);
  return MulAdd8(t16, m1, cA16, f, NegBias(t16, cA16));
}

template <bool KA>
KFN bool ColorBlock(KV m, KV t, KV c, KV cA16, KV k16, bool full, KV& out) {
  const KV amask = AlphaMask();
  const KV mAlpha = KSI(and)(m, amask);
  if (KI(movemask_epi8)(KI(cmpeq_epi32)(mAlpha, KZERO())) == KFULL) {
    if (KA || !full) return false;
    if (KI(movemask_epi8)(KI(cmpeq_epi32)(KSI(and)(t, amask), amask)) == KFULL) return false;
    out = KSI(or)(t, amask);
    return true;
  }
  if (full && KI(movemask_epi8)(KI(cmpeq_epi32)(mAlpha, amask)) == KFULL) {
    out = c;  // opaque shape at full strength writes the colour
    return true;
  }
  const KV zero = KZERO();
  KV flo, fhi;
  KV lo = ColorHalf<KA>(KI(unpacklo_epi8)(m, zero), KI(unpacklo_epi8)(t, zero), cA16, k16, full, flo);
  KV hi = ColorHalf<KA>(KI(unpackhi_epi8)(m, zero), KI(unpackhi_epi8)(t, zero), cA16, k16, full, fhi);
  KV r = KI(packus_epi16)(lo, hi);
  // f as a per-pixel byte pattern (alpha byte = f), for the special cases.
  KV f8 = KI(packus_epi16)(flo, fhi);
  if constexpr (KA) {
    // Transparent target pixels get the colour with alpha f (where f > 0).
    KV fz = KI(cmpeq_epi32)(KSI(and)(f8, amask), KZERO());
    r = Select(KSI(andnot)(fz, AlphaZero(t)), KSI(or)(KSI(andnot)(amask, c), KSI(and)(f8, amask)), r);
  } else {
    r = full ? KSI(or)(r, amask) : KSI(or)(KSI(andnot)(amask, r), KSI(and)(t, amask));
  }
  if (full) r = Select(KI(cmpeq_epi32)(KSI(and)(f8, amask), amask), c, r);  // f = 255 writes c
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
template <bool KA>
struct ColorOp {
  KV c, cA16, k16;
  bool full;
  KFN bool operator()(KV m, KV t, KV& out) const { return ColorBlock<KA>(m, t, c, cA16, k16, full, out); }
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

KTARGET void ColorAlphaRow(uint32_t* dst, const uint32_t* shape, int count, uint32_t colour, uint32_t k, bool ka) {
  const bool full = k == 255;
  const KV c = KI(set1_epi32)(static_cast<int>(colour));
  const KV cA16 = KI(unpacklo_epi8)(KI(set1_epi32)(static_cast<int>(colour | 0xFF000000u)), KZERO());
  const KV k16 = KI(set1_epi16)(static_cast<short>(k));
  if (ka)
    RunRow(dst, shape, count, ColorOp<true>{c, cA16, k16, full});
  else
    RunRow(dst, shape, count, ColorOp<false>{c, cA16, k16, full});
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

// ---- Bilinear sampling (128-bit lanes at either width) ---------------------------------------

// Vertical mix of the pixel pairs at p0 and p1: 16-bit lanes [left b g r a, right b g r a],
// each p0 * (128 - wy) + p1 * wy (at most 32640).
KFN __m128i BilinearVertical(const uint32_t* p0, const uint32_t* p1, __m128i wy0, __m128i wy1) {
  const __m128i z = _mm_setzero_si128();
  __m128i a = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p0)), z);
  __m128i b = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p1)), z);
  return _mm_add_epi16(_mm_mullo_epi16(a, wy0), _mm_mullo_epi16(b, wy1));
}
// Horizontal mix of a vertical result with weight wx: four 32-bit channels, rounded.
KFN __m128i BilinearHorizontal(__m128i v, uint32_t wx) {
  __m128i pairs = _mm_unpacklo_epi16(v, _mm_srli_si128(v, 8));
  __m128i m = _mm_madd_epi16(pairs, _mm_set1_epi32(static_cast<int>((wx << 16) | (128 - wx))));
  return _mm_srli_epi32(_mm_add_epi32(m, _mm_set1_epi32(8192)), 14);
}
KFN uint32_t BilinearStoreOne(__m128i m, __m128i alphaOr) {
  __m128i p = _mm_packs_epi32(m, m);
  return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_or_si128(_mm_packus_epi16(p, p), alphaOr)));
}

// Vertical pass of a scaled row: four 16-bit channels per source column.
KTARGET void BilinearVertical(uint16_t* out, const uint32_t* row0, const uint32_t* row1, int count, uint32_t wy) {
  const KV w0 = KI(set1_epi16)(static_cast<short>(128 - wy));
  const KV w1 = KI(set1_epi16)(static_cast<short>(wy));
  const KV z = KZERO();
  int i = 0;
  for (; i + KPIXELS <= count; i += KPIXELS) {
    const KV a = KLOAD(row0 + i), b = KLOAD(row1 + i);
    // Per 128-bit lane the low half holds the lane's first two pixels: stored in pixel order.
    KV lo = KI(add_epi16)(KI(mullo_epi16)(KI(unpacklo_epi8)(a, z), w0), KI(mullo_epi16)(KI(unpacklo_epi8)(b, z), w1));
    KV hi = KI(add_epi16)(KI(mullo_epi16)(KI(unpackhi_epi8)(a, z), w0), KI(mullo_epi16)(KI(unpackhi_epi8)(b, z), w1));
#if KPIXELS == 8
    KSTORE(out + 4 * i, _mm256_permute2x128_si256(lo, hi, 0x20));
    KSTORE(out + 4 * i + 16, _mm256_permute2x128_si256(lo, hi, 0x31));
#else
    KSTORE(out + 4 * i, lo);
    KSTORE(out + 4 * i + 8, hi);
#endif
  }
  for (; i < count; ++i)
    for (int c = 0; c < 4; ++c)
      out[4 * i + c] =
          static_cast<uint16_t>(((row0[i] >> (8 * c)) & 255) * (128 - wy) + ((row1[i] >> (8 * c)) & 255) * wy);
}

// One horizontal sample: columns index and index + 1 of the vertical pass, packed weight
// (w << 16) | (128 - w); four rounded 32-bit channels.
KFN __m128i BilinearSample(const uint16_t* vert, int32_t index, uint32_t weight) {
  __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(vert + 4 * index));
  __m128i pairs = _mm_unpacklo_epi16(v, _mm_srli_si128(v, 8));
  __m128i m = _mm_madd_epi16(pairs, _mm_set1_epi32(static_cast<int>(weight)));
  return _mm_srli_epi32(_mm_add_epi32(m, _mm_set1_epi32(8192)), 14);
}

#if KPIXELS == 8
// Samples j and j + 1: lane 0 and lane 1 each hold four rounded 32-bit channels.
KFN __m256i BilinearTwo(const uint16_t* vert, const int32_t* index, const uint32_t* weight, int j, __m256i pairCtrl,
                        __m256i spread, __m256i round) {
  __m256i v = _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(vert + 4 * index[j]))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(vert + 4 * index[j + 1])), 1);
  __m256i w = _mm256_permutevar8x32_epi32(
      _mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(weight + j))), spread);
  __m256i m = _mm256_madd_epi16(_mm256_shuffle_epi8(v, pairCtrl), w);
  return _mm256_srli_epi32(_mm256_add_epi32(m, round), 14);
}
#endif

KTARGET void BilinearHorizontal(uint32_t* dst, const uint16_t* vert, const int32_t* index, const uint32_t* weight,
                                int count, bool ka) {
  const __m128i alphaOr = ka ? _mm_setzero_si128() : _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
#if KPIXELS == 8
  const __m256i pairCtrl =
      _mm256_set_epi64x(0x0F0E07060D0C0504ll, 0x0B0A030209080100ll, 0x0F0E07060D0C0504ll, 0x0B0A030209080100ll);
  const __m256i spread = _mm256_set_epi32(1, 1, 1, 1, 0, 0, 0, 0);
  const __m256i order = _mm256_set_epi32(5, 1, 4, 0, 5, 1, 4, 0);
  const __m256i round = _mm256_set1_epi32(8192);
  for (; i + 4 <= count; i += 4) {
    __m256i p = _mm256_packs_epi32(
        BilinearTwo(vert, index, weight, i, pairCtrl, spread, round),
        BilinearTwo(vert, index, weight, i + 2, pairCtrl, spread, round));  // lane 0: pixels 0, 2; lane 1: 1, 3
    p = _mm256_permutevar8x32_epi32(_mm256_packus_epi16(p, p), order);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_or_si128(_mm256_castsi256_si128(p), alphaOr));
  }
#else
  for (; i + 4 <= count; i += 4) {
    __m128i p01 =
        _mm_packs_epi32(BilinearSample(vert, index[i], weight[i]), BilinearSample(vert, index[i + 1], weight[i + 1]));
    __m128i p23 = _mm_packs_epi32(BilinearSample(vert, index[i + 2], weight[i + 2]),
                                  BilinearSample(vert, index[i + 3], weight[i + 3]));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_or_si128(_mm_packus_epi16(p01, p23), alphaOr));
  }
#endif
  for (; i < count; ++i) {
    __m128i m = BilinearSample(vert, index[i], weight[i]);
    __m128i p = _mm_packs_epi32(m, m);
    dst[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_or_si128(_mm_packus_epi16(p, p), alphaOr)));
  }
}

KTARGET void BilinearLine(uint32_t* dst, const uint32_t* src, int64_t stride, int count, int64_t sx, int64_t sy,
                          int64_t dx, int64_t dy, bool ka) {
  const __m128i alphaOr = ka ? _mm_setzero_si128() : _mm_set1_epi32(static_cast<int>(0xFF000000u));
  for (int i = 0; i < count; ++i, sx += dx, sy += dy) {
    const uint64_t x = static_cast<uint64_t>(sx), y = static_cast<uint64_t>(sy);
    const uint32_t wy = (y >> 9) & 127;
    const uint32_t* p = src + static_cast<int64_t>(y >> 16) * stride + static_cast<int64_t>(x >> 16);
    __m128i v = BilinearVertical(p, p + stride, _mm_set1_epi16(static_cast<short>(128 - wy)),
                                 _mm_set1_epi16(static_cast<short>(wy)));
    dst[i] = BilinearStoreOne(BilinearHorizontal(v, (x >> 9) & 127), alphaOr);
  }
}

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
