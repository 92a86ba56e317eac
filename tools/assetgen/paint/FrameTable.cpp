#include "FrameTable.h"

#include <algorithm>

#include "base/Exceptions.h"

namespace assetpaint {

namespace {

constexpr int kLeaves = 5;
constexpr int kPositions = 16;

struct Size {
    int32_t width;
    int32_t height;
};

// Frame sizes by strip position (rows) and leaf (columns).
constexpr Size kLeafSizes[kPositions][kLeaves] = {
    {{141, 104}, {93, 136}, {142, 191}, {109, 145}, {221, 215}},
    {{139, 98}, {85, 139}, {148, 163}, {111, 152}, {220, 211}},
    {{136, 100}, {82, 136}, {145, 141}, {109, 158}, {224, 215}},
    {{133, 106}, {76, 138}, {127, 114}, {110, 161}, {224, 217}},
    {{131, 111}, {70, 139}, {100, 100}, {110, 158}, {219, 216}},
    {{105, 114}, {60, 139}, {89, 128}, {114, 150}, {219, 214}},
    {{102, 101}, {68, 136}, {93, 114}, {94, 159}, {217, 214}},
    {{144, 109}, {97, 113}, {157, 95}, {50, 141}, {189, 188}},
    {{180, 76}, {115, 74}, {134, 151}, {84, 123}, {155, 165}},
    {{163, 55}, {96, 93}, {58, 158}, {103, 127}, {88, 164}},
    {{116, 80}, {87, 88}, {146, 114}, {109, 143}, {153, 177}},
    {{44, 104}, {42, 98}, {202, 112}, {112, 145}, {175, 186}},
    {{46, 109}, {56, 90}, {185, 95}, {95, 141}, {190, 198}},
    {{89, 107}, {98, 74}, {125, 164}, {88, 142}, {205, 205}},
    {{121, 105}, {101, 96}, {113, 199}, {91, 142}, {218, 210}},
    {{140, 98}, {86, 138}, {144, 167}, {113, 145}, {216, 211}},
};

// The usual suffix of a position is 30 for position 0 and twice the position otherwise;
// the exceptions are kept from the stored list.
std::string Suffix(int leafNumber, int position) {
    if (position == 15) {
        return "";
    }
    int number = position == 0 ? 30 : 2 * position;
    if (leafNumber == 2 && position == 9) {
        number = 19;
    } else if (leafNumber == 4 && position == 6) {
        number = 11;
    } else if (leafNumber == 4 && position == 8) {
        number = 15;
    }
    const char digits[3] = {static_cast<char>('0' + number / 10),
                            static_cast<char>('0' + number % 10), '\0'};
    return digits;
}

}  // namespace

std::string LeafFrameName(int leafNumber, int position) {
    if (leafNumber < 1 || leafNumber > kLeaves || position < 0 || position >= kPositions) {
        throw base::EListError("LeafFrameName: no frame for leaf " + std::to_string(leafNumber) +
                               " at position " + std::to_string(position));
    }
    std::string name = "blad";
    name += static_cast<char>('0' + leafNumber);
    name += '_';
    name += Suffix(leafNumber, position);
    return name;
}

FrameTable LeafFrameTable() {
    FrameTable frames;
    int32_t x = 0;
    for (int leaf = 1; leaf <= kLeaves; ++leaf) {
        for (int position = 0; position < kPositions; ++position) {
            const Size size = kLeafSizes[position][leaf - 1];
            frames.push_back({LeafFrameName(leaf, position), x, 0, size.width, size.height});
            x += size.width;
        }
    }
    return frames;
}

FrameTable LogoFrameTable() {
    return {{"ster", 0, 0, 357, 350}, {"etiket", 357, 0, 269, 335}, {"bar", 626, 0, 496, 186}};
}

int32_t StripWidth(const FrameTable& frames) {
    int32_t width = 0;
    for (const FrameEntry& frame : frames) {
        width = std::max(width, frame.x + frame.width);
    }
    return width;
}

int32_t StripHeight(const FrameTable& frames) {
    int32_t height = 0;
    for (const FrameEntry& frame : frames) {
        height = std::max(height, frame.y + frame.height);
    }
    return height;
}

}  // namespace assetpaint
