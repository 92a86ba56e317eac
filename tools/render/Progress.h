#pragma once
// A one-line progress bar on a terminal (nothing when the output is not one).

#include <cstdint>
#include <string>

namespace render {

class ProgressBar {
  public:
    explicit ProgressBar(bool enabled);
    // fraction from 0 to 1; a negative fraction shows only the text.
    void Show(double fraction, const std::string& text);
    void Finish();

  private:
    bool enabled_;
    bool shown_ = false;
};

}  // namespace render
