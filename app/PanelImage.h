#pragma once
// A control panel kept as an image: while the panel looks the same (same
// values, focus, pressed look, place and size) over the same background,
// its saved pixels are copied back instead of drawing its rows again. Its
// clickable areas are recorded either way.

#include <cstdint>
#include <vector>

#include "app/LayerCache.h"

class LGLUI;

class PanelImage {
  public:
    // Renders the panel. `plainLeft`: in this frame the grid draws nothing
    // right of this x; a panel reaching further left is kept only while
    // the grid's picture (`gridKey`) stays the same too. A panel over the
    // information band or with a pop-up open is simply drawn.
    void render(LGLUI& panel, int plainLeft, const std::vector<int32_t>& gridKey);

  private:
    LayerCache layer_;
    std::vector<int> key_;
};
