// TFrameList::ReadData on hostile input: the whole input is one stored "Data" property. A
// rejection is a base::Exception; anything else (a crash, a sanitizer report, another
// exception) is a finding. A list that reads must be usable: its frames plot, the colour can
// change, it copies, a frame can be taken out of the strips, and what it writes reads back
// and writes again to the same bytes.

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "base/Exceptions.h"
#include "base/MemoryStream.h"
#include "gfx/Bitmap.h"
#include "sprites/FrameList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using sprites::TFrameList;

// Enough frames to reach every kind of rectangle without making big inputs slow.
constexpr int32_t kFramesExercised = 8;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<uint8_t> Written(TFrameList& list) {
    base::MemoryStream out;
    list.WriteData(out);
    return out.Bytes();
}

// Plots the first frames on a small canvas in every way a sprite does: clipped, mirrored,
// scaled, through the mask and opaque.
void PlotFrames(const TFrameList& list) {
    gfx::Bitmap target(48, 40);
    for (int32_t i = 0; i < list.Count() && i < kFramesExercised; ++i) {
        const sprites::TFrame& frame = list.Items(i);
        frame.Plot(target.GetCanvas(), -3, 5, true);
        frame.Plot(target.GetCanvas(), 7, -2, false);
        frame.PlotEx(target.GetCanvas(), 30, 20, true, true, true, 0.5);
    }
}

// Written, read into a fresh list and written again: the same bytes. The writer stores the
// strip of an empty list too, which the reader leaves unread.
void CheckRoundTrip(TFrameList& list) {
    const std::vector<uint8_t> first = Written(list);
    TFrameList again(list.TransparentColor());
    base::MemoryStream in(first);
    again.ReadData(in);
    Check(in.Remaining() == (list.Count() == 0 ? first.size() - 2 : 0));
    Check(again.Count() == list.Count());
    Check(Written(again) == first);
}

// Taking a frame out outside Clear narrows both strips by its width.
void CheckRemoval(TFrameList& list) {
    if (list.Count() == 0) {
        return;
    }
    const int32_t index = list.Count() / 2;
    const int32_t width = list.Items(index).Width();
    const int32_t before = list.Image().Width();
    list.Delete(index);
    const int32_t expected = width > 0 ? std::max(0, before - width) : before;
    Check(list.Image().Width() == expected);
    Check(list.Mask().Width() == expected);
}

void Exercise(TFrameList& list, size_t consumed) {
    Check(list.Count() > 0 || consumed == 2);  // an empty list reads only its count
    for (int32_t i = 0; i < list.Count(); ++i) {
        Check(list.Items(i).FrameList() == &list);
        Check(list.IndexOf(list.Items(i).Name()) <= i);
    }
    Check(list.Mask().Width() == list.Image().Width());
    PlotFrames(list);
    list.SetTransparentColor(framework::clBlue);
    PlotFrames(list);
    CheckRoundTrip(list);
    TFrameList copy;
    copy.Assign(list);
    Check(copy.Count() == list.Count());
    CheckRemoval(copy);
}

#ifdef VA_FUZZ_SKIP_LARGE_FRAMES
// Every frame record read grows the scratch bitmap to (2 Width - 1) x (2 Height - 1) before
// the strip is read, so one record alone can ask for most of a gigabyte (kept in the corpus
// as a regression file). The fuzzer skips such inputs to keep its pace; the replay runs them.
bool DeclaresLargeFrame(const uint8_t* data, size_t size) {
    constexpr size_t kRecord = 90;
    constexpr size_t kWidthAt = 86;  // test byte, name (81 bytes), X, Y, then Width and Height
    constexpr int16_t kLargest = 1024;
    auto i16 = [&](size_t at) { return static_cast<int16_t>(data[at] | (data[at + 1] << 8)); };
    if (size < 2) {
        return false;
    }
    const int16_t count = i16(0);
    for (size_t i = 0; static_cast<int64_t>(i) < count && 2 + (i + 1) * kRecord <= size; ++i) {
        const size_t record = 2 + i * kRecord;
        if (i16(record + kWidthAt) > kLargest || i16(record + kWidthAt + 2) > kLargest) {
            return true;
        }
    }
    return false;
}
#endif

}  // namespace

// Only the read may fail: an exception from the exercise of a list that read is a finding.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
#ifdef VA_FUZZ_SKIP_LARGE_FRAMES
    if (DeclaresLargeFrame(data, size)) {
        return 0;
    }
#endif
    TFrameList list(framework::clBlack);
    base::MemoryStream stream(std::span<const uint8_t>(data, size));
    try {
        list.ReadData(stream);
    } catch (const base::Exception&) {
        PlotFrames(list);  // the frames read before the failure stay and must be harmless
        return 0;          // an expected rejection of a damaged property
    }
    Exercise(list, stream.Position());
    return 0;
}
