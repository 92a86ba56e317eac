// The embedded main form as the main window loads it: its frame lists and wind sequences
// against the generator's tables, and the generator giving the embedded bytes and icons on
// every run. (Its settings and event bindings are exercised by tests/scene, which runs the same
// form; the stored order shows in the masks, which Transparent read after the frames would
// leave prepared for another colour.)

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AssetFiles.h"
#include "FrameTable.h"
#include "TestForm.h"
#include "WindSequences.h"
#include "assets/Assets.h"
#include "base/Real48.h"
#include "framework/Application.h"
#include "framework/Color.h"
#include "gfx/Bitmap.h"
#include "platform/headless/HeadlessBackend.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteBox.h"

namespace assets::testing {

// The embedded main form, loaded once for the whole suite on the headless backend.
class CatalogueTest : public ::testing::Test {
  public:
    static void SetUpTestSuite() { loaded_ = std::make_unique<Loaded>(); }
    static void TearDownTestSuite() { loaded_.reset(); }

    template <class T>
    static T& Component(const std::string& name) {
        framework::TComponent* component = loaded_->form->FindComponent(name);
        if (component == nullptr) {
            throw std::runtime_error("no component " + name);
        }
        return framework::CheckedCast<T>(*component);
    }

  private:
    struct Loaded {
        platform::headless::HeadlessBackend backend;
        framework::TApplication application;
        TfrmTest* form = application.CreateForm<TfrmTest>(MainFormDescription());
    };
    static inline std::unique_ptr<Loaded> loaded_;
};

namespace {

size_t CountPixels(const gfx::Bitmap& bitmap, const gfx::Rect& area, gfx::Pixel colour) {
    size_t count = 0;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
            count += bitmap.GetPixel(x, y) == colour ? 1u : 0u;
        }
    }
    return count;
}

sprites::TSprite& LeafSprite() {
    return CatalogueTest::Component<sprites::TSprite>("spriteBladeren");
}
const sprites::TFrameList& Leaves() {
    return LeafSprite().FrameList();
}
const sprites::TFrameList& Logos() {
    return CatalogueTest::Component<sprites::TSprite>("spriteLogos").FrameList();
}

void ExpectFrames(const sprites::TFrameList& list, const assetpaint::FrameTable& table) {
    ASSERT_EQ(list.Count(), static_cast<int32_t>(table.size()));
    for (int32_t i = 0; i < list.Count(); ++i) {
        const assetpaint::FrameEntry& wanted = table[static_cast<size_t>(i)];
        const sprites::TFrame& frame = list.Items(i);
        EXPECT_EQ(frame.Name(), wanted.name);
        EXPECT_EQ(frame.SourceRect(),
                  gfx::RectFromSize(wanted.x, wanted.y, wanted.width, wanted.height))
            << wanted.name;
        EXPECT_EQ(list.IndexOf(wanted.name), i) << wanted.name;
    }
    EXPECT_EQ(list.Image().Width(), assetpaint::StripWidth(table));
    EXPECT_EQ(list.Image().Height(), assetpaint::StripHeight(table));
}

TEST_F(CatalogueTest, FrameListsHoldTheGeneratorsFrames) {
    ExpectFrames(Leaves(), assetpaint::LeafFrameTable());
    ExpectFrames(Logos(), assetpaint::LogoFrameTable());
}

// Loading prepared each frame for its list's colour: the mask marks exactly those pixels
// (mask bit 1, white), which the picture holds in black.
TEST_F(CatalogueTest, MasksMarkThePixelsOfTheTransparentColourWhichLoadingTurnedBlack) {
    EXPECT_EQ(Logos().TransparentColor(), framework::clBlack);
    EXPECT_EQ(Leaves().TransparentColor(), 0x00FF0000u);
    const gfx::Bitmap& strip = Leaves().Image();
    EXPECT_EQ(CountPixels(strip, {0, 0, strip.Width(), strip.Height()}, gfx::MakePixel(0, 0, 255)),
              0u);
    for (const sprites::TFrameList* list : {&Leaves(), &Logos()}) {
        for (int32_t i = 0; i < list->Count(); ++i) {
            const sprites::TFrame& frame = list->Items(i);
            const gfx::Rect r = frame.SourceRect();
            const size_t marked = CountPixels(list->Mask(), r, gfx::kWhite);
            EXPECT_LT(marked, size_t(r.Width() * r.Height())) << frame.Name();
            EXPECT_GE(CountPixels(list->Image(), r, gfx::kBlack), marked) << frame.Name();
            if (list == &Leaves()) {
                EXPECT_GT(marked, 0u) << "the blue surround of " << frame.Name();
            }
        }
    }
}

// Every step shows its leaf's frame and moves as the generator says.
TEST_F(CatalogueTest, WindSequencesAreTheGenerators) {
    sprites::TSequenceList& list = LeafSprite().SequenceList();
    ASSERT_EQ(list.Count(), 5);
    const base::Real48 tenth = base::Real48::FromDouble(assetgen::kWindStepTime);
    for (int32_t i = 0; i < 5; ++i) {
        const assetgen::WindSequence& wanted = assetgen::WindSequences()[size_t(i)];
        const sprites::TSequence& sequence = list.Items(i);
        EXPECT_EQ(sequence.Name(), assetgen::WindSequenceName(wanted));
        ASSERT_EQ(sequence.Count(), assetgen::kWindSteps);
        for (int step = 0; step < assetgen::kWindSteps; ++step) {
            const sprites::TFrameRef& ref = sequence.Items(step);
            const int32_t frameIndex = (wanted.leaf - 1) * 16 + assetgen::StripPositionOfStep(step);
            const std::string where = sequence.Name() + " step " + std::to_string(step);
            EXPECT_EQ(ref.FrameIndex(), frameIndex) << where;
            EXPECT_EQ(ref.FrameName(), Leaves().Items(frameIndex).Name()) << where;
            EXPECT_EQ(ref.DX(), wanted.moves[size_t(step)].dx) << where;
            EXPECT_EQ(ref.DY(), wanted.moves[size_t(step)].dy) << where;
            EXPECT_EQ(ref.DZ(), 0) << where;
            EXPECT_EQ(ref.Time(), tenth) << where;
        }
    }
    EXPECT_EQ(Component<sprites::TSprite>("spriteLogos").SequenceList().Count(), 0);
}

// The embedded files come from another process, run by the build: runs here give their bytes.
TEST(Generator, RunsAgainGiveTheEmbeddedBytes) {
    const assetgen::AssetFiles first = assetgen::GenerateAssets(false);
    EXPECT_TRUE(first == assetgen::GenerateAssets(false));
    const auto same = [](const std::vector<uint8_t>& a, std::span<const uint8_t> b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    };
    EXPECT_TRUE(same(first.at(assetgen::kMainFormFile), MainFormDescription()));
    EXPECT_TRUE(same(first.at(assetgen::kAboutFormFile), AboutFormDescription()));
    EXPECT_EQ(first.count("leaf5.ico"), 1u);
    EXPECT_EQ(first.count("docs/assets-leafstrip.png"), 0u);
}

// The icons reach the program as the backends take them: black where the mask is white.
TEST(Generator, IconsAreBlackWhereTheirMaskIsWhiteAndTheLeavesDiffer) {
    const std::vector<platform::Icon> icons = ProgramIcons();
    ASSERT_EQ(icons.size(), size_t(kProgramIconCount));
    for (size_t i = 0; i < icons.size(); ++i) {
        const platform::Icon& icon = icons[i];
        ASSERT_EQ(icon.image.Width(), 32);
        ASSERT_EQ(icon.image.Height(), 32);
        ASSERT_TRUE(icon.mask.Monochrome());
        size_t transparent = 0;
        for (int32_t p = 0; p < 32 * 32; ++p) {
            if (icon.mask.GetPixel(p % 32, p / 32) == gfx::kWhite) {
                ++transparent;
                EXPECT_EQ(icon.image.GetPixel(p % 32, p / 32), gfx::kBlack) << i << " at " << p;
            }
        }
        EXPECT_GT(transparent, 0u) << i;
        EXPECT_LT(transparent, 32u * 32u - 128u) << "icon " << i << " shows too little";
        for (size_t other = 1; other < i; ++other) {
            bool differ = false;
            for (int32_t p = 0; p < 32 * 32 && !differ; ++p) {
                differ = icon.image.GetPixel(p % 32, p / 32) !=
                         icons[other].image.GetPixel(p % 32, p / 32);
            }
            EXPECT_TRUE(differ) << "leaf icons " << other << " and " << i << " are the same";
        }
    }
}

}  // namespace
}  // namespace assets::testing
