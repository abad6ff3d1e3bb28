#include "platform/window_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace kestrelle {

int ChooseWindowScale(int pictureW, int pictureH, int usableW, int usableH, double density,
                      const WindowBorders& borders) {
  if (pictureW <= 0 || pictureH <= 0 || density <= 0) return 1;
  // Room for the picture in output pixels once the frame is taken off.
  double roomW = (usableW - borders.left - borders.right) * density;
  double roomH = (usableH - borders.top - borders.bottom) * density;
  int scale = static_cast<int>(std::min(std::floor(roomW / pictureW), std::floor(roomH / pictureH)));
  return std::max(scale, 1);
}

void WindowSizeForScale(int pictureW, int pictureH, int scale, double density, int& windowW, int& windowH) {
  if (density <= 0) density = 1;
  windowW = std::max(1, static_cast<int>(std::lround(pictureW * scale / density)));
  windowH = std::max(1, static_cast<int>(std::lround(pictureH * scale / density)));
}

WindowRect LetterboxRect(int pictureW, int pictureH, int outW, int outH) {
  if (pictureW <= 0 || pictureH <= 0 || outW <= 0 || outH <= 0) return WindowRect{0, 0, outW, outH};
  // Compare the proportions in integers so that an exact fit has no one-pixel bar.
  if (int64_t{outW} * pictureH <= int64_t{outH} * pictureW) {
    int h = static_cast<int>((int64_t{outW} * pictureH + pictureW / 2) / pictureW);
    return WindowRect{0, (outH - h) / 2, outW, h};
  }
  int w = static_cast<int>((int64_t{outH} * pictureW + pictureH / 2) / pictureH);
  return WindowRect{(outW - w) / 2, 0, w, outH};
}

bool IsWholeMultiple(int pictureW, int pictureH, const WindowRect& shown) {
  if (pictureW <= 0 || pictureH <= 0 || shown.w <= 0) return false;
  return shown.w % pictureW == 0 && shown.h == shown.w / pictureW * pictureH;
}

void OutputToPicture(const WindowRect& shown, int pictureW, int pictureH, double outX, double outY, int& pictureX,
                     int& pictureY) {
  if (shown.w <= 0 || shown.h <= 0) {
    pictureX = static_cast<int>(std::floor(outX));
    pictureY = static_cast<int>(std::floor(outY));
    return;
  }
  pictureX = static_cast<int>(std::floor((outX - shown.x) * pictureW / shown.w));
  pictureY = static_cast<int>(std::floor((outY - shown.y) * pictureH / shown.h));
}

void PictureToOutput(const WindowRect& shown, int pictureW, int pictureH, int pictureX, int pictureY, double& outX,
                     double& outY) {
  outX = shown.x + (pictureX + 0.5) * shown.w / std::max(pictureW, 1);
  outY = shown.y + (pictureY + 0.5) * shown.h / std::max(pictureH, 1);
}

std::string FormatWindowPlacement(const WindowRect& placement) {
  char text[64];
  std::snprintf(text, sizeof text, "%d,%d,%d,%d", placement.x, placement.y, placement.w, placement.h);
  return text;
}

std::optional<WindowRect> ParseWindowPlacement(const std::string& text) {
  WindowRect r;
  int used = 0;
  if (std::sscanf(text.c_str(), "%d,%d,%d,%d%n", &r.x, &r.y, &r.w, &r.h, &used) != 4) return std::nullopt;
  if (static_cast<size_t>(used) != text.size() || r.w <= 0 || r.h <= 0) return std::nullopt;
  return r;
}

bool PlacementFits(const WindowRect& placement, const WindowBorders& borders, const WindowRect& usable, int minW,
                   int minH) {
  if (placement.w < minW || placement.h < minH) return false;
  int64_t left = int64_t{placement.x} - borders.left;
  int64_t top = int64_t{placement.y} - borders.top;
  int64_t right = int64_t{placement.x} + placement.w + borders.right;
  int64_t bottom = int64_t{placement.y} + placement.h + borders.bottom;
  return left >= usable.x && top >= usable.y && right <= int64_t{usable.x} + usable.w &&
         bottom <= int64_t{usable.y} + usable.h;
}

}  // namespace kestrelle
