#include "media/image_decode.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <functional>

#include "image_test_encoders.h"

namespace kestrelle {
namespace {

using test::EncodeJpeg;
using test::EncodePng;
using test::PngFormat;
using test::RgbaImage;

constexpr uint32_t Argb(int a, int r, int g, int b) {
  return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

RgbaImage MakeImage(int width, int height, const std::function<uint32_t(int, int)>& pixel) {
  RgbaImage image{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.pixels.push_back(pixel(x, y));
  return image;
}

// Every pixel of the surface equal to the image's; reports the first difference.
void ExpectSamePixels(const ISurface& surface, const RgbaImage& image) {
  ASSERT_EQ(surface.GetWidth(), image.width);
  ASSERT_EQ(surface.GetHeight(), image.height);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      ASSERT_EQ(surface.GetPixel(x, y), image.At(x, y)) << std::hex << "at " << std::dec << x << "," << y;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

// A PNG made of a signature, an IHDR of our choosing (with a right CRC), one IDAT and IEND.
std::string PngWithHeader(uint32_t width, uint32_t height, int bitDepth, int colourType, const std::string& idat) {
  auto chunk = [](const char* type, const std::string& data) {
    std::string out;
    uint32_t length = static_cast<uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8) out += char(length >> shift);
    std::string body = std::string(type) + data;
    out += body;
    uint32_t crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size()));
    for (int shift = 24; shift >= 0; shift -= 8) out += char(crc >> shift);
    return out;
  };
  std::string ihdr;
  for (uint32_t v : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) ihdr += char(v >> shift);
  ihdr += {char(bitDepth), char(colourType), 0, 0, 0};
  return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("IDAT", idat) + chunk("IEND", "");
}

// ---------------------------------------------------------------------------------------------

struct PngCase {
  const char* name;
  PngFormat format;
  std::function<uint32_t(int, int)> pixel;
  bool keepAlpha;
};

TEST(PngDecode, EveryColourFormatBecomesBgraWithAlphaWhenTheImageHasIt) {
  auto colour = [](int x, int y) { return Argb(255, x * 27, y * 25, 250 - x * 13); };
  auto colourAlpha = [](int x, int y) { return Argb(x * 20 + y, x * 27, y * 25, 250 - x * 13); };
  auto grey = [](int x, int y) { return Argb(255, x * 23 + y, x * 23 + y, x * 23 + y); };
  auto greyAlpha = [](int x, int y) { return Argb(255 - y * 20, x * 25, x * 25, x * 25); };
  auto blackWhite = [](int x, int y) { return (x + y) % 3 ? Argb(255, 255, 255, 255) : Argb(255, 0, 0, 0); };
  auto fewColours = [](int x, int y) {
    static const uint32_t colours[] = {Argb(255, 200, 10, 10), Argb(255, 10, 200, 10), Argb(255, 10, 10, 200),
                                       Argb(255, 90, 90, 0)};
    return colours[(x + 2 * y) % 4];
  };
  auto fewColoursAlpha = [&](int x, int y) { return x == y ? Argb(0x40, 1, 2, 3) : fewColours(x, y); };

  const PngCase cases[] = {
      {"rgb 8", {PNG_COLOR_TYPE_RGB, 8}, colour, false},
      {"rgba 8", {PNG_COLOR_TYPE_RGB_ALPHA, 8}, colourAlpha, true},
      {"rgb 16", {PNG_COLOR_TYPE_RGB, 16}, colour, false},
      {"rgba 16", {PNG_COLOR_TYPE_RGB_ALPHA, 16}, colourAlpha, true},
      {"grey 1", {PNG_COLOR_TYPE_GRAY, 1}, blackWhite, false},
      {"grey 8", {PNG_COLOR_TYPE_GRAY, 8}, grey, false},
      {"grey 16", {PNG_COLOR_TYPE_GRAY, 16}, grey, false},
      {"grey alpha 8", {PNG_COLOR_TYPE_GRAY_ALPHA, 8}, greyAlpha, true},
      {"palette 2", {PNG_COLOR_TYPE_PALETTE, 2}, fewColours, false},
      {"palette 4 with tRNS", {PNG_COLOR_TYPE_PALETTE, 4}, fewColoursAlpha, true},
      {"palette 8", {PNG_COLOR_TYPE_PALETTE, 8}, fewColours, false},
      {"interlaced rgba 8", {PNG_COLOR_TYPE_RGB_ALPHA, 8, true}, colourAlpha, true},
      {"interlaced grey 1", {PNG_COLOR_TYPE_GRAY, 1, true}, blackWhite, false},
      {"interlaced palette 4", {PNG_COLOR_TYPE_PALETTE, 4, true}, fewColoursAlpha, true},
  };
  for (const PngCase& c : cases) {
    SCOPED_TRACE(c.name);
    // Odd sizes, so that packed rows end in part of a byte and Adam7 passes are uneven.
    const RgbaImage image = MakeImage(11, 9, c.pixel);
    SurfaceRef surface = DecodePng(EncodePng(image, c.format), c.name);
    ASSERT_TRUE(surface);
    EXPECT_EQ(surface->GetKeepAlpha(), c.keepAlpha);
    ExpectSamePixels(*surface, image);
  }
}

TEST(PngDecode, DamagedOrImplausibleFilesGiveNoImageAndALogLine) {
  const RgbaImage noise = MakeImage(64, 64, [](int x, int y) {
    uint32_t v = uint32_t(x * 7919 + y * 104729) * 2654435761u;
    return v | 0xFF000000u;
  });
  const std::string good = EncodePng(noise, {PNG_COLOR_TYPE_RGB_ALPHA, 8});
  std::string badCrc = good;
  badCrc[badCrc.size() / 2] ^= 0x55;  // inside the IDAT data
  const std::string tinyIdat(64, '\0');

  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"not a png", "GIF89a and something else entirely"},
      {"truncated", good.substr(0, good.size() / 2)},
      {"header only", good.substr(0, 33)},
      {"damaged data", badCrc},
      {"absurd size", PngWithHeader(1000000, 1000000, 8, PNG_COLOR_TYPE_RGB_ALPHA, tinyIdat)},
      {"beyond the pixel limit", PngWithHeader(16000, 16000, 8, PNG_COLOR_TYPE_RGB_ALPHA, tinyIdat)},
      {"too little data for its size", PngWithHeader(8000, 8000, 8, PNG_COLOR_TYPE_RGB, tinyIdat)},
      {"zero width", PngWithHeader(0, 10, 8, PNG_COLOR_TYPE_RGB, tinyIdat)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    testing::internal::CaptureStderr();
    SurfaceRef surface = DecodePng(bytes, std::string("data\\images\\") + name + ".png");
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(surface);
    EXPECT_NE(log.find(std::string("data\\images\\") + name + ".png"), std::string::npos) << log;
  }
  ASSERT_TRUE(DecodePng(good, "good"));  // the damage above, not the encoder, made them fail
}

// ---------------------------------------------------------------------------------------------

RgbaImage Quadrants(int size) {
  return MakeImage(size, size, [size](int x, int y) {
    static const uint32_t colours[] = {Argb(255, 220, 40, 40), Argb(255, 40, 200, 60), Argb(255, 30, 60, 210),
                                       Argb(255, 240, 240, 240)};
    return colours[(x >= size / 2) + 2 * (y >= size / 2)];
  });
}

TEST(JpegDecode, ColourAndGreyImagesAreOpaque) {
  const RgbaImage image = Quadrants(32);
  SurfaceRef colour = DecodeJpeg(EncodeJpeg(image), "colour.jpg");
  ASSERT_TRUE(colour);
  EXPECT_FALSE(colour->GetKeepAlpha());
  ASSERT_EQ(colour->GetWidth(), 32);
  ASSERT_EQ(colour->GetHeight(), 32);
  // Away from the quadrant edges a good-quality JPEG keeps flat colours within a few steps.
  for (auto [x, y] : {std::pair{3, 3}, {28, 4}, {5, 27}, {27, 27}})
    EXPECT_TRUE(Near(colour->GetPixel(x, y), image.At(x, y), 4)) << std::hex << colour->GetPixel(x, y);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(colour->GetPixel(x, y) >> 24, 255u);

  SurfaceRef grey = DecodeJpeg(EncodeJpeg(image, true), "grey.jpg");
  ASSERT_TRUE(grey);
  const uint32_t p = grey->GetPixel(3, 3);
  EXPECT_TRUE(Near(p, Argb(255, 220, 220, 220), 4)) << std::hex << p;
  EXPECT_EQ((p >> 16) & 0xFF, p & 0xFF);
}

TEST(JpegDecode, DamagedOrOversizedFilesGiveNoImage) {
  const std::string good = EncodeJpeg(Quadrants(64));
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"not a jpeg", std::string("\x89PNG\r\n\x1a\n", 8)},
      {"truncated", good.substr(0, good.size() / 2)},
      {"header only", good.substr(0, 200)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DecodeJpeg(bytes, name));
    EXPECT_NE(testing::internal::GetCapturedStderr().find(name), std::string::npos);
  }
  EXPECT_FALSE(DecodeJpeg(good, "limited", TImageLimits{32, 1 << 20}));
  EXPECT_FALSE(DecodeJpeg(good, "limited", TImageLimits{1024, 64 * 63}));
  EXPECT_TRUE(DecodeJpeg(good, "limited", TImageLimits{64, 64 * 64}));
}

// ---------------------------------------------------------------------------------------------

TEST(JpngDecode, TheMaskGreyBecomesTheAlphaOfTheJpegColours) {
  const RgbaImage picture = Quadrants(16);
  const RgbaImage mask = MakeImage(16, 16, [](int x, int y) {
    int v = (x * 16 + y) & 0xFF;
    return Argb(255, v, v, v);
  });
  const RgbaImage binaryMask =
      MakeImage(16, 16, [](int x, int y) { return x < 8 ? Argb(255, 0, 0, 0) : Argb(255, 255, 255, 255); });
  const std::string jpeg = EncodeJpeg(picture);

  for (auto [format, image] : {std::pair{PngFormat{PNG_COLOR_TYPE_GRAY, 8}, mask},
                               {PngFormat{PNG_COLOR_TYPE_GRAY, 16}, mask},
                               {PngFormat{PNG_COLOR_TYPE_GRAY, 1}, binaryMask}}) {
    SCOPED_TRACE(format.bitDepth);
    SurfaceRef surface = DecodeJpng(jpeg, EncodePng(image, format), "a.png");
    ASSERT_TRUE(surface);
    EXPECT_TRUE(surface->GetKeepAlpha());
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) ASSERT_EQ(surface->GetPixel(x, y) >> 24, image.At(x, y) & 0xFF) << x << "," << y;
    EXPECT_TRUE(Near(surface->GetPixel(2, 2) | 0xFF000000u, picture.At(2, 2), 4));
  }
}

TEST(JpngDecode, MismatchedOrWrongMasksGiveNoImage) {
  const std::string jpeg = EncodeJpeg(Quadrants(16));
  auto greyMask = [](int size) { return MakeImage(size, size, [](int, int) { return Argb(255, 9, 9, 9); }); };
  const std::pair<const char*, std::pair<std::string, std::string>> cases[] = {
      {"mask of another size", {jpeg, EncodePng(greyMask(15), {PNG_COLOR_TYPE_GRAY, 8})}},
      {"colour mask", {jpeg, EncodePng(greyMask(16), {PNG_COLOR_TYPE_RGB, 8})}},
      {"palette mask", {jpeg, EncodePng(greyMask(16), {PNG_COLOR_TYPE_PALETTE, 8})}},
      {"grey mask with alpha", {jpeg, EncodePng(greyMask(16), {PNG_COLOR_TYPE_GRAY_ALPHA, 8})}},
      {"damaged jpeg", {jpeg.substr(0, jpeg.size() / 2), EncodePng(greyMask(16), {PNG_COLOR_TYPE_GRAY, 8})}},
      {"no mask", {jpeg, ""}},
  };
  for (const auto& [name, files] : cases) {
    SCOPED_TRACE(name);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(DecodeJpng(files.first, files.second, name));
    EXPECT_NE(testing::internal::GetCapturedStderr().find(name), std::string::npos);
  }
}

TEST(JpngDecode, ColourFileNameReplacesTheLastFourCharacters) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"data\\images\\shelf.png", "data\\images\\shelf.jpg"},
      {"a.png", "a.jpg"},
      {"shelf_mask", "shelf_.jpg"},
      {".png", std::nullopt},
      {"png", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [mask, colour] : cases) EXPECT_EQ(JpngColourFileName(mask), colour) << mask;
}

}  // namespace
}  // namespace kestrelle
