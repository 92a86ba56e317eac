#pragma once
// TImage: a windowless control that shows a picture at its top-left corner, cut to its size.

#include <string>

#include "framework/Control.h"
#include "framework/Picture.h"

namespace framework {

class TImage : public TControl {
  public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }
    // Copies the picture's graphic (see TPicture::Assign).
    void SetPicture(const TPicture& picture) { picture_.Assign(picture); }
    // With AutoSize the control takes the size of its picture's graphic.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    void Paint() override;

    std::string ClassName() const override { return "TImage"; }

  private:
    void PictureChanged();

    TPicture picture_;
    bool autoSize_ = false;
};

}  // namespace framework
