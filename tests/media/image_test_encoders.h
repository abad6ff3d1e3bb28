#pragma once
// In-memory PNG and JPEG writers for the decoder tests (libpng and libjpeg; a writing error
// aborts, which only a broken test could cause).

#include <png.h>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace kestrelle::test {

// 8-bit straight RGBA pixels, rows top to bottom.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, as the surfaces hold them

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

struct PngFormat {
  int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  int bitDepth = 8;
  bool interlaced = false;
};

inline void AppendToString(png_structp png, png_bytep data, size_t size) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

// Encodes `image` in `format`: grey takes the red channel (1-bit: red >= 128), 16-bit samples are
// the 8-bit ones times 257, a palette is built from the distinct colours (alpha through tRNS).
inline std::string EncodePng(const RgbaImage& image, const PngFormat& format) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendToString, nullptr);
  png_set_IHDR(png, info, image.width, image.height, format.bitDepth, format.colourType,
               format.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);

  std::map<uint32_t, int> paletteIndex;
  if (format.colourType == PNG_COLOR_TYPE_PALETTE) {
    std::vector<png_color> palette;
    std::vector<png_byte> alphas;
    for (uint32_t p : image.pixels) {
      if (paletteIndex.count(p)) continue;
      paletteIndex[p] = static_cast<int>(palette.size());
      palette.push_back(png_color{png_byte(p >> 16), png_byte(p >> 8), png_byte(p)});
      alphas.push_back(png_byte(p >> 24));
    }
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    bool anyAlpha = false;
    for (png_byte a : alphas) anyAlpha |= a != 255;
    if (anyAlpha) png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
  }
  png_write_info(png, info);

  std::vector<std::vector<png_byte>> rows(image.height);
  for (int y = 0; y < image.height; ++y) {
    std::vector<int> samples;
    for (int x = 0; x < image.width; ++x) {
      uint32_t p = image.At(x, y);
      int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF, a = p >> 24;
      switch (format.colourType) {
        case PNG_COLOR_TYPE_PALETTE:
          samples.push_back(paletteIndex[p]);
          break;
        case PNG_COLOR_TYPE_GRAY:
          samples.push_back(format.bitDepth == 1 ? (r >= 128) : r);
          break;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
          samples.insert(samples.end(), {r, a});
          break;
        case PNG_COLOR_TYPE_RGB:
          samples.insert(samples.end(), {r, g, b});
          break;
        default:
          samples.insert(samples.end(), {r, g, b, a});
      }
    }
    std::vector<png_byte>& row = rows[y];
    if (format.bitDepth == 16) {
      for (int s : samples) row.insert(row.end(), {png_byte(s), png_byte(s)});  // s * 257
    } else if (format.bitDepth == 8) {
      row.assign(samples.begin(), samples.end());
    } else {
      row.assign((samples.size() * format.bitDepth + 7) / 8, 0);
      for (size_t i = 0; i < samples.size(); ++i) {
        size_t bit = i * format.bitDepth;
        row[bit / 8] |= png_byte(samples[i] << (8 - format.bitDepth - bit % 8));
      }
    }
  }
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A baseline JPEG of the image's colours (alpha ignored), or of its red channel as grey.
inline std::string EncodeJpeg(const RgbaImage& image, bool grey = false, int quality = 95) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = image.width;
  cinfo.image_height = image.height;
  cinfo.input_components = grey ? 1 : 3;
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(image.width * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < image.width; ++x) {
      uint32_t p = image.At(x, y);
      if (grey) {
        row[x] = (p >> 16) & 0xFF;
      } else {
        row[x * 3] = (p >> 16) & 0xFF;
        row[x * 3 + 1] = (p >> 8) & 0xFF;
        row[x * 3 + 2] = p & 0xFF;
      }
    }
    JSAMPROW rowPointer = row.data();
    jpeg_write_scanlines(&cinfo, &rowPointer, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string out(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return out;
}

}  // namespace kestrelle::test
