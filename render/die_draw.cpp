// Drawing the die: its body, and the pips placed from its face values.
#include "die_draw.h"

#include <cstddef>
#include <cstring>

#include "display_list.h"
#include "face_look.h"
#include "opengl.h"

const float dieBodyColor[3] = {1.0f, 1.0f, 1.0f};

const float* const diePipColors[7] = {
    nullptr, faceRed, faceGreen, faceYellow, faceCyan, faceMagenta, faceBlack,
};

namespace {

constexpr float BodyHalf = 0.4f; // the pips' 0.1 brings the die to +-0.5, one cell
constexpr float PipHeight = 0.1f;

enum HomeAxis { AxisX = 0, AxisY = 1, AxisZ = 2 };

// How each face value lies in the home frame: its normal (a home axis, maybe negated),
// the two in-face axes its layout is given along (U x W = normal, so pip tops run
// counter-clockwise seen from outside), and its pips' (s, t) offsets.
struct PipFace {
    HomeAxis normal;
    float normalSign;
    HomeAxis u;
    HomeAxis w;
    int count;
    float offsets[6][2];
};

// clang-format off
const PipFace pipFaces[6] = {
    {AxisZ,  1.0f, AxisX, AxisY, 1, {{0.0f, 0.0f}}},
    {AxisY,  1.0f, AxisZ, AxisX, 2, {{-0.16f, -0.16f}, {0.16f, 0.16f}}},
    {AxisX, -1.0f, AxisZ, AxisY, 3, {{0.0f, 0.0f}, {-0.2f, -0.2f}, {0.2f, 0.2f}}},
    {AxisX,  1.0f, AxisY, AxisZ, 4, {{-0.2f, -0.2f}, {-0.2f, 0.2f}, {0.2f, 0.2f}, {0.2f, -0.2f}}},
    {AxisY, -1.0f, AxisX, AxisZ, 5, {{0.0f, 0.0f}, {-0.2f, -0.2f}, {0.2f, -0.2f}, {0.2f, 0.2f},
                                     {-0.2f, 0.2f}}},
    // Two rows of three, 0.4 apart along W, the pips 0.25 apart along U.
    {AxisZ, -1.0f, AxisY, AxisX, 6, {{-0.25f, -0.2f}, {0.0f, -0.2f}, {0.25f, -0.2f},
                                     {0.25f, 0.2f}, {0.0f, 0.2f}, {-0.25f, 0.2f}}},
};
// clang-format on

// The body, the same in every orientation: per quad its normal, then four corners
// counter-clockwise seen from outside, as signs of the half-size.
const float bodyQuads[6][5][3] = {
    {{0, 0, 1}, {1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}},
    {{0, 0, -1}, {1, 1, -1}, {1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}},
    {{1, 0, 0}, {1, 1, 1}, {1, -1, 1}, {1, -1, -1}, {1, 1, -1}},
    {{-1, 0, 0}, {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1}},
    {{0, 1, 0}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}, {-1, 1, 1}},
    {{0, -1, 0}, {1, -1, 1}, {-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}},
};

// Sets the component that face value `v`, lying on world axis `axis`, gives the frame.
void orientAxis(DieFrame& f, std::int32_t v, int axis) {
    switch (v) {
    case 1:
        f.homeZ[axis] = 1.0f;
        break;
    case 2:
        f.homeY[axis] = 1.0f;
        break;
    case 3:
        f.homeX[axis] = -1.0f;
        break;
    case 4:
        f.homeX[axis] = 1.0f;
        break;
    case 5:
        f.homeY[axis] = -1.0f;
        break;
    case 6:
        f.homeZ[axis] = -1.0f;
        break;
    default:
        break;
    }
}

const float* homeAxis(const DieFrame& f, HomeAxis axis) {
    switch (axis) {
    case AxisX:
        return f.homeX;
    case AxisY:
        return f.homeY;
    default:
        return f.homeZ;
    }
}

void drawBody() {
    glBegin(GL_QUADS);
    glColor3fv(dieBodyColor);
    for (const auto& quad : bodyQuads) {
        glNormal3f(quad[0][0], quad[0][1], quad[0][2]);
        for (int i = 1; i <= 4; ++i) {
            glVertex3f(quad[i][0] * BodyHalf, quad[i][1] * BodyHalf, quad[i][2] * BodyHalf);
        }
    }
    glEnd();
}

void sendPipToGl(const PipRings& rings, const float* faceNormal, const float* colour, void*) {
    drawPip(&rings.top[0][0], &rings.base[0][0], &rings.sideNormals[0][0], faceNormal, colour);
}

// The die's shape depends on top, north and east alone, and on each only through the
// value 1 to 6 or "none of those", so one display list per such triple covers every
// die: 24 of them for the ways a die can lie, compiled the first time each is drawn.
constexpr int FaceKeys = 7;
GLuint dieLists[FaceKeys][FaceKeys][FaceKeys] = {};

int faceKey(std::int32_t v) {
    return isFaceValue(v) ? v : 0;
}

} // namespace

DieFrame dieFrame(const Die& d) {
    DieFrame f = {};
    orientAxis(f, d.top, AxisZ);
    orientAxis(f, d.north, AxisY);
    orientAxis(f, d.east, AxisX);
    for (int v = 1; v <= 6; ++v) {
        const PipFace& face = pipFaces[v - 1];
        const float* axis = homeAxis(f, face.normal);
        for (int i = 0; i < 3; ++i) {
            f.faceNormal[v][i] = face.normalSign * axis[i];
        }
    }
    return f;
}

void forEachPip(const Die& d, PipSink sink, void* context) {
    const DieFrame f = dieFrame(d);
    PipRings rings;
    for (int v = 1; v <= 6; ++v) {
        const PipFace& face = pipFaces[v - 1];
        const float* n = f.faceNormal[v];
        const float* u = homeAxis(f, face.u);
        const float* w = homeAxis(f, face.w);
        const float r = pipRadius[v];

        float centre[3] = {};
        for (int p = 0; p < face.count; ++p) {
            const float s = face.offsets[p][0];
            const float t = face.offsets[p][1];
            float next[3];
            for (int i = 0; i < 3; ++i) {
                next[i] = BodyHalf * n[i] + s * u[i] + t * w[i];
            }
            if (p == 0) {
                for (int k = 0; k < OctagonCorners; ++k) {
                    double c = 0.0;
                    double sn = 0.0;
                    octagonDirection(k, c, sn);
                    for (int i = 0; i < 3; ++i) {
                        rings.sideNormals[k][i] = static_cast<float>(c * u[i] + sn * w[i]);
                        rings.base[k][i] = next[i] + r * rings.sideNormals[k][i];
                    }
                }
            } else {
                // Same face, same normals: the ring only moves to the new centre.
                for (int k = 0; k < OctagonCorners; ++k) {
                    for (int i = 0; i < 3; ++i) {
                        rings.base[k][i] += next[i] - centre[i];
                    }
                }
            }
            for (int k = 0; k < OctagonCorners; ++k) {
                for (int i = 0; i < 3; ++i) {
                    rings.top[k][i] = rings.base[k][i] + PipHeight * n[i];
                }
            }
            for (int i = 0; i < 3; ++i) {
                centre[i] = next[i];
            }
            sink(rings, n, diePipColors[v], context);
        }
    }
}

void drawDie(const Die* d) {
    // Colours set from here on become the front material's ambient and diffuse; its
    // specular, shininess and emission stay those the board applied this frame.
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    GLuint& list = dieLists[faceKey(d->top)][faceKey(d->north)][faceKey(d->east)];
    drawThroughList(list, false, [d] {
        drawBody();
        forEachPip(*d, sendPipToGl, nullptr);
    });
    glDisable(GL_COLOR_MATERIAL);
}

void drawPip(const float* top, const float* base, const float* sideNormals, const float* faceNormal,
             const float* colour) {
    glBegin(GL_POLYGON);
    glColor3fv(colour);
    glNormal3fv(faceNormal);
    for (int k = 0; k < OctagonCorners; ++k) {
        glVertex3fv(top + 3 * static_cast<std::ptrdiff_t>(k));
    }
    glEnd();

    // The side walls, closed by repeating the first corner pair; the top's colour
    // stays current for them.
    glBegin(GL_QUAD_STRIP);
    for (int k = 0; k <= OctagonCorners; ++k) {
        const int i = 3 * (k % OctagonCorners);
        glNormal3fv(sideNormals + i);
        glVertex3fv(top + i);
        glVertex3fv(base + i);
    }
    glEnd();
}

void forgetDieLists() {
    std::memset(dieLists, 0, sizeof dieLists);
}
