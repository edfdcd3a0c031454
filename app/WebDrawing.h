#pragma once
// Drawing of webs, gene charts and the information band, shared by the three
// views. Webs are drawn in their own coordinates (web units); the caller sets
// up the cell transform.

#include <string>

struct Spider;
class LGLFont;

void drawWeb(const Spider& spider);
void drawWebInFrame(const Spider& spider);
void drawGeneChart(const Spider& spider);
// The blue band under the menu bar with the view's text lines.
void drawInfoBand();

// Moves to a web's cell and scales to web units (undo with glPopMatrix).
void enterWebCell(const Spider& spider);
// The web in its frame, its gene chart (when shown) and the spider's position.
void drawWebCell(const Spider& spider);
// A caption as it fits inside a cell drawn at `viewScale` pixels per web
// unit, written with `font` (fitCaption's rule).
std::string fittedCaption(const std::string& text, double viewScale, LGLFont& font);
// Writes a caption (already fitted) inside the frame's top-left corner.
void drawCaption(const std::string& text, LGLFont& font);
