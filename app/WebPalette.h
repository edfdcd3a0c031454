#pragma once
// The five colours a web is drawn in, and the colours of a gene chart. The
// Rule Browser dims all but the part of the web a stage builds.

struct tPaletteColour {
    float r = 0.0f, g = 0.0f, b = 0.0f;
    bool operator==(const tPaletteColour& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct tWebPalette {
    tPaletteColour frameColour;
    tPaletteColour radiusColour;
    tPaletteColour extraRadiusColour;
    tPaletteColour firstLoopColour;
    tPaletteColour mainSpiralColour;
};

// Stage 0: everything normal. Stage 1 and above: everything dimmed, then the
// parts the stage lights brought back to normal.
void setWebPalette(int stage);

// Colour of a gene cell in the gene chart. `fraction` is the gene's place in
// its range (0 ... 1), or -1 when the range is empty; `lit` tells whether the
// spider's stage shows this gene.
tPaletteColour geneChartColour(double fraction, bool lit);

// Whether a gene of construction stage geneStage (1 ... 4) is lit for a
// spider in construction state spiderStage.
bool geneIsLit(int spiderStage, int geneStage);
