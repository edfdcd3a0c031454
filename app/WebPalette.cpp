#include "app/WebPalette.h"

#include "app/AppState.h"

namespace {

const tPaletteColour kFrameNormal{1.0f, 0.0f, 0.0f};
const tPaletteColour kFrameDimmed{0.5f, 0.0f, 0.0f};
const tPaletteColour kRadiusNormal{0.5f, 0.5f, 0.5f};
const tPaletteColour kRadiusDimmed{0.2f, 0.2f, 0.2f};
const tPaletteColour kSpiralNormal{0.3f, 0.3f, 1.0f};
const tPaletteColour kSpiralDimmed{0.1f, 0.1f, 0.5f};

const tPaletteColour kGeneNoRange{0.4f, 0.4f, 0.4f};
const tPaletteColour kGeneUnlit{0.2f, 0.2f, 0.2f};

void setAll(tWebPalette& p, bool normal)
{
    p.frameColour = normal ? kFrameNormal : kFrameDimmed;
    p.radiusColour = normal ? kRadiusNormal : kRadiusDimmed;
    p.extraRadiusColour = normal ? kRadiusNormal : kRadiusDimmed;
    p.firstLoopColour = normal ? kSpiralNormal : kSpiralDimmed;
    p.mainSpiralColour = normal ? kSpiralNormal : kSpiralDimmed;
}

} // namespace

tWebPalette webPalette = [] {
    tWebPalette p;
    setAll(p, true);
    return p;
}();

void setWebPalette(int stage)
{
    setAll(webPalette, stage == 0);
    switch (stage) {
    case 2: webPalette.frameColour = kFrameNormal; break;
    case 3: webPalette.radiusColour = kRadiusNormal; break;
    case 4:
        webPalette.frameColour = kFrameNormal;
        webPalette.radiusColour = kRadiusNormal;
        break;
    case 5: webPalette.extraRadiusColour = kRadiusNormal; break;
    case 6: webPalette.firstLoopColour = kSpiralNormal; break;
    case 7: webPalette.mainSpiralColour = kSpiralNormal; break;
    case 8:
        webPalette.firstLoopColour = kSpiralNormal;
        webPalette.mainSpiralColour = kSpiralNormal;
        break;
    default: break;
    }
}

tPaletteColour geneChartColour(double fraction, bool lit)
{
    if (!lit)
        return kGeneUnlit;
    if (!(fraction > -1.0))
        return kGeneNoRange;
    const float f = static_cast<float>(fraction);
    return tPaletteColour{f, 0.2f, 1.0f - f};
}

bool geneIsLit(int spiderStage, int geneStage)
{
    return spiderStage == 0 || spiderStage == 5 || spiderStage == geneStage;
}
