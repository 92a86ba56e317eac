// Replays every raster case recorded from a real GDI and checks every pixel of the result.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "TestBitmaps.h"
#include "gfx/Raster.h"

namespace gfx {
namespace {

struct RasterCase {
    int number = -1;
    Bitmap dest;
    std::optional<Bitmap> source;
    Pixel sourceBackground = kWhite, sourceText = kBlack, destBackground = kWhite,
          destText = kBlack;
    std::string call;  // "bitblt" or "stretchblt"
    Rop rop = Rop::SrcCopy;
    bool self = false;
    int32_t args[8] = {};  // x y w h sx sy [sw sh]
    Bitmap result;
};

Rop RopByName(const std::string& name) {
    static const std::map<std::string, Rop> kRops = {{"SRCCOPY", Rop::SrcCopy},
                                                     {"SRCAND", Rop::SrcAnd},
                                                     {"SRCPAINT", Rop::SrcPaint},
                                                     {"DSTINVERT", Rop::DstInvert},
                                                     {"BLACKNESS", Rop::Blackness}};
    const auto found = kRops.find(name);
    if (found == kRops.end()) {
        throw std::runtime_error("recorded case names an unknown raster operation: " + name);
    }
    return found->second;
}

// Reads "KIND W H" and the H rows after it.
Bitmap ReadPicture(std::istringstream& header, std::istream& in) {
    std::string kind;
    int width = 0, height = 0;
    header >> kind >> width >> height;
    std::vector<std::string> rows(static_cast<size_t>(height));
    for (auto& row : rows) {
        std::getline(in, row);
    }
    return kind == "mono" ? test::MonoFromRows(rows) : test::ColourFromRows(rows);
}

Pixel Hex(std::istringstream& line) {
    std::string label, value;
    line >> label >> value;
    return static_cast<Pixel>(std::stoul(value, nullptr, 16));
}

std::vector<RasterCase> ReadCases(const std::string& path) {
    std::ifstream in(path);
    std::vector<RasterCase> cases;
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream line(text);
        std::string word;
        line >> word;
        if (word == "case") {
            cases.emplace_back();
            line >> cases.back().number;
        } else if (word == "dst") {
            cases.back().dest = ReadPicture(line, in);
        } else if (word == "src") {
            cases.back().source = ReadPicture(line, in);
        } else if (word == "result") {
            cases.back().result = ReadPicture(line, in);
        } else if (word == "colours") {
            RasterCase& c = cases.back();
            c.sourceBackground = Hex(line);
            c.sourceText = Hex(line);
            c.destBackground = Hex(line);
            c.destText = Hex(line);
        } else if (word == "bitblt" || word == "stretchblt") {
            RasterCase& c = cases.back();
            std::string rop, from;
            c.call = word;
            line >> rop >> c.args[0] >> c.args[1] >> c.args[2] >> c.args[3] >> from >> c.args[4] >>
                c.args[5];
            if (word == "stretchblt") {
                line >> c.args[6] >> c.args[7];
            }
            c.rop = RopByName(rop);
            c.self = from == "self";
        }
    }
    return cases;
}

void Replay(RasterCase& c) {
    Canvas& dest = c.dest.GetCanvas();
    dest.SetBackgroundColour(c.destBackground);
    dest.SetTextColour(c.destText);
    Canvas* source = c.self ? &dest : (c.source ? &c.source->GetCanvas() : nullptr);
    if (!c.self && source != nullptr) {
        source->SetBackgroundColour(c.sourceBackground);
        source->SetTextColour(c.sourceText);
    }
    const int32_t* a = c.args;
    if (c.call == "bitblt") {
        BitBlt(dest, a[0], a[1], a[2], a[3], source, a[4], a[5], c.rop);
    } else {
        StretchBlt(dest, a[0], a[1], a[2], a[3], source, a[4], a[5], a[6], a[7], c.rop);
    }
}

TEST(GdiReference, EveryRecordedCaseGivesTheRecordedPixels) {
    std::vector<RasterCase> cases = ReadCases(test::DataPath("gdi-reference/cases.txt"));
    ASSERT_EQ(cases.size(), 312u);
    for (RasterCase& c : cases) {
        ASSERT_FALSE(c.call.empty()) << "case " << c.number << " has no call";
        Replay(c);
        EXPECT_EQ(test::Difference(c.result, c.dest), "")
            << "case " << c.number << " (" << c.call << ")";
    }
}

}  // namespace
}  // namespace gfx
