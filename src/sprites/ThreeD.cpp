#include "sprites/ThreeD.h"

namespace sprites {
namespace {

// The low 32 bits of value, as 32-bit signed arithmetic leaves them.
int32_t Wrap32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// dis + ((value - dis) * factor) div divisor, in wrapping 32-bit arithmetic.
int32_t ProjectAxis(int32_t value, int32_t dis, int32_t factor, int32_t divisor) {
    const int32_t offset = Wrap32(int64_t{value} - dis);
    const int32_t product = Wrap32(int64_t{offset} * factor);
    const int32_t quotient = Wrap32(int64_t{product} / divisor);
    return Wrap32(int64_t{dis} + quotient);
}

}  // namespace

bool TThreeD::Project(int32_t x, int32_t y, int32_t z, TProjection& result) const {
    const int32_t divisor = Wrap32(int64_t{zDis_} + z);
    if (divisor == 0) {
        return false;
    }
    result.x = ProjectAxis(x, xDis_, diaF_, divisor);
    result.y = ProjectAxis(y, yDis_, diaF_, divisor);
    result.scale = static_cast<double>(diaF_) / static_cast<double>(divisor);
    return true;
}

void TThreeD::Assign(const framework::TPersistent& source) {
    const auto* other = dynamic_cast<const TThreeD*>(&source);
    if (other == nullptr) {
        AssignError(source);
    }
    enabled_ = other->enabled_;
    xDis_ = other->xDis_;
    yDis_ = other->yDis_;
    zDis_ = other->zDis_;
    diaF_ = other->diaF_;
}

}  // namespace sprites
