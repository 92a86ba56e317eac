#pragma once
// TSpriteBox: the stage on which sprites move. An image control whose picture is the clean
// background; it keeps the sprites registered with it (not owned) ordered by descending Z, the
// deepest first, and recomposes any rectangle of the screen from background and sprites in
// the scratch bitmap before putting it on its form in one copy. With ThreeD enabled a sprite's
// depth scales it and pulls it towards the vanishing point.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/Canvas.h"
#include "framework/Image.h"
#include "gfx/Rect.h"
#include "sprites/LayerCovers.h"
#include "sprites/ThreeD.h"
#include "sprites/VSprite.h"

namespace sprites {

class TSpriteBox : public framework::TImage {
  public:
    explicit TSpriteBox(framework::TComponent* owner);
    // Leaves every sprite still registered (last to first) with no sprite box.
    ~TSpriteBox() override;

    TThreeD& ThreeD() { return threeD_; }
    const TThreeD& ThreeD() const { return threeD_; }

    // The registered sprites in drawing order; Sprites fails with EListError outside
    // 0 .. SpriteCount() - 1.
    TVSprite* Sprites(int32_t index) const;
    int32_t SpriteCount() const { return static_cast<int32_t>(sprites_.size()); }
    // Registration, called by a sprite's SpriteBox setter; neither redraws.
    void AddSprite(TVSprite& sprite);
    void RemoveSprite(TVSprite& sprite);
    // Moves a registered sprite to its place after its Z changed.
    void ResortSprite(TVSprite& sprite);
    // Counts the changes of the list (registrations and re-sorts), so that a walk over it can
    // tell whether a handler it called changed it.
    uint64_t ListChanges() const { return listChanges_; }

    // Recomposes r on the screen: background, then every visible sprite that meets it, deepest
    // first. z is the depth r was seen at, for the projection; kScreenZ means screen
    // coordinates. A projected area at a depth with no image (ZDis + z = 0) is skipped.
    virtual void RedrawArea(const gfx::Rect& r, int32_t z);
    // The picture, then every visible sprite, confined to the box.
    void Paint() override;

    // The canvas of the form the box is placed on, or null.
    framework::TCanvas* FormCanvas() const;
    // Confine the form canvas to the box and restore it. Pairs nest: only the outermost
    // BeginClip clips and only its matching EndClip restores; an unmatched EndClip does nothing.
    void BeginClip();
    void EndClip();

    std::string ClassName() const override { return "TSpriteBox"; }

  private:
    int SortStep(size_t index) const;
    void SortFrom(size_t index);
    std::optional<gfx::Rect> ProjectedArea(const gfx::Rect& r, int32_t z) const;
    // Where a sprite is drawn on the stage and at what scale; nullopt when it is not drawn.
    std::optional<TProjection> Placement(const TVSprite& sprite) const;
    void ComposeBackground(gfx::Bitmap& scratch, const gfx::Rect& area);
    void ComposeLayers(gfx::Bitmap& scratch, const gfx::Rect& area);
    void ComposeProjected(gfx::Bitmap& scratch, const gfx::Rect& area);

    int clipDepth_ = 0;  // BeginClip calls not yet matched by EndClip
    std::optional<gfx::Rect> savedClip_;
    TThreeD threeD_;
    std::vector<TVSprite*> sprites_;
    uint64_t listChanges_ = 0;
    // ComposeLayers' working lists, kept from area to area.
    std::vector<Layer> layers_;
    LayerCovers covers_;
};

}  // namespace sprites
