#include "assets/Assets.h"

#include <array>
#include <cstddef>

#include "gfx/Bmp.h"

namespace assets {
namespace embedded {

// Defined in the sources tools/embed writes (Forms.cpp and Icons.cpp).
extern const char kMainForm[];
extern const std::size_t kMainFormSize;
extern const char kAboutForm[];
extern const std::size_t kAboutFormSize;
extern const char kIcon0[], kIcon1[], kIcon2[], kIcon3[], kIcon4[], kIcon5[];
extern const std::size_t kIcon0Size, kIcon1Size, kIcon2Size, kIcon3Size, kIcon4Size, kIcon5Size;
extern const char kIcon0Mask[], kIcon1Mask[], kIcon2Mask[], kIcon3Mask[], kIcon4Mask[],
    kIcon5Mask[];
extern const std::size_t kIcon0MaskSize, kIcon1MaskSize, kIcon2MaskSize, kIcon3MaskSize,
    kIcon4MaskSize, kIcon5MaskSize;

}  // namespace embedded

namespace {

std::span<const uint8_t> Bytes(const char* data, std::size_t size) {
    return {reinterpret_cast<const uint8_t*>(data), size};
}

struct EmbeddedIcon {
    std::span<const uint8_t> picture;
    std::span<const uint8_t> mask;
};

std::array<EmbeddedIcon, kProgramIconCount> EmbeddedIcons() {
    using namespace embedded;
    return {{{Bytes(kIcon0, kIcon0Size), Bytes(kIcon0Mask, kIcon0MaskSize)},
             {Bytes(kIcon1, kIcon1Size), Bytes(kIcon1Mask, kIcon1MaskSize)},
             {Bytes(kIcon2, kIcon2Size), Bytes(kIcon2Mask, kIcon2MaskSize)},
             {Bytes(kIcon3, kIcon3Size), Bytes(kIcon3Mask, kIcon3MaskSize)},
             {Bytes(kIcon4, kIcon4Size), Bytes(kIcon4Mask, kIcon4MaskSize)},
             {Bytes(kIcon5, kIcon5Size), Bytes(kIcon5Mask, kIcon5MaskSize)}}};
}

}  // namespace

std::span<const uint8_t> MainFormDescription() {
    return Bytes(embedded::kMainForm, embedded::kMainFormSize);
}

std::span<const uint8_t> AboutFormDescription() {
    return Bytes(embedded::kAboutForm, embedded::kAboutFormSize);
}

std::vector<platform::Icon> ProgramIcons() {
    std::vector<platform::Icon> icons;
    for (const EmbeddedIcon& icon : EmbeddedIcons()) {
        icons.push_back({gfx::ReadBmp(icon.picture), gfx::ReadBmp(icon.mask)});
    }
    return icons;
}

}  // namespace assets
