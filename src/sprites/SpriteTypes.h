#pragma once
// The sprite's hit-test kinds and event types. Var parameters are references: a handler's
// change is seen by the sprite that called it.

#include <cstdint>
#include <functional>

namespace sprites {

class TSprite;

enum class THitTest : uint8_t { htNone, htRect, htPixel };

using TOnMoveEvent = std::function<void(TSprite& Sender, int32_t& X, int32_t& Y)>;
using TOnMove3DEvent = std::function<void(TSprite& Sender, int32_t& X, int32_t& Y, int32_t& Z)>;
using TOnFinishSequence = std::function<void(TSprite& Sender, int32_t& RepeatCount)>;
using TOnHitEvent = std::function<void(TSprite& Sender, TSprite& HitWhom)>;

}  // namespace sprites
