#pragma once
// A spider's web as an SVG picture of the 200 x 200 web square, drawn as the
// program draws a web in its frame: radii, the frame through the radius ends,
// the capture spiral (first loop, then main spiral), the spider's position
// and its caption.

#include <string>

#include "web/Spider.h"

// `caption` is written inside the top-left corner; `title` becomes the
// document title.
std::string webSvg(const Spider& spider, const std::string& caption, const std::string& title);

// The program's caption of a spider: "[%i] Fit=%.0f  %s(%i, %i)" with the
// spider number (index + 1), fitness, origin and parentA + 1, parentB + 1.
std::string spiderCaption(const Spider& spider, int index);
