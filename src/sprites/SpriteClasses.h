#pragma once
// The sprite toolkit's kinds for form descriptions: TSprite with its published properties and
// TSpriteBox, an image with the ThreeD settings. Each stored property goes through the setter
// a program calls, in stored order, so a sprite's About is set before its SequenceList.Data is
// read and its Transparent before its FrameList.Data. A list's Data must be consumed whole,
// except that a frame list without frames reads its count and nothing after it.

#include <cstdint>
#include <span>

#include "framework/ClassRegistry.h"
#include "framework/Form.h"

namespace sprites {

void RegisterSpriteClasses(framework::TClassRegistry& registry);

// The framework's kinds and the toolkit's, registered once.
const framework::TClassRegistry& SpriteClassRegistry();

// Reads a stored description into the form with SpriteClassRegistry(), its byte blocks where
// they lie. A damaged description fails with the container's, the reader's or the toolkit's
// own exception.
void ReadSpriteForm(framework::TForm& form, std::span<const uint8_t> description);

}  // namespace sprites
