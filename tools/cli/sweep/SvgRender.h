#pragma once
// SVG pictures rendered as PNG and PDF by librsvg onto Cairo surfaces, so
// that the three files show the same drawing. Both libraries are loaded
// when a picture is first rendered, never by the program's start: commands
// that draw nothing (evolve, sweep run-case on a cluster node) run where
// they are not installed.

#include <string>

// Writes `svg` as a PNG of 300 dots per inch (the SVG's pixels taken at 96
// per inch) and as a PDF. Returns "" when both are written, else why not
// (e.g. librsvg is not installed); a file that cannot be written is a file
// error.
std::string renderSvg(const std::string& svg, const std::string& pngPath,
                      const std::string& pdfPath);

// The PNG bytes with a pHYs chunk saying `dpi` (inserted after the header
// chunk, replacing none); PNG data without a header chunk is returned as it is.
std::string withPngResolution(const std::string& png, int dpi);
