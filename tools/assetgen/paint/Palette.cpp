#include "Palette.h"

#include <algorithm>
#include <string>

#include "base/Exceptions.h"

namespace assetpaint {

namespace {

constexpr int kEntries = 256;

struct LeafTables {
    Palette colours;
    std::vector<uint8_t> leafInks;
    std::vector<uint8_t> sceneryInks;
};

struct LogoTables {
    Palette colours;
    std::vector<uint8_t> inks;
};

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

Rgb Key(float r, float g, float b) {
    return {r, g, b};
}

LeafTables BuildLeafTables() {
    PaletteBuilder builder;
    builder.Place(kBlackIndex, gfx::kBlack);
    builder.Place(kWhiteIndex, gfx::kWhite);
    builder.Place(kLeafBlueIndex, kLeafBlue);
    LeafTables tables;
    auto& inks = tables.leafInks;
    Append(inks,
           builder.AddRamp({Key(45, 6, 4), Key(150, 20, 12), Key(215, 45, 30), Key(245, 120, 95)},
                           24));  // crimson
    Append(inks,
           builder.AddRamp({Key(70, 16, 4), Key(190, 50, 10), Key(240, 95, 25), Key(255, 160, 100)},
                           24));  // scarlet
    Append(inks, builder.AddRamp(
                     {Key(85, 35, 4), Key(210, 100, 15), Key(250, 150, 35), Key(255, 205, 135)},
                     24));  // orange
    Append(inks, builder.AddRamp(
                     {Key(95, 60, 5), Key(215, 150, 20), Key(250, 200, 55), Key(255, 236, 160)},
                     24));  // amber
    Append(inks, builder.AddRamp(
                     {Key(100, 85, 10), Key(220, 195, 40), Key(250, 235, 95), Key(255, 250, 190)},
                     22));  // yellow
    Append(inks, builder.AddRamp(
                     {Key(32, 18, 8), Key(100, 55, 22), Key(160, 100, 50), Key(215, 170, 115)},
                     24));  // brown
    Append(inks, builder.AddRamp(
                     {Key(60, 24, 10), Key(150, 70, 28), Key(200, 115, 55), Key(235, 180, 130)},
                     22));  // russet
    Append(inks, builder.AddRamp(
                     {Key(45, 50, 12), Key(115, 120, 30), Key(175, 170, 60), Key(225, 220, 140)},
                     18));  // olive
    Append(inks, builder.AddRamp({Key(110, 90, 60), Key(190, 165, 120), Key(245, 232, 205)},
                                 16));  // pale tan, the backs of the leaves
    auto& scenery = tables.sceneryInks;
    Append(scenery, builder.AddRamp({Key(6, 20, 10), Key(25, 60, 25), Key(70, 120, 50)}, 22));
    Append(scenery, builder.AddRamp({Key(20, 20, 20), Key(200, 200, 195)}, 12));
    Append(scenery, builder.AddRamp({Key(120, 40, 20), Key(255, 250, 225)}, builder.FreeEntries()));
    tables.colours = builder.Finish();
    return tables;
}

LogoTables BuildLogoTables() {
    PaletteBuilder builder;
    builder.Place(kBlackIndex, gfx::kBlack);
    builder.Place(kWhiteIndex, gfx::kWhite);
    builder.Place(kTileGreenIndex, kTileGreen);
    builder.Place(kTileGreyIndex, kTileGrey);
    builder.Place(kTileMossIndex, kTileMoss);
    LogoTables tables;
    auto& inks = tables.inks;
    Append(inks, builder.AddRamp(
                     {Key(70, 40, 5), Key(190, 120, 10), Key(245, 195, 40), Key(255, 245, 190)},
                     48));  // gold
    Append(inks,
           builder.AddRamp({Key(40, 5, 5), Key(140, 15, 15), Key(205, 40, 30), Key(245, 130, 110)},
                           40));  // ribbon red
    Append(inks, builder.AddRamp({Key(120, 95, 60), Key(220, 200, 160), Key(255, 250, 235)},
                                 36));  // parchment
    Append(inks, builder.AddRamp({Key(5, 35, 5), Key(10, 100, 10), Key(60, 170, 60)}, 32));
    Append(inks, builder.AddRamp({Key(30, 15, 8), Key(110, 60, 25), Key(190, 130, 70)}, 32));
    Append(inks, builder.AddRamp({Key(210, 80, 10), Key(255, 170, 60)}, 24));  // orange
    Append(inks, builder.AddRamp({Key(12, 12, 12), Key(240, 240, 240)}, builder.FreeEntries()));
    tables.colours = builder.Finish();
    return tables;
}

const LeafTables& Leaf() {
    static const LeafTables tables = BuildLeafTables();
    return tables;
}

const LogoTables& Logo() {
    static const LogoTables tables = BuildLogoTables();
    return tables;
}

}  // namespace

PaletteBuilder::PaletteBuilder() : colours_(kEntries, gfx::kBlack), used_(kEntries, false) {}

void PaletteBuilder::Place(uint8_t index, gfx::Pixel colour) {
    if (used_[index]) {
        throw base::EInvalidGraphic("PaletteBuilder: entry " + std::to_string(index) +
                                    " is already taken");
    }
    colours_[index] = Unique(colour);
    used_[index] = true;
}

std::vector<uint8_t> PaletteBuilder::AddRamp(std::initializer_list<Rgb> keys, int count) {
    const std::vector<Rgb> points(keys);
    if (points.size() < 2 || count < 0 || count > FreeEntries()) {
        throw base::EInvalidGraphic("PaletteBuilder: a ramp needs two keys and free entries");
    }
    std::vector<uint8_t> indices;
    const float segments = static_cast<float>(points.size() - 1);
    for (int i = 0; i < count; ++i) {
        const float t = count == 1 ? 0.0F : static_cast<float>(i) / static_cast<float>(count - 1);
        const float position = t * segments;
        const size_t segment = std::min(static_cast<size_t>(position), points.size() - 2);
        const Rgb colour =
            Mix(points[segment], points[segment + 1], position - static_cast<float>(segment));
        const uint8_t index = NextFree();
        Place(index, ToPixel(colour));
        indices.push_back(index);
    }
    return indices;
}

int PaletteBuilder::FreeEntries() const {
    return static_cast<int>(std::count(used_.begin(), used_.end(), false));
}

Palette PaletteBuilder::Finish() const {
    if (FreeEntries() != 0) {
        throw base::EInvalidGraphic("PaletteBuilder: " + std::to_string(FreeEntries()) +
                                    " entries left free");
    }
    return colours_;
}

gfx::Pixel PaletteBuilder::Unique(gfx::Pixel colour) const {
    // Step the green channel, which the eye sees best, by the smallest amount that frees it.
    for (int step = 0; step < 256; ++step) {
        const int green = gfx::GreenOf(colour) + ((step % 2 == 0) ? step / 2 : -(step / 2 + 1));
        if (green < 0 || green > 255) {
            continue;
        }
        const gfx::Pixel candidate =
            gfx::MakePixel(gfx::RedOf(colour), static_cast<uint8_t>(green), gfx::BlueOf(colour));
        if (!Holds(candidate)) {
            return candidate;
        }
    }
    throw base::EInvalidGraphic("PaletteBuilder: no free colour near a ramp colour");
}

bool PaletteBuilder::Holds(gfx::Pixel colour) const {
    for (size_t i = 0; i < colours_.size(); ++i) {
        if (used_[i] && colours_[i] == colour) {
            return true;
        }
    }
    return false;
}

uint8_t PaletteBuilder::NextFree() const {
    const auto free = std::find(used_.begin(), used_.end(), false);
    if (free == used_.end()) {
        throw base::EInvalidGraphic("PaletteBuilder: the table is full");
    }
    return static_cast<uint8_t>(free - used_.begin());
}

const Palette& LeafPalette() {
    return Leaf().colours;
}

const std::vector<uint8_t>& LeafInks() {
    return Leaf().leafInks;
}

const std::vector<uint8_t>& SceneryInks() {
    return Leaf().sceneryInks;
}

const Palette& LogoPalette() {
    return Logo().colours;
}

const std::vector<uint8_t>& LogoInks() {
    return Logo().inks;
}

const Palette& Vga16Palette() {
    static const Palette colours = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                    0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return colours;
}

}  // namespace assetpaint
