#include "app/WebPalette.h"

#include "app/AppState.h"

namespace {

const tPaletteColour FRAME_NORMAL{1.0f, 0.0f, 0.0f};
const tPaletteColour FRAME_DIMMED{0.5f, 0.0f, 0.0f};
const tPaletteColour RADIUS_NORMAL{0.5f, 0.5f, 0.5f};
const tPaletteColour RADIUS_DIMMED{0.2f, 0.2f, 0.2f};
const tPaletteColour SPIRAL_NORMAL{0.3f, 0.3f, 1.0f};
const tPaletteColour SPIRAL_DIMMED{0.1f, 0.1f, 0.5f};

const tPaletteColour GENE_NO_RANGE{0.4f, 0.4f, 0.4f};
const tPaletteColour GENE_UNLIT{0.2f, 0.2f, 0.2f};

void setAll(tWebPalette& p, bool normal) {
    p.frameColour = normal ? FRAME_NORMAL : FRAME_DIMMED;
    p.radiusColour = normal ? RADIUS_NORMAL : RADIUS_DIMMED;
    p.extraRadiusColour = normal ? RADIUS_NORMAL : RADIUS_DIMMED;
    p.firstLoopColour = normal ? SPIRAL_NORMAL : SPIRAL_DIMMED;
    p.mainSpiralColour = normal ? SPIRAL_NORMAL : SPIRAL_DIMMED;
}

} // namespace

tWebPalette webPalette = [] {
    tWebPalette p;
    setAll(p, true);
    return p;
}();

void setWebPalette(int stage) {
    setAll(webPalette, stage == 0);
    switch (stage) {
    case 2:
        webPalette.frameColour = FRAME_NORMAL;
        break;
    case 3:
        webPalette.radiusColour = RADIUS_NORMAL;
        break;
    case 4:
        webPalette.frameColour = FRAME_NORMAL;
        webPalette.radiusColour = RADIUS_NORMAL;
        break;
    case 5:
        webPalette.extraRadiusColour = RADIUS_NORMAL;
        break;
    case 6:
        webPalette.firstLoopColour = SPIRAL_NORMAL;
        break;
    case 7:
        webPalette.mainSpiralColour = SPIRAL_NORMAL;
        break;
    case 8:
        webPalette.firstLoopColour = SPIRAL_NORMAL;
        webPalette.mainSpiralColour = SPIRAL_NORMAL;
        break;
    default:
        break;
    }
}

tPaletteColour geneChartColour(double fraction, bool lit) {
    if (!lit)
        return GENE_UNLIT;
    if (!(fraction > -1.0))
        return GENE_NO_RANGE;
    const float f = static_cast<float>(fraction);
    return tPaletteColour{f, 0.2f, 1.0f - f};
}

bool geneIsLit(int spiderStage, int geneStage) {
    return spiderStage == 0 || spiderStage == 5 || spiderStage == geneStage;
}
