#pragma once
// Turns a painted 32 x 32 colour picture with its cover into the two icon forms.

#include "Icons.h"
#include "LeafRenderer.h"

namespace assetpaint {

// picture must be kIconSize square; else base::EInvalidGraphic.
IconPicture MakeIcon(const LeafPicture& picture);

// Draws source over target (both kIconSize square) where source covers, at (x, y).
void Overlay(LeafPicture& target, const LeafPicture& source, int32_t x, int32_t y);

// An empty kIconSize picture.
LeafPicture BlankIconPicture();

}  // namespace assetpaint
