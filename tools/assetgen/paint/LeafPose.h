#pragma once
// How a tumbling leaf is seen in one frame: turned in the picture plane and foreshortened
// across a tilt axis; a negative tilt shows the back of the leaf.

#include <cstdint>

#include "Geometry.h"
#include "LeafKinds.h"

namespace assetpaint {

struct LeafPose {
    float spin = 0.0F;  // turn in the picture plane, radians
    float tilt = 1.0F;  // foreshortening factor across the tilt axis, -1 .. 1
    float axis = 0.0F;  // direction of the tilt axis in leaf space, radians

    bool ShowsBack() const { return tilt < 0.0F; }
    // The linear map from leaf space to the picture, before fitting to a frame.
    Affine View() const;
};

// The pose of a leaf at moment 0..15 of its 1.6 s tumble cycle.
LeafPose TumblePose(LeafKind kind, int moment);

// Adjusts spin and tilt a little so that the leaf's outline has the frame's proportions.
LeafPose FitPoseToFrame(const LeafDrawing& drawing, const LeafPose& nominal, int32_t width,
                        int32_t height);

// The map from leaf space to pixels that makes the drawing (blade and stem) fill a width x
// height frame; keepAspect centres it undistorted instead of stretching it to the box.
Affine FitToFrame(const LeafDrawing& drawing, const LeafPose& pose, int32_t width, int32_t height,
                  bool keepAspect);

}  // namespace assetpaint
