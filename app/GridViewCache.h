#pragma once
// What a grid view (Simulator, Fossils Browser) keeps between frames: its
// web cells' display lists, the grid's saved picture and the key it is
// kept under, each cell's key and fitted caption, and its panel's image.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/LayerCache.h"
#include "app/PanelImage.h"
#include "app/WebCellCache.h"
#include "app/WebDrawing.h"

struct Spider;

struct GridViewCache {
    WebCellCache webCells;
    LayerCache gridLayer;
    PanelImage panelImage;
    std::vector<std::vector<int32_t>> cellKeys;
    std::vector<CellCaption> captions;
    std::vector<int32_t> frameKey;

    // Starts the grid's key for a frame of `cells` cells.
    void beginKey(size_t cells);
    // Adds cell i: its web's key, its place and its caption.
    void addCell(size_t i, const Spider& spider, const CellCaption& caption);
};
