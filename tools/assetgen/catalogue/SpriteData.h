#pragma once
// The stored Data of a sprite's two lists, written by the toolkit's own lists so that the
// sprite reads back exactly what it would write.

#include <cstdint>
#include <span>
#include <vector>

#include "WindSequences.h"
#include "framework/Color.h"
#include "paint/AssetPaint.h"

namespace assetgen {

// FrameList.Data: the table's frames over the painted strip, in a list of that transparent
// colour. A frame outside the strip or a name the list cannot hold fails with the toolkit's
// exception.
std::vector<uint8_t> StoredFrameList(const assetpaint::StripBitmap& strip,
                                     framework::TColor transparent);

// SequenceList.Data of a sprite of version "1.1e": every sequence made as "New Sequence" and
// then renamed, its steps showing the leaf's frames in step order. An empty span gives the two
// bytes of an empty list.
std::vector<uint8_t> StoredSequenceList(std::span<const WindSequence> sequences);

}  // namespace assetgen
