#pragma once
// The prey swarm as one spider met it, as one batch of textured quads: caught
// prey green, the others grey, each turned by its display angle. The corners
// are carried to clip coordinates here, with the single-precision matrix
// arithmetic of the fixed-function pipeline (translate, then rotate about z,
// then the cell's model-view and the projection), so the batch lands on the
// same pixels as sprites drawn one by one with their own matrices. Building
// the batch needs no window; drawing it is a single call.

#include <array>
#include <cstdint>
#include <vector>

#include "web/Prey.h"

// A column-major 4 x 4 matrix as OpenGL stores it.
using GlMatrix = std::array<float, 16>;

struct PreySpriteBatch {
    std::vector<float> clip; // two triangles per prey, x y z w
    std::vector<float> uv;   // texture coordinates
    std::vector<float> rgba; // per-vertex colour
    int vertexCount() const { return static_cast<int>(clip.size() / 4); }
};

// Fills `batch` with a sprite of half-size `half` for every prey, drawn under
// `projection` x `modelView`; prey whose index is in `caught` (ascending) are
// coloured as caught. A prey without a display angle is drawn unturned.
void buildPreySprites(const std::vector<Prey>& prey, const std::vector<int>& angles,
                      const std::vector<int32_t>& caught, int half, const GlMatrix& projection,
                      const GlMatrix& modelView, PreySpriteBatch& batch);

// Draws the prey of a spider in the current cell transform with the fly
// texture (plain squares without one), blending on, alpha test passing alpha
// above 0.
void drawPreySprites(const std::vector<Prey>& prey, const std::vector<int>& angles,
                     const std::vector<int32_t>& caught, int half, unsigned texture);
