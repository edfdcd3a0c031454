#pragma once
// Drawing of webs, gene charts and the information band, shared by the three
// views. Webs are drawn in their own coordinates (web units); the caller sets
// up the cell transform.

#include <cstdint>
#include <string>
#include <vector>

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
// Where a caption starts inside the frame's top-left corner, web units.
constexpr int CAPTION_X = -95;
constexpr int CAPTION_Y = -88;

// A caption fitted inside its cell: the text, the font it is written in,
// and its baseline (web units).
struct CellCaption {
    std::string text;
    std::string second; // the later parts on a line of their own, or empty
    LGLFont* font = nullptr;
    int baseline = CAPTION_Y;
    double scale = 0.0; // pixels per web unit of its cell
};

// The one rule of every view for the captions of cells drawn at `viewScale`
// pixels per web unit: the texts cut alike (fitCaptionsAlike) in `font`, or
// all in a smaller font when even a first part would be cut otherwise; the
// parts cut off on a second line when they fit there in every caption; the
// baseline lowered when the letters would reach above the cell.
std::vector<CellCaption> fitCellCaptions(const std::vector<std::string>& texts, double viewScale,
                                         LGLFont& font);
// Appends what the caption's pixels depend on to a key.
void appendCaptionKey(const CellCaption& caption, std::vector<int32_t>& key);
// Writes the caption in white on a dark backing in the current cell transform.
void drawCaption(const CellCaption& caption);
