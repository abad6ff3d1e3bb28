#include "media/image_decode.h"

#include <png.h>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "data/file_system.h"

// libpng and libjpeg report fatal errors by longjmp. Every function below that calls setjmp
// holds only trivially destructible locals, and the C++ objects (surfaces, vectors, guards) live
// in its callers, so no destructor is ever skipped by a jump.

namespace kestrelle {
namespace {

// A deflate stream expands at most 1032 times, so a PNG of n bytes holds at most 1032 n bytes
// of image data. Headers that promise more are refused before the pixels are allocated.
constexpr uint64_t kMaxDeflateRatio = 1032;
// Progressive JPEGs may repeat scans without end; real files have a few dozen.
constexpr int kMaxJpegScans = 1000;

void LogProblem(std::string_view what, std::string_view problem) {
  std::string line = "Image \"";
  line.append(what);
  line.append("\" not loaded: ");
  line.append(problem);
  LogLine(line);
}

// Empty string when the size is acceptable, else the reason.
std::string CheckSize(uint64_t width, uint64_t height, const TImageLimits& limits) {
  if (width == 0 || height == 0) return "it has no pixels";
  if (width > static_cast<uint64_t>(limits.maxSide) || height > static_cast<uint64_t>(limits.maxSide) ||
      width * height > static_cast<uint64_t>(limits.maxPixels)) {
    return "its size " + std::to_string(width) + " x " + std::to_string(height) + " is beyond the limit";
  }
  return {};
}

// An empty surface of the given size; null when the memory could not be had.
SurfaceRef MakeSurface(int32_t width, int32_t height, bool keepAlpha) {
  auto surface = Create<TSurface>();
  surface->SetSize(width, height);
  if (surface->GetWidth() != width || surface->GetHeight() != height || !surface->GetScanLine(0)) return nullptr;
  surface->SetKeepAlpha(keepAlpha);
  return surface;
}

// ---------------------------------------------------------------------------------------------
// PNG

struct PngJob {
  const unsigned char* data = nullptr;
  size_t size = 0;
  size_t pos = 0;
  bool mask = false;  // read as 8-bit grey instead of blue, green, red, alpha
  png_uint_32 maxSide = 0;
  char error[200] = {};
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colourType = 0;
  bool alpha = false;
  size_t rowBytes = 0;    // after the transformations
  uint64_t rawBytes = 0;  // the least amount of inflated data the image needs
};

void PngRead(png_structp png, png_bytep out, size_t count) {
  auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
  if (count > job->size - job->pos) png_error(png, "the file ends early");
  std::memcpy(out, job->data + job->pos, count);
  job->pos += count;
}

void PngError(png_structp png, png_const_charp message) {
  auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
  std::snprintf(job->error, sizeof job->error, "%s", message ? message : "decoding error");
  png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// Reads the header and sets up the conversion to the wanted row format.
bool PngReadHeader(png_structp png, png_infop info, PngJob* job) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, job, PngRead);
  png_set_user_limits(png, job->maxSide, job->maxSide);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int bitDepth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
  job->width = width;
  job->height = height;
  job->bitDepth = bitDepth;
  job->colourType = colourType;
  const uint64_t bitsPerPixel = static_cast<uint64_t>(png_get_channels(png, info)) * static_cast<uint64_t>(bitDepth);
  job->rawBytes = static_cast<uint64_t>(height) * (1 + (static_cast<uint64_t>(width) * bitsPerPixel + 7) / 8);

  if (job->mask) {
    if (colourType != PNG_COLOR_TYPE_GRAY) {
      std::snprintf(job->error, sizeof job->error, "the mask is not a grey-scale image without alpha");
      return false;
    }
    if (bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  } else {
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    job->alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0;
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
      png_set_tRNS_to_alpha(png);
      job->alpha = true;
    }
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!job->alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  }
  if (bitDepth == 16) png_set_scale_16(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  job->rowBytes = png_get_rowbytes(png, info);
  return true;
}

bool PngReadPixels(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  return true;
}

class PngReader {
 public:
  ~PngReader() {
    if (png_) png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr);
  }

  // Reads the header; false (with a log line) when the image cannot or must not be decoded.
  bool Open(std::string_view bytes, bool mask, std::string_view what, const TImageLimits& limits) {
    what_ = what;
    job_.data = reinterpret_cast<const unsigned char*>(bytes.data());
    job_.size = bytes.size();
    job_.mask = mask;
    job_.maxSide = static_cast<png_uint_32>(std::max<int32_t>(limits.maxSide, 1));
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job_, PngError, PngWarning);
    if (png_) info_ = png_create_info_struct(png_);
    if (!png_ || !info_) return Fail("out of memory");
    if (!PngReadHeader(png_, info_, &job_)) return Fail(job_.error);
    std::string problem = CheckSize(job_.width, job_.height, limits);
    if (!problem.empty()) return Fail(problem);
    if (job_.rawBytes > kMaxDeflateRatio * bytes.size()) return Fail("the file is far too short for its size");
    if (job_.rowBytes != uint64_t{job_.width} * (mask ? 1 : 4)) return Fail("unexpected row format");
    return true;
  }

  bool Read(png_bytepp rows) { return PngReadPixels(png_, rows) || Fail(job_.error); }

  int32_t Width() const { return static_cast<int32_t>(job_.width); }
  int32_t Height() const { return static_cast<int32_t>(job_.height); }
  bool HasAlpha() const { return job_.alpha; }

  bool Fail(std::string_view problem) {
    LogProblem(what_, problem);
    return false;
  }

 private:
  PngJob job_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  std::string what_;
};

// ---------------------------------------------------------------------------------------------
// JPEG

struct JpegJob {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errorManager;
  jpeg_progress_mgr progress;
  std::jmp_buf jump;
  char error[JMSG_LENGTH_MAX + 40];
  const unsigned char* data;
  unsigned long size;
  bool created;
};

JpegJob* JobOf(j_common_ptr cinfo) { return static_cast<JpegJob*>(cinfo->client_data); }

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) {
  JpegJob* job = JobOf(cinfo);
  (*cinfo->err->format_message)(cinfo, job->error);
  std::longjmp(job->jump, 1);
}

// Warnings are ignored except a missing end of data: a truncated file is a damaged file, not a
// picture with a grey lower part.
void JpegEmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  if (cinfo->err->msg_code == JWRN_JPEG_EOF) JpegErrorExit(cinfo);
  cinfo->err->num_warnings++;
}

void JpegOutputMessage(j_common_ptr) {}

void JpegProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans) {
    JpegJob* job = JobOf(cinfo);
    std::snprintf(job->error, sizeof job->error, "more than %d scans", kMaxJpegScans);
    std::longjmp(job->jump, 1);
  }
}

bool JpegReadHeader(JpegJob* job) {
  if (setjmp(job->jump)) return false;
  jpeg_create_decompress(&job->cinfo);
  job->created = true;
  job->cinfo.progress = &job->progress;
  jpeg_mem_src(&job->cinfo, job->data, job->size);
  jpeg_read_header(&job->cinfo, TRUE);
  switch (job->cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
      break;
    default:
      std::snprintf(job->error, sizeof job->error, "only grey and colour JPEGs are read (not CMYK)");
      return false;
  }
  job->cinfo.out_color_space = JCS_EXT_BGRA;
  return true;
}

bool JpegReadPixels(JpegJob* job, uint8_t* const* rows) {
  if (setjmp(job->jump)) return false;
  jpeg_start_decompress(&job->cinfo);
  if (job->cinfo.output_components != 4) {
    std::snprintf(job->error, sizeof job->error, "unexpected output format");
    return false;
  }
  while (job->cinfo.output_scanline < job->cinfo.output_height) {
    JSAMPROW row = rows[job->cinfo.output_scanline];
    if (jpeg_read_scanlines(&job->cinfo, &row, 1) != 1) {
      std::snprintf(job->error, sizeof job->error, "the file ends early");
      return false;
    }
  }
  return true;
}

class JpegReader {
 public:
  JpegReader() {
    std::memset(&job_, 0, sizeof job_);
    job_.cinfo.err = jpeg_std_error(&job_.errorManager);
    job_.errorManager.error_exit = JpegErrorExit;
    job_.errorManager.emit_message = JpegEmitMessage;
    job_.errorManager.output_message = JpegOutputMessage;
    job_.cinfo.client_data = &job_;
    job_.progress.progress_monitor = JpegProgress;
  }
  ~JpegReader() {
    if (job_.created) jpeg_destroy_decompress(&job_.cinfo);
  }

  bool Open(std::string_view bytes, std::string_view what, const TImageLimits& limits) {
    what_ = what;
    job_.data = reinterpret_cast<const unsigned char*>(bytes.data());
    job_.size = static_cast<unsigned long>(bytes.size());
    if (job_.size != bytes.size()) return Fail("the file is too large");
    if (!JpegReadHeader(&job_)) return Fail(job_.error);
    std::string problem = CheckSize(job_.cinfo.image_width, job_.cinfo.image_height, limits);
    if (!problem.empty()) return Fail(problem);
    return true;
  }

  bool Read(uint8_t* const* rows) { return JpegReadPixels(&job_, rows) || Fail(job_.error); }

  int32_t Width() const { return static_cast<int32_t>(job_.cinfo.image_width); }
  int32_t Height() const { return static_cast<int32_t>(job_.cinfo.image_height); }

  bool Fail(std::string_view problem) {
    LogProblem(what_, problem);
    return false;
  }

 private:
  JpegJob job_;
  std::string what_;
};

std::vector<uint8_t*> SurfaceRows(ISurface& surface) {
  std::vector<uint8_t*> rows(static_cast<size_t>(surface.GetHeight()));
  for (int32_t y = 0; y < surface.GetHeight(); ++y) rows[y] = reinterpret_cast<uint8_t*>(surface.GetScanLine(y));
  return rows;
}

// The opened picture decoded into a new surface, or null (the reader has said why).
template <class Reader>
SurfaceRef ReadInto(Reader& reader, bool keepAlpha) {
  SurfaceRef surface = MakeSurface(reader.Width(), reader.Height(), keepAlpha);
  if (!surface) {
    reader.Fail("out of memory");
    return nullptr;
  }
  std::vector<uint8_t*> rows = SurfaceRows(*surface);
  if (!reader.Read(rows.data())) return nullptr;
  return surface;
}

}  // namespace

SurfaceRef DecodePng(std::string_view bytes, std::string_view what, const TImageLimits& limits) {
  PngReader reader;
  if (!reader.Open(bytes, false, what, limits)) return nullptr;
  return ReadInto(reader, reader.HasAlpha());
}

SurfaceRef DecodeJpeg(std::string_view bytes, std::string_view what, const TImageLimits& limits) {
  JpegReader reader;
  if (!reader.Open(bytes, what, limits)) return nullptr;
  return ReadInto(reader, false);
}

SurfaceRef DecodeJpng(std::string_view jpegBytes, std::string_view maskBytes, std::string_view what,
                      const TImageLimits& limits) {
  JpegReader colour;
  PngReader mask;
  if (!colour.Open(jpegBytes, what, limits) || !mask.Open(maskBytes, true, what, limits)) return nullptr;
  if (mask.Width() != colour.Width() || mask.Height() != colour.Height()) {
    mask.Fail("the mask's size " + std::to_string(mask.Width()) + " x " + std::to_string(mask.Height()) +
              " differs from the picture's " + std::to_string(colour.Width()) + " x " +
              std::to_string(colour.Height()));
    return nullptr;
  }
  SurfaceRef surface = ReadInto(colour, false);
  if (!surface) return nullptr;

  const size_t width = static_cast<size_t>(mask.Width());
  std::vector<uint8_t> grey;
  std::vector<uint8_t*> rows;
  try {
    grey.resize(width * static_cast<size_t>(mask.Height()));
    rows.resize(static_cast<size_t>(mask.Height()));
  } catch (const std::bad_alloc&) {
    mask.Fail("out of memory");
    return nullptr;
  }
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = grey.data() + y * width;
  if (!mask.Read(rows.data())) return nullptr;

  for (int32_t y = 0; y < surface->GetHeight(); ++y) {
    uint32_t* line = surface->GetScanLine(y);
    const uint8_t* alpha = rows[static_cast<size_t>(y)];
    for (size_t x = 0; x < width; ++x) line[x] = (line[x] & 0x00FFFFFFu) | (uint32_t{alpha[x]} << 24);
  }
  surface->SetKeepAlpha(true);
  return surface;
}

std::optional<std::string> JpngColourFileName(std::string_view maskFile) {
  if (maskFile.size() <= 4) return std::nullopt;
  std::string name(maskFile.substr(0, maskFile.size() - 4));
  name += ".jpg";
  return name;
}

}  // namespace kestrelle
