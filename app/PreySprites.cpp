#include "app/PreySprites.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr float CAUGHT[4] = {0.1f, 1.0f, 0.1f, 1.0f};
constexpr float MISSED[4] = {0.6f, 0.6f, 0.6f, 0.8f};

// Corners of a sprite as its triangle strip lays them: (h, -h), (-h, -h),
// (h, h), (-h, h), split into the strip's two triangles.
constexpr int CORNER_ORDER[6] = {0, 1, 2, 2, 1, 3};
constexpr int CORNER_SIGN[4][2] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
constexpr float CORNER_UV[4][2] = {{1, 0}, {0, 0}, {1, 1}, {0, 1}};

float& at(GlMatrix& m, int row, int column) {
    return m[static_cast<size_t>(column * 4 + row)];
}

float at(const GlMatrix& m, int row, int column) {
    return m[static_cast<size_t>(column * 4 + row)];
}

// a x b, each element summed left to right.
GlMatrix multiply(const GlMatrix& a, const GlMatrix& b) {
    GlMatrix p{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            at(p, i, j) = at(a, i, 0) * at(b, 0, j) + at(a, i, 1) * at(b, 1, j) +
                          at(a, i, 2) * at(b, 2, j) + at(a, i, 3) * at(b, 3, j);
    }
    return p;
}

// m x translation(x, y, 0).
GlMatrix translated(GlMatrix m, float x, float y) {
    for (int row = 0; row < 4; ++row)
        at(m, row, 3) =
            at(m, row, 0) * x + at(m, row, 1) * y + at(m, row, 2) * 0.0f + at(m, row, 3);
    return m;
}

// m x rotation by `degrees` about the z axis.
GlMatrix rotated(const GlMatrix& m, float degrees) {
    if (degrees == 0.0f)
        return m;
    const float s = std::sin(static_cast<float>(degrees * M_PI / 180.0));
    const float c = std::cos(static_cast<float>(degrees * M_PI / 180.0));
    GlMatrix r{};
    at(r, 0, 0) = c;
    at(r, 1, 1) = c;
    at(r, 0, 1) = -s;
    at(r, 1, 0) = s;
    at(r, 2, 2) = 1.0f;
    at(r, 3, 3) = 1.0f;
    return multiply(m, r);
}

} // namespace

void buildPreySprites(const std::vector<Prey>& prey, const std::vector<int>& angles,
                      const std::vector<int32_t>& caught, int half, const GlMatrix& projection,
                      const GlMatrix& modelView, PreySpriteBatch& batch) {
    const size_t vertices = prey.size() * 6;
    batch.clip.resize(vertices * 4);
    batch.uv.resize(vertices * 2);
    batch.rgba.resize(vertices * 4);
    const float h = static_cast<float>(half);
    for (size_t k = 0; k < prey.size(); ++k) {
        const bool hit = std::binary_search(caught.begin(), caught.end(), static_cast<int32_t>(k));
        const float* colour = hit ? CAUGHT : MISSED;
        GlMatrix m =
            translated(modelView, static_cast<float>(prey[k].x), static_cast<float>(prey[k].y));
        if (k < angles.size())
            m = rotated(m, static_cast<float>(angles[k]));
        const GlMatrix mvp = multiply(projection, m);
        for (int v = 0; v < 6; ++v) {
            const int corner = CORNER_ORDER[v];
            const float x = h * static_cast<float>(CORNER_SIGN[corner][0]);
            const float y = h * static_cast<float>(CORNER_SIGN[corner][1]);
            const size_t i = k * 6 + static_cast<size_t>(v);
            for (int row = 0; row < 4; ++row) {
                float t = at(mvp, row, 0) * x;
                t = at(mvp, row, 1) * y + t;
                t = at(mvp, row, 2) * 0.0f + t;
                batch.clip[i * 4 + static_cast<size_t>(row)] = at(mvp, row, 3) * 1.0f + t;
            }
            batch.uv[i * 2] = CORNER_UV[corner][0];
            batch.uv[i * 2 + 1] = CORNER_UV[corner][1];
            std::copy(colour, colour + 4, batch.rgba.begin() + static_cast<std::ptrdiff_t>(i * 4));
        }
    }
}

void drawPreySprites(const std::vector<Prey>& prey, const std::vector<int>& angles,
                     const std::vector<int32_t>& caught, int half, unsigned texture) {
    if (prey.empty())
        return;
    static PreySpriteBatch batch;
    GlMatrix projection{}, modelView{};
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    buildPreySprites(prey, angles, caught, half, projection, modelView, batch);

    if (texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(4, GL_FLOAT, 0, batch.clip.data());
    glTexCoordPointer(2, GL_FLOAT, 0, batch.uv.data());
    glColorPointer(4, GL_FLOAT, 0, batch.rgba.data());
    glDrawArrays(GL_TRIANGLES, 0, batch.vertexCount());
    glPopClientAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    // The current colour after a colour array is undefined: leave it as the
    // last sprite did.
    glColor4fv(batch.rgba.data() + batch.rgba.size() - 4);

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
}
