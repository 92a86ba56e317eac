#pragma once
// TThreeD: the settings of the sprite box's optional perspective projection. A sprite at depth
// Z is drawn at scale DiaF / (ZDis + Z), its position pulled towards the vanishing point
// (XDis, YDis). All arithmetic is in 32-bit signed integers (products and sums wrap, divisions
// truncate towards zero), except the scale.

#include <cstdint>
#include <string>

#include "framework/Persistent.h"

namespace sprites {

// The Z that tells RedrawArea its rectangle is in screen coordinates already.
inline constexpr int32_t kScreenZ = -9999;

struct TProjection {
    int32_t x = 0;
    int32_t y = 0;
    double scale = 1.0;
};

class TThreeD : public framework::TPersistent {
  public:
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    int32_t XDis() const { return xDis_; }
    void SetXDis(int32_t value) { xDis_ = value; }
    int32_t YDis() const { return yDis_; }
    void SetYDis(int32_t value) { yDis_ = value; }
    int32_t ZDis() const { return zDis_; }
    void SetZDis(int32_t value) { zDis_ = value; }
    int32_t DiaF() const { return diaF_; }
    void SetDiaF(int32_t value) { diaF_ = value; }

    // Projects (x, y) at depth z. Returns false, leaving `result` alone, when ZDis + Z is 0:
    // such a point has no image, and whatever lies there is skipped.
    bool Project(int32_t x, int32_t y, int32_t z, TProjection& result) const;

    void Assign(const framework::TPersistent& source) override;
    std::string ClassName() const override { return "TThreeD"; }

  private:
    bool enabled_ = false;
    int32_t xDis_ = 0;
    int32_t yDis_ = 0;
    int32_t zDis_ = 0;
    int32_t diaF_ = 0;
};

}  // namespace sprites
