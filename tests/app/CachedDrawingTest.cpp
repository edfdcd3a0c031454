// The shortcuts of the views' drawing (display lists per web cell, one batch
// for all prey of a web, the saved picture of the grid) must put the very
// pixels on screen that plain drawing does.

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/InfoTexts.h"
#include "app/LayerCache.h"
#include "app/PanelImage.h"
#include "app/PreySprites.h"
#include "app/WebCellCache.h"
#include "app/WebDrawing.h"
#include "gl/LGLFont.h"
#include "gl/LGLUI.h"
#include "web/Spider.h"

// From the GL toolkit tests' window (tests/gl/GlWindow.cpp: one window for
// the whole process, the GL driver kept loaded for the leak checker). Its
// header is not included: its windowWidth() would clash with the program's
// window size of that name.
bool openTestWindow(std::string& why);
void beginFrame();

namespace {

int WIDTH = 0;
int HEIGHT = 0;

std::vector<unsigned char> grab() {
    std::vector<unsigned char> pixels(static_cast<size_t>(WIDTH) * HEIGHT * 4);
    glFinish();
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// A cell transform with fractional offsets and scale, as in a real grid.
void enterCell() {
    glTranslated(161.5, 143.25, 0.0);
    glScaled(0.645, 0.645, 1.0);
}

Spider builtSpider(int startRadii) {
    Spider spider;
    spider.numStartRadii = startRadii;
    spider.buildWeb();
    spider.web.isHighlighted = true;
    return spider;
}

// Sprites the way the fixed-function pipeline draws them one by one, each
// under its own translate and rotate.
void drawSpritesOneByOne(const std::vector<Prey>& prey, const std::vector<int>& angles,
                         const std::vector<int32_t>& caught, int h, unsigned texture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (size_t k = 0; k < prey.size(); ++k) {
        const bool hit = std::binary_search(caught.begin(), caught.end(), static_cast<int32_t>(k));
        if (hit)
            glColor4f(0.1f, 1.0f, 0.1f, 1.0f);
        else
            glColor4f(0.6f, 0.6f, 0.6f, 0.8f);
        glPushMatrix();
        glTranslated(prey[k].x, prey[k].y, 0.0);
        glRotated(angles[k], 0.0, 0.0, 1.0);
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2i(1, 0);
        glVertex2i(h, -h);
        glTexCoord2i(0, 0);
        glVertex2i(-h, -h);
        glTexCoord2i(1, 1);
        glVertex2i(h, h);
        glTexCoord2i(0, 1);
        glVertex2i(-h, h);
        glEnd();
        glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
}

// A soft round blob with transparent corners, mipmapped like the fly.
unsigned blobTexture() {
    const int n = 16;
    std::vector<unsigned char> rgba(n * n * 4);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int d = (x - 8) * (x - 8) + (y - 8) * (y - 8);
            unsigned char* p = &rgba[static_cast<size_t>((y * n + x) * 4)];
            p[0] = static_cast<unsigned char>(40 + 12 * x);
            p[1] = static_cast<unsigned char>(200 - 9 * y);
            p[2] = 90;
            p[3] = static_cast<unsigned char>(d < 50 ? 255 - 4 * d : 0);
        }
    unsigned texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, n, n, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return texture;
}

class CachedDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(openTestWindow(why)) << why;
        WIDTH = glutGet(GLUT_WINDOW_WIDTH);
        HEIGHT = glutGet(GLUT_WINDOW_HEIGHT);
        beginFrame();
    }
};

} // namespace

TEST_F(CachedDrawing, WebCellFromItsDisplayListMatchesDirectDrawing) {
    showGenes = true;
    Spider spider = builtSpider(12);
    enterCell();
    drawWebCell(spider);
    const std::vector<unsigned char> direct = grab();

    WebCellCache cache;
    std::vector<int32_t> key;
    appendWebCellKey(spider, key);
    // Drawn directly, then compiled, then from the list.
    for (int frame = 0; frame < 3; ++frame) {
        beginFrame();
        enterCell();
        cache.draw(0, spider, key);
        EXPECT_TRUE(grab() == direct) << "frame " << frame;
        EXPECT_EQ(cache.compiles(), frame == 0 ? 0 : 1);
    }

    // Another web in the same slot is compiled afresh and drawn as itself.
    spider = builtSpider(20);
    std::vector<int32_t> otherKey;
    appendWebCellKey(spider, otherKey);
    EXPECT_NE(otherKey, key);
    beginFrame();
    enterCell();
    drawWebCell(spider);
    const std::vector<unsigned char> other = grab();
    for (int frame = 0; frame < 3; ++frame) {
        beginFrame();
        enterCell();
        cache.draw(0, spider, otherKey);
        EXPECT_TRUE(grab() == other) << "frame " << frame;
    }
    EXPECT_EQ(cache.compiles(), 2);
}

TEST_F(CachedDrawing, PreyBatchMatchesSpritesDrawnOneByOne) {
    std::vector<Prey> prey;
    std::vector<int> angles;
    std::vector<int32_t> caught;
    for (int k = 0; k < 90; ++k) {
        prey.push_back(
            Prey{-97.3 + (k * 37 % 190) + 0.37 * (k % 7), -95.1 + (k * 53 % 188) + 0.29 * (k % 5)});
        angles.push_back(k * 97 % 361);
        if (k % 3 == 0)
            caught.push_back(k);
    }
    const unsigned texture = blobTexture();
    const int h = static_cast<int>(4 * 2.2);
    enterCell();
    drawSpritesOneByOne(prey, angles, caught, h, texture);
    const std::vector<unsigned char> oneByOne = grab();

    beginFrame();
    enterCell();
    drawPreySprites(prey, angles, caught, h, texture);
    glDisable(GL_BLEND);
    EXPECT_TRUE(grab() == oneByOne);
    glDeleteTextures(1, &texture);
}

TEST_F(CachedDrawing, SavedPictureComesBackPixelForPixel) {
    const std::vector<int32_t> key{7, 8, 9};
    LayerCache layer;
    enterCell();
    drawWebCell(builtSpider(15));
    const std::vector<unsigned char> drawn = grab();
    EXPECT_FALSE(layer.restore(key, WIDTH, HEIGHT));
    layer.drawn(key, WIDTH, HEIGHT); // first time: only remembered
    EXPECT_FALSE(layer.restore(key, WIDTH, HEIGHT));
    layer.drawn(key, WIDTH, HEIGHT); // drawn again: saved

    beginFrame();
    EXPECT_FALSE(layer.restore({7, 8}, WIDTH, HEIGHT));
    EXPECT_FALSE(layer.restore(key, WIDTH + 1, HEIGHT));
    ASSERT_TRUE(layer.restore(key, WIDTH, HEIGHT));
    EXPECT_TRUE(grab() == drawn);
}

TEST_F(CachedDrawing, CaptionsStayInsideSmallCells) {
    LGLFont font;
    font.create(LGLGetCurrentDC(), "Consolas", 19, 0, 0);
    ASSERT_EQ(font.numFonts, 1);
    // 60 spiders in a 1678 x 955 window: cells of 129 pixels.
    const double scale = 129 / 200.0;
    const int available = static_cast<int>((99 - CAPTION_X) * scale) - 2;
    for (const char* text : {"[60] Fit=-123  CROSS+MUT(20, 7)", "[7] Fit=70  SEL(1, 2)"}) {
        const CellCaption caption = fitCellCaptions({text}, scale, font)[0];
        ASSERT_NE(caption.font, nullptr);
        const std::string whole = std::string(text).substr(0, std::string(text).find("  "));
        EXPECT_EQ(caption.text, whole) << text;
        EXPECT_LE(caption.font->pixWidthOf(caption.text), available) << text;
        // The letters' tops stay below the cell's top edge.
        EXPECT_GE(caption.baseline * scale - caption.font->ascentOf(), -100 * scale - 2) << text;
    }
    // In a roomy cell (24 spiders) the caption is whole and where it always was.
    const CellCaption roomy = fitCellCaptions({"[7] Fit=70  SEL(1, 2)"}, 216 / 200.0, font)[0];
    EXPECT_EQ(roomy.text, "[7] Fit=70  SEL(1, 2)");
    EXPECT_EQ(roomy.font, &font);
    EXPECT_EQ(roomy.baseline, CAPTION_Y);
    // Side by side, with four-digit fitness: every caption shows its origin
    // on a second line, all in one font; in small cells none does.
    std::vector<std::string> texts;
    for (int i = 0; i < 24; ++i)
        texts.push_back(spiderCaption(i, 1000 + 397 * i, i % 2 ? "CROSS+MUT" : "SEL", i, 23 - i));
    const std::vector<CellCaption> row = fitCellCaptions(texts, 216 / 200.0, font);
    for (size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i].text + "  " + row[i].second, texts[i]);
        EXPECT_LE(row[i].font->pixWidthOf(row[i].second), static_cast<int>(194 * 216 / 200.0) - 2);
        EXPECT_EQ(row[i].font, row[0].font);
    }
    for (const CellCaption& caption : fitCellCaptions(texts, scale, font))
        EXPECT_EQ(caption.second, "") << caption.text;
}

TEST_F(CachedDrawing, PanelFromItsImageMatchesAndKeepsItsClickAreas) {
    windowWidth = WIDTH;
    windowHeight = HEIGHT;
    LGLUI panel;
    panel.initialize(0, 0, 16, 1.5, 'n');
    panel.addSeparator();
    panel.addButton("New [Ctrl-N]");
    const int spinner = panel.addNumberSpinner("Number of prey", 10, 100, 10, 100);
    panel.addSeparator();
    panel.panelX = 60;
    panel.panelY = 90;
    panel.updateUIDimension();
    panel.focusIndex = spinner; // arrows shown beside the field
    glLineWidth(2.0f);          // as the information band leaves it
    panel.render();
    const std::vector<unsigned char> direct = grab();

    PanelImage image;
    const std::vector<int32_t> gridKey{1, 2, 3};
    for (int frame = 0; frame < 3; ++frame) {
        beginFrame();
        panel.clearHitAreas();
        glLineWidth(2.0f);
        image.render(panel, 0, gridKey); // third frame: from the image
        EXPECT_TRUE(grab() == direct) << "frame " << frame;
        EXPECT_EQ(panel.widgets[spinner].hitCodes[0], LGLUI::HIT_MAIN) << "frame " << frame;
    }
    // A changed value is drawn afresh.
    panel.setUIInt(spinner, 50);
    beginFrame();
    image.render(panel, 0, gridKey);
    EXPECT_FALSE(grab() == direct);

    // Over the grid (which draws up to the window's right edge), a new
    // grid picture under the panel is drawn afresh too.
    auto frameOver = [&](float grey, const std::vector<int32_t>* key) {
        beginFrame();
        glClearColor(grey, grey, grey, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        panel.clearHitAreas();
        glLineWidth(2.0f);
        if (key)
            image.render(panel, WIDTH, *key);
        else
            panel.render();
        return grab();
    };
    const std::vector<int32_t> lightGrid{7}, darkGrid{8};
    for (int frame = 0; frame < 3; ++frame)
        frameOver(0.8f, &lightGrid);
    EXPECT_TRUE(frameOver(0.2f, &darkGrid) == frameOver(0.2f, nullptr));
}
