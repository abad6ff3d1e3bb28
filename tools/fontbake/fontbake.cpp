// fontbake: renders a TrueType font at one pixel size into a bitmap font of the game: a glyph
// sheet (8-bit RGBA PNG) and a resource definition file holding one "FontResource" with its
// "symbols". Build-time tool only; the game never links FreeType.
//
//   fontbake --font DejaVuSans.ttf --size 14 --name font_main --out-dir build/game/data/fonts
//            [--file "data\fonts\font_main.png"] [--color AARRGGBB] [--outline N]
//            [--outline-color AARRGGBB] [--shadow DX,DY] [--shadow-color AARRGGBB]
//            [--sheet-width 512] [--range FIRST-LAST (hex code points, repeatable)]
//            [--chars TEXT (UTF-8: exactly these characters instead of windows-1252)]
//
// The characters are every printable character of windows-1252 (which holds printable Latin-1),
// or those of --chars, plus the extra ranges. Each glyph gets a cell as high as the line (the same for every glyph,
// so every symbol's height is the font's line height) and as wide as its ink or its advance,
// whichever reaches further, plus room for the outline and shadow. The cell width is the
// single-line advance; "wleft" and "wright" bring the multi-line advance back to the font's own
// advance. Colours are 0xAARRGGBB (six digits mean opaque).

#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "data/text_encoding.h"
#include "data/xml_escape.h"

namespace {

struct Options {
  std::string font;
  int size = 0;
  std::string name;
  std::filesystem::path outDir;
  std::string file;  // the sheet as the resource names it
  uint32_t colour = 0xFFFFFFFF;
  int outline = 0;
  uint32_t outlineColour = 0xFF000000;
  int shadowX = 0;
  int shadowY = 0;
  uint32_t shadowColour = 0x80000000;
  int sheetWidth = 512;
  std::set<char32_t> characters;
  bool ownCharacters = false;
};

struct Glyph {
  char32_t code = 0;
  int left = 0;  // ink offset from the pen
  int top = 0;   // ink rows above the baseline
  int width = 0;
  int rows = 0;
  int advance = 0;
  std::vector<uint8_t> coverage;  // width x rows
};

struct Cell {
  const Glyph* glyph = nullptr;
  int x0 = 0;  // cell left relative to the pen
  int width = 0;
  int sheetX = 0;
  int sheetY = 0;
};

[[noreturn]] void Fail(const std::string& message) {
  std::cerr << "fontbake: " << message << "\n";
  std::exit(1);
}

uint32_t ParseColour(const std::string& text) {
  std::string digits = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? text.substr(2) : text;
  if (!digits.empty() && digits[0] == '#') digits = digits.substr(1);
  if ((digits.size() != 6 && digits.size() != 8) ||
      digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    Fail("bad colour \"" + text + "\" (want AARRGGBB or RRGGBB)");
  uint32_t value = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
  return digits.size() == 6 ? (value | 0xFF000000u) : value;
}

int ParseInt(const std::string& text, int low, int high, const char* what) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || value < low || value > high) Fail(std::string("bad ") + what + " \"" + text + "\"");
  return static_cast<int>(value);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string key = argv[i];
    if (i + 1 >= argc) Fail("missing value after " + key);
    std::string value = argv[++i];
    if (key == "--font")
      options.font = value;
    else if (key == "--size")
      options.size = ParseInt(value, 4, 256, "size");
    else if (key == "--name")
      options.name = value;
    else if (key == "--out-dir")
      options.outDir = value;
    else if (key == "--file")
      options.file = value;
    else if (key == "--color")
      options.colour = ParseColour(value);
    else if (key == "--outline")
      options.outline = ParseInt(value, 0, 16, "outline");
    else if (key == "--outline-color")
      options.outlineColour = ParseColour(value);
    else if (key == "--shadow-color")
      options.shadowColour = ParseColour(value);
    else if (key == "--sheet-width")
      options.sheetWidth = ParseInt(value, 16, 8192, "sheet width");
    else if (key == "--shadow") {
      size_t comma = value.find(',');
      if (comma == std::string::npos) Fail("bad shadow \"" + value + "\" (want DX,DY)");
      options.shadowX = ParseInt(value.substr(0, comma), -16, 16, "shadow x");
      options.shadowY = ParseInt(value.substr(comma + 1), -16, 16, "shadow y");
    } else if (key == "--range") {
      size_t dash = value.find('-');
      unsigned long first = std::strtoul(value.substr(0, dash).c_str(), nullptr, 16);
      unsigned long last =
          dash == std::string::npos ? first : std::strtoul(value.substr(dash + 1).c_str(), nullptr, 16);
      if (first == 0 || last < first || last > 0x10FFFF || last - first > 0x3000) Fail("bad range \"" + value + "\"");
      for (unsigned long c = first; c <= last; ++c) options.characters.insert(static_cast<char32_t>(c));
    } else if (key == "--chars") {
      for (char32_t c : kestrelle::Utf8ToCodePoints(value)) options.characters.insert(c);
      options.ownCharacters = true;
    } else {
      Fail("unknown option " + key);
    }
  }
  if (options.font.empty() || options.size == 0 || options.name.empty() || options.outDir.empty())
    Fail("usage: fontbake --font FILE --size PX --name NAME --out-dir DIR [options]");
  if (options.file.empty()) options.file = "data\\fonts\\" + options.name + ".png";
  for (int byte = 0x20; byte <= 0xFF && !options.ownCharacters; ++byte) {
    char32_t c = kestrelle::Cp1252ToCodePoint(static_cast<uint8_t>(byte));
    if (c == 0x7F || (c >= 0x80 && c < 0xA0)) continue;  // controls and the unassigned bytes
    options.characters.insert(c);
  }
  return options;
}

std::vector<Glyph> RenderGlyphs(const Options& options, int& ascent, int& descent) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library)) Fail("FreeType does not start");
  FT_Face face = nullptr;
  if (FT_New_Face(library, options.font.c_str(), 0, &face)) Fail("cannot open font " + options.font);
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(options.size))) Fail("the font has no such size");
  ascent = static_cast<int>((face->size->metrics.ascender + 63) / 64);
  descent = static_cast<int>((-face->size->metrics.descender + 63) / 64);

  std::vector<Glyph> glyphs;
  for (char32_t c : options.characters) {
    FT_UInt index = FT_Get_Char_Index(face, c);
    if (index == 0) {
      std::cerr << "fontbake: " << options.font << " has no glyph for U+" << std::hex << uint32_t(c) << std::dec
                << ", left out\n";
      continue;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL))
      Fail("cannot render a glyph");
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.rows > 0 && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) Fail("unexpected glyph bitmap format");
    Glyph glyph;
    glyph.code = c;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + 32) / 64);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y)
      std::copy_n(bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch, glyph.width,
                  glyph.coverage.begin() + static_cast<ptrdiff_t>(y) * glyph.width);
    if (glyph.rows > 0) {
      ascent = std::max(ascent, glyph.top);
      descent = std::max(descent, glyph.rows - glyph.top);
    }
    glyphs.push_back(std::move(glyph));
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return glyphs;
}

// Straight-alpha RGBA "over" compositing of one colour at a coverage.
void Over(uint8_t* pixel, uint32_t colour, int coverage) {
  const double sa = ((colour >> 24) & 0xFF) / 255.0 * coverage / 255.0;
  if (sa <= 0) return;
  const double da = pixel[3] / 255.0;
  const double oa = sa + da * (1 - sa);
  const double src[3] = {double((colour >> 16) & 0xFF), double((colour >> 8) & 0xFF), double(colour & 0xFF)};
  for (int i = 0; i < 3; ++i)
    pixel[i] = static_cast<uint8_t>(std::lround((src[i] * sa + pixel[i] * da * (1 - sa)) / oa));
  pixel[3] = static_cast<uint8_t>(std::lround(oa * 255));
}

void WritePng(const std::filesystem::path& path, int width, int height, const std::vector<uint8_t>& rgba) {
  FILE* file = std::fopen(path.string().c_str(), "wb");
  if (!file) Fail("cannot write " + path.string());
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) Fail("out of memory");
  if (setjmp(png_jmpbuf(png))) Fail("cannot write " + path.string());
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) png_write_row(png, rgba.data() + static_cast<size_t>(y) * width * 4);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  if (std::fclose(file) != 0) Fail("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  int ascent = 0, descent = 0;
  const std::vector<Glyph> glyphs = RenderGlyphs(options, ascent, descent);
  if (glyphs.empty()) Fail("no glyphs");

  // Room around the ink for the outline and the shadow.
  const int r = options.outline;
  const bool shadow = options.shadowX != 0 || options.shadowY != 0;
  const int padLeft = r + (shadow ? std::max(0, -options.shadowX) : 0);
  const int padRight = r + (shadow ? std::max(0, options.shadowX) : 0);
  const int padTop = r + (shadow ? std::max(0, -options.shadowY) : 0);
  const int padBottom = r + (shadow ? std::max(0, options.shadowY) : 0);
  const int cellHeight = padTop + ascent + descent + padBottom;
  const int baseline = padTop + ascent;

  // Lay the cells out in rows, one pixel apart so that smooth scaling never bleeds.
  std::vector<Cell> cells;
  int x = 0, y = 0;
  for (const Glyph& glyph : glyphs) {
    Cell cell;
    cell.glyph = &glyph;
    const int inkLeft = glyph.width > 0 ? glyph.left : 0;
    const int inkRight = glyph.width > 0 ? glyph.left + glyph.width : 0;
    cell.x0 = std::min(0, inkLeft) - padLeft;
    cell.width = std::max(glyph.advance, inkRight) + padRight - cell.x0;
    if (cell.width > options.sheetWidth) Fail("the sheet is narrower than a glyph");
    if (x + cell.width > options.sheetWidth) {
      x = 0;
      y += cellHeight + 1;
    }
    cell.sheetX = x;
    cell.sheetY = y;
    x += cell.width + 1;
    cells.push_back(cell);
  }
  const int sheetHeight = y + cellHeight;
  const int sheetWidth = options.sheetWidth;
  std::vector<uint8_t> sheet(static_cast<size_t>(sheetWidth) * sheetHeight * 4, 0);

  // Outline shape: the coverage spread over a disc of the outline's radius.
  std::vector<std::pair<int, int>> disc;
  for (int dy = -r; dy <= r; ++dy)
    for (int dx = -r; dx <= r; ++dx)
      if (dx * dx + dy * dy <= (r + 0.5) * (r + 0.5)) disc.emplace_back(dx, dy);

  for (const Cell& cell : cells) {
    const Glyph& g = *cell.glyph;
    // The ink in cell coordinates.
    const int inkX = g.left - cell.x0;
    const int inkY = baseline - g.top;
    std::vector<int> fill(static_cast<size_t>(cell.width) * cellHeight, 0);
    for (int gy = 0; gy < g.rows; ++gy)
      for (int gx = 0; gx < g.width; ++gx)
        fill[static_cast<size_t>(inkY + gy) * cell.width + inkX + gx] =
            g.coverage[static_cast<size_t>(gy) * g.width + gx];
    std::vector<int> outline = fill;
    if (r > 0) {
      for (int cy = 0; cy < cellHeight; ++cy)
        for (int cx = 0; cx < cell.width; ++cx) {
          int best = 0;
          for (auto [dx, dy] : disc) {
            int sx = cx + dx, sy = cy + dy;
            if (sx >= 0 && sy >= 0 && sx < cell.width && sy < cellHeight)
              best = std::max(best, fill[static_cast<size_t>(sy) * cell.width + sx]);
          }
          outline[static_cast<size_t>(cy) * cell.width + cx] = best;
        }
    }
    for (int cy = 0; cy < cellHeight; ++cy)
      for (int cx = 0; cx < cell.width; ++cx) {
        uint8_t* pixel = &sheet[(static_cast<size_t>(cell.sheetY + cy) * sheetWidth + cell.sheetX + cx) * 4];
        if (shadow) {
          int sx = cx - options.shadowX, sy = cy - options.shadowY;
          if (sx >= 0 && sy >= 0 && sx < cell.width && sy < cellHeight)
            Over(pixel, options.shadowColour, outline[static_cast<size_t>(sy) * cell.width + sx]);
        }
        if (r > 0) Over(pixel, options.outlineColour, outline[static_cast<size_t>(cy) * cell.width + cx]);
        Over(pixel, options.colour, fill[static_cast<size_t>(cy) * cell.width + cx]);
      }
  }

  std::error_code error;
  std::filesystem::create_directories(options.outDir, error);
  WritePng(options.outDir / (options.name + ".png"), sheetWidth, sheetHeight, sheet);

  std::ostringstream xml;
  xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n <content>\n"
      << "  <resource type=\"FontResource\" name=\"" << kestrelle::EscapeXmlAttribute(options.name) << "\" file=\""
      << kestrelle::EscapeXmlAttribute(options.file) << "\" format=\"png\">\n   <symbols>\n";
  for (const Cell& cell : cells) {
    const int wleft = cell.x0;
    const int wright = cell.glyph->advance - (cell.x0 + cell.width);
    xml << "    <symbol scancode=\"" << uint32_t(cell.glyph->code) << "\"";
    if (cell.sheetX != 0) xml << " left=\"" << cell.sheetX << "\"";
    if (cell.sheetY != 0) xml << " top=\"" << cell.sheetY << "\"";
    xml << " width=\"" << cell.width << "\" height=\"" << cellHeight << "\"";
    if (wleft != 0) xml << " wleft=\"" << wleft << "\"";
    if (wright != 0) xml << " wright=\"" << wright << "\"";
    xml << "/>\n";
  }
  xml << "   </symbols>\n  </resource>\n </content>\n</resources>\n";
  std::ofstream out(options.outDir / (options.name + ".xml"), std::ios::binary);
  out << xml.str();
  if (!out.flush()) Fail("cannot write the symbol definitions");
  return 0;
}
