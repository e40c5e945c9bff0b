// What a face value looks like wherever it is shown, on a board cell or on the die:
// the size of its marks, and the regular octagon every mark and pip is cut as.
#pragma once

#include <cmath>

constexpr int OctagonCorners = 8;

// Mark and pip colours: the same for values 1 to 5 on the board and on the die; the 6
// is white on the board and black on the die.
constexpr float faceRed[3] = {1.0f, 0.0f, 0.0f};
constexpr float faceGreen[3] = {0.0f, 1.0f, 0.0f};
constexpr float faceYellow[3] = {1.0f, 1.0f, 0.0f};
constexpr float faceCyan[3] = {0.0f, 1.0f, 1.0f};
constexpr float faceMagenta[3] = {1.0f, 0.0f, 1.0f};
constexpr float faceWhite[3] = {1.0f, 1.0f, 1.0f};
constexpr float faceBlack[3] = {0.0f, 0.0f, 0.0f};

// Corner radius of a mark or pip by face value 1 to 6 (entry 0 is unused).
constexpr float pipRadius[7] = {0.0f, 0.2f, 0.15f, 0.1f, 0.1f, 0.1f, 0.1f};

// Direction of corner k, at k * 45 degrees counter-clockwise from the first axis.
inline void octagonDirection(int k, double& cosine, double& sine) {
    const double angle = k * (2.0 * 3.14159265358979323846 / OctagonCorners);
    cosine = std::cos(angle);
    sine = std::sin(angle);
}
