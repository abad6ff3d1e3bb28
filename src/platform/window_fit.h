#pragma once
// The size rules of the game window, kept apart from SDL so that they can be tested as tables:
// the window's first size, where the picture lands inside it, and how pointer positions map
// back into the picture.

#include <optional>
#include <string>

namespace kestrelle {

// A rectangle as position and size.
struct WindowRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The space taken around the picture by the window's frame, in window coordinates.
struct WindowBorders {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The largest whole multiple (at least 1) of the picture whose window, frame included, fits the
// usable area of a display. `usableW` × `usableH` are in window coordinates; `density` is the
// number of output pixels per window coordinate (2 on a typical high-density screen), so the
// multiple is counted in output pixels: the picture is never shown smaller than its own pixels.
int ChooseWindowScale(int pictureW, int pictureH, int usableW, int usableH, double density,
                      const WindowBorders& borders);

// The window size (inner, in window coordinates) that shows the picture at `scale` output pixels
// per picture pixel.
void WindowSizeForScale(int pictureW, int pictureH, int scale, double density, int& windowW, int& windowH);

// Where the picture lands in an output of `outW` × `outH` pixels: as large as fits with its
// proportions kept, centred, with bars on the two remaining sides.
WindowRect LetterboxRect(int pictureW, int pictureH, int outW, int outH);

// Whether a picture shown at `shown` is a whole multiple of its own size (drawn with sharp,
// repeated pixels rather than smoothed).
bool IsWholeMultiple(int pictureW, int pictureH, const WindowRect& shown);

// Output pixel (outX, outY), taken at its centre, to picture coordinates, rounded down. Points
// outside `shown` give coordinates outside the picture (negative to the left and above).
void OutputToPicture(const WindowRect& shown, int pictureW, int pictureH, double outX, double outY, int& pictureX,
                     int& pictureY);

// Centre of picture pixel (pictureX, pictureY) in output coordinates.
void PictureToOutput(const WindowRect& shown, int pictureW, int pictureH, int pictureX, int pictureY, double& outX,
                     double& outY);

// A remembered window placement as kept in the options record: "x,y,w,h".
std::string FormatWindowPlacement(const WindowRect& placement);
std::optional<WindowRect> ParseWindowPlacement(const std::string& text);

// Whether `placement` (the inner window) with its frame lies wholly inside `usable`, and is at
// least `minW` × `minH`.
bool PlacementFits(const WindowRect& placement, const WindowBorders& borders, const WindowRect& usable, int minW,
                   int minH);

}  // namespace kestrelle
