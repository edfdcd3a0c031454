#include "app/WebDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "app/AppState.h"
#include "app/GridGeometry.h"
#include "app/InfoTexts.h"
#include "app/LayerCache.h"
#include "app/RuleBrowserView.h"
#include "app/Views.h"
#include "app/WebPalette.h"
#include "evolution/EvolutionState.h"
#include "evolution/RunControl.h"
#include "gl/LGLFont.h"

namespace {

constexpr double BAND_TOP = 23.0;
constexpr double BAND_BOTTOM = 69.0;
constexpr int BAND_TEXT_X = 7;
constexpr int BAND_LINE_1 = 41;
constexpr int BAND_LINE_2 = 62;
constexpr int CAPTION_RIGHT_MARGIN = 2;
constexpr double CAPTION_BACKING_PAD = 1.0;
constexpr int SMALLEST_CAPTION_FONT = 9;
constexpr double CAPTION_TOP_SLACK = 2.0;
constexpr const char* CAPTION_FONT_FACE = "Consolas";
constexpr double GENE_CHART_X = -80.0;
constexpr double GENE_CHART_Y = 90.0;
constexpr int GENE_CHART_WIDTH = 120;
constexpr int STAGE_GAP = 12;

void useColour(const tPaletteColour& c) {
    glColor3f(c.r, c.g, c.b);
}

void rectangleLoop(double x1, double y1, double x2, double y2) {
    glBegin(GL_LINE_LOOP);
    glVertex2d(x1, y1);
    glVertex2d(x1, y2);
    glVertex2d(x2, y2);
    glVertex2d(x2, y1);
    glEnd();
}

void filledRectangle(double x1, double y1, double x2, double y2) {
    glBegin(GL_QUADS);
    glVertex2d(x1, y1);
    glVertex2d(x2, y1);
    glVertex2d(x2, y2);
    glVertex2d(x1, y2);
    glEnd();
}

// Stage number (1 ... stages) of gene i.
int stageOfGene(const EAPGossamerix& problem, int gene) {
    int stage = 0;
    for (int k = 0; k < problem.numStages; ++k) {
        if (gene >= problem.stageFirstGene[static_cast<size_t>(k)])
            stage = k + 1;
    }
    return stage;
}

bool isStageStart(const EAPGossamerix& problem, int gene) {
    for (int k = 1; k < problem.numStages; ++k) {
        if (problem.stageFirstGene[static_cast<size_t>(k)] == gene)
            return true;
    }
    return false;
}

} // namespace

void drawWeb(const Spider& spider) {
    const Web& web = spider.web;
    glLineWidth(radiusLineWidth);
    glBegin(GL_LINES);
    for (const Radius& r : web.radii) {
        useColour(r.kind != 0 ? webPalette.extraRadiusColour : webPalette.radiusColour);
        glVertex2i(r.hubX, r.hubY);
        glVertex2i(r.endX, r.endY);
    }
    glEnd();

    glLineWidth(frameLineWidth);
    useColour(webPalette.frameColour);
    glBegin(GL_LINE_LOOP);
    for (const Radius& r : web.radii)
        glVertex2i(r.endX, r.endY);
    glEnd();

    glLineWidth(spiralLineWidth);
    if (!web.spiralThreads.empty()) {
        glBegin(GL_LINE_STRIP);
        const int n = static_cast<int>(web.spiralThreads.size());
        for (int i = 0; i < n; ++i) {
            useColour(i < web.firstLoopThreads ? webPalette.firstLoopColour
                                               : webPalette.mainSpiralColour);
            glVertex2i(web.spiralThreads[static_cast<size_t>(i)].x1,
                       web.spiralThreads[static_cast<size_t>(i)].y1);
        }
        glVertex2i(web.spiralThreads.back().x2, web.spiralThreads.back().y2);
        glEnd();
    }
    glLineWidth(1.0f);
}

void drawWebInFrame(const Spider& spider) {
    const double w = spider.web.viewHalfWidth;
    const double h = spider.web.viewHalfHeight;
    glLineWidth(2.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    rectangleLoop(-w, -h, w, h);
    drawWeb(spider);
    if (spider.web.isHighlighted) {
        glLineWidth(4.0f);
        glColor3f(0.3f, 1.0f, 0.3f);
        rectangleLoop(-w, -h, w, h);
    }
}

void drawGeneChart(const Spider& spider) {
    const EAPGossamerix& problem = evolutionState.problem;
    const int n = static_cast<int>(problem.geneMin.size());
    if (n <= 0)
        return;
    const int s = problem.numStages;
    const int w = GENE_CHART_WIDTH / n;
    const int right = (n + 1) * w + STAGE_GAP * s - 11;

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glLineWidth(1.0f);
    glPushMatrix();
    glTranslated(GENE_CHART_X, GENE_CHART_Y, 0.0);
    glColor3f(0.1f, 0.1f, 0.1f);
    filledRectangle(4, -1, right, w);
    glColor3f(0.15f, 0.15f, 0.15f);
    rectangleLoop(4, -1, right, w);
    for (int i = 0; i < n; ++i) {
        if (isStageStart(problem, i))
            glTranslated(STAGE_GAP, 0.0, 0.0);
        glTranslated(w, 0.0, 0.0);
        const int lo = problem.geneMin[static_cast<size_t>(i)];
        const int hi = problem.geneMax[static_cast<size_t>(i)];
        const double f =
            (hi == lo) ? -1.0
                       : static_cast<double>(spider.rule(i) - lo) / static_cast<double>(hi - lo);
        useColour(geneChartColour(f, geneIsLit(spider.stage, stageOfGene(problem, i))));
        filledRectangle(0, 0, w - 1, w - 1);
    }
    glPopMatrix();
    glLineWidth(3.0f);
}

void enterWebCell(const Spider& spider) {
    glPushMatrix();
    glTranslated(spider.web.viewX, spider.web.viewY, 0.0);
    glScaled(spider.web.viewScale, spider.web.viewScale, 1.0);
}

void drawWebCell(const Spider& spider) {
    drawWebInFrame(spider);
    if (showGenes)
        drawGeneChart(spider);
    glColor3f(1.0f, 1.0f, 0.0f);
    filledRectangle(spider.spiderX - 2, spider.spiderY - 2, spider.spiderX, spider.spiderY);
}

namespace {

// A smaller copy of `font` (two thirds of its height) for captions that do
// not fit their cells in the font's own size; made on first use.
LGLFont& smallerFont(const LGLFont& font) {
    static std::map<int, std::unique_ptr<LGLFont>> smaller;
    const int height = font.numFonts > 0 ? font.fonts[font.curFont].height : SMALLEST_CAPTION_FONT;
    std::unique_ptr<LGLFont>& made = smaller[height];
    if (!made) {
        made = std::make_unique<LGLFont>();
        made->create(LGLGetCurrentDC(), CAPTION_FONT_FACE,
                     std::max(SMALLEST_CAPTION_FONT, height * 2 / 3), 0, 0);
    }
    return *made;
}

// Pixels from a caption's left end to the inner edge of the frame's right
// side (the frame line is 2 pixels wide) in a cell of this scale.
int captionRoom(double viewScale) {
    const double span = (WEB_VIEW_HALF_SIZE - CAPTION_X) * viewScale;
    return static_cast<int>(span) - CAPTION_RIGHT_MARGIN;
}

// The captions' texts as they fit `font` in cells of this scale.
std::vector<std::string> fitInCells(const std::vector<std::string>& texts, double viewScale,
                                    const LGLFont& font) {
    return fitCaptionsAlike(texts, captionRoom(viewScale),
                            [&font](const std::string& t) { return font.pixWidthOf(t); });
}

// Captions that lost parts on one line keep them on a second: every
// caption's later parts go under its first part, when all of them fit
// there; else no caption has a second line.
void moveLaterPartsDown(const std::vector<std::string>& texts, double viewScale,
                        const LGLFont& font, std::vector<std::string>& firsts,
                        std::vector<std::string>& seconds) {
    seconds.assign(texts.size(), std::string());
    if (firsts == texts)
        return;
    std::vector<std::string> heads, tails;
    for (const std::string& text : texts) {
        const size_t at = text.find("  ");
        heads.push_back(text.substr(0, at));
        tails.push_back(at == std::string::npos ? std::string() : text.substr(at + 2));
        if (font.pixWidthOf(tails.back()) > captionRoom(viewScale))
            return;
    }
    firsts = fitInCells(heads, viewScale, font);
    seconds = tails;
}

// Whether a caption lost letters of its first part.
bool firstPartCut(const std::vector<std::string>& texts, const std::vector<std::string>& fitted) {
    for (size_t i = 0; i < texts.size(); ++i)
        if (fitted[i].size() < std::min(texts[i].find("  "), texts[i].size()))
            return true;
    return false;
}

// Lowered when the tallest letter would reach above the cell's top edge
// (by more than the slack) in this small a cell.
int captionBaseline(double viewScale, const LGLFont& font) {
    if (viewScale <= 0.0)
        return CAPTION_Y;
    const double reach = CAPTION_Y * viewScale - font.ascentOf();
    const double cellTop = -(WEB_VIEW_HALF_SIZE + 1.0) * viewScale;
    if (reach < cellTop - CAPTION_TOP_SLACK)
        return static_cast<int>(std::ceil((cellTop + font.ascentOf()) / viewScale));
    return CAPTION_Y;
}

} // namespace

namespace {

// A band line in the band's font, or in a smaller one when it would run out
// of the window.
void writeBandLine(int baseline, const std::string& line) {
    LGLFont& font = largeFont.pixWidthOf(line) > windowWidth - 2 * BAND_TEXT_X
                        ? smallerFont(largeFont)
                        : largeFont;
    font.setColor_rp(1.0f, 1.0f, 1.0f);
    font.writeAt_rp(BAND_TEXT_X, baseline, line);
}

} // namespace

void drawInfoBand() {
    glColor3f(0.0f, 0.0f, 0.6f);
    filledRectangle(0, BAND_TOP, windowWidth, BAND_BOTTOM);
    glLineWidth(2.0f);
    glColor3f(0.1f, 0.1f, 0.1f);
    rectangleLoop(0, BAND_TOP, windowWidth, BAND_BOTTOM);

    const BandLines lines = shownView().band();
    writeBandLine(BAND_LINE_1, lines.first);
    if (!lines.second.empty())
        writeBandLine(BAND_LINE_2, lines.second);
}

std::vector<CellCaption> fitCellCaptions(const std::vector<std::string>& texts, double viewScale,
                                         LGLFont& font) {
    LGLFont* chosen = &font;
    std::vector<std::string> fitted = fitInCells(texts, viewScale, font);
    // Even a first part cut: all in a smaller font, when it exists.
    if (firstPartCut(texts, fitted)) {
        LGLFont& smaller = smallerFont(font);
        if (smaller.numFonts > 0) {
            chosen = &smaller;
            fitted = fitInCells(texts, viewScale, smaller);
        }
    }
    std::vector<std::string> seconds;
    moveLaterPartsDown(texts, viewScale, *chosen, fitted, seconds);
    std::vector<CellCaption> captions(texts.size());
    const int baseline = captionBaseline(viewScale, *chosen);
    for (size_t i = 0; i < texts.size(); ++i)
        captions[i] = CellCaption{fitted[i], seconds[i], chosen, baseline, viewScale};
    return captions;
}

void appendCaptionKey(const CellCaption& caption, std::vector<int32_t>& key) {
    appendKeyText(key, caption.text);
    appendKeyText(key, caption.second);
    key.push_back(caption.baseline);
    key.push_back(caption.font != nullptr ? caption.font->fonts[0].height : 0);
}

namespace {

// One line of a caption in white on a dark backing, so that the text stays
// readable over the web.
void drawCaptionLine(const CellCaption& caption, double baseline, const std::string& text) {
    if (caption.scale > 0.0) {
        const double width = caption.font->pixWidthOf(text) / caption.scale;
        const double ascent = caption.font->ascentOf() / caption.scale;
        const double pad = CAPTION_BACKING_PAD / caption.scale;
        glColor3f(0.0f, 0.0f, 0.0f);
        filledRectangle(CAPTION_X - pad, baseline - ascent - pad, CAPTION_X + width + pad,
                        baseline + 2 * pad);
    }
    caption.font->setColor_rp(1.0f, 1.0f, 1.0f);
    caption.font->writeAt_rp(CAPTION_X, static_cast<int>(std::lround(baseline)), text);
}

} // namespace

void drawCaption(const CellCaption& caption) {
    if (caption.font == nullptr || caption.text.empty())
        return;
    drawCaptionLine(caption, caption.baseline, caption.text);
    if (!caption.second.empty() && caption.scale > 0.0) {
        const double lineHeight = caption.font->fonts[0].height / caption.scale;
        drawCaptionLine(caption, caption.baseline + lineHeight, caption.second);
    }
}
