#include "WindSequences.h"

#include "base/Exceptions.h"

namespace assetgen {

const std::array<WindSequence, 5>& WindSequences() {
    static const std::array<WindSequence, 5> sequences{{
        {4,
         {{{1, 1},
           {-9, -25},
           {-11, -22},
           {-16, -21},
           {-18, -21},
           {-17, -31},
           {11, -24},
           {-59, 0},
           {-49, -16},
           {-50, -31},
           {-62, -22},
           {-36, -10},
           {-17, -6},
           {-27, -7},
           {-37, -8},
           {-31, -8}}}},
        {1,
         {{{-1, 0},
           {76, -39},
           {88, -35},
           {80, -20},
           {52, 13},
           {7, 25},
           {-39, 25},
           {-72, 14},
           {-33, -4},
           {1, -29},
           {37, -39},
           {47, -21},
           {19, -15},
           {35, -6},
           {47, -1},
           {53, 1}}}},
        {2,
         {{{-1, 1},
           {39, -15},
           {41, -17},
           {40, -24},
           {32, -28},
           {19, -39},
           {-42, -40},
           {-61, -25},
           {14, -48},
           {93, -12},
           {81, 17},
           {58, 14},
           {6, 30},
           {20, 27},
           {33, 11},
           {34, 23}}}},
        {3,
         {{{2, 1},
           {48, 23},
           {66, 44},
           {69, 47},
           {49, 35},
           {10, 32},
           {-51, 55},
           {-63, -11},
           {2, -37},
           {0, -50},
           {17, -45},
           {67, -2},
           {82, 24},
           {76, 22},
           {36, 55},
           {26, 73}}}},
        {5,
         {{{-1, 0},
           {20, -13},
           {23, -13},
           {26, -10},
           {27, -9},
           {27, -15},
           {30, -27},
           {11, -18},
           {85, -11},
           {50, 9},
           {9, -9},
           {12, -16},
           {14, -20},
           {6, -23},
           {6, -24},
           {11, -24}}}},
    }};
    return sequences;
}

std::string WindSequenceName(const WindSequence& sequence) {
    return "WAAI" + std::to_string(sequence.leaf);
}

int StripPositionOfStep(int step) {
    if (step < 0 || step >= kWindSteps) {
        throw base::EListError("StripPositionOfStep: step " + std::to_string(step) +
                               " outside 0 .. 15");
    }
    if (step == 0) {
        return kWindSteps - 1;
    }
    return step == kWindSteps - 1 ? 0 : step;
}

}  // namespace assetgen
