#include "Progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace render {

namespace {

constexpr int kBarWidth = 32;

}  // namespace

ProgressBar::ProgressBar(bool enabled) : enabled_(enabled && isatty(STDERR_FILENO) != 0) {}

void ProgressBar::Show(double fraction, const std::string& text) {
    if (!enabled_) {
        return;
    }
    std::string bar;
    if (fraction >= 0) {
        const int filled = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kBarWidth);
        bar = "[" + std::string(static_cast<size_t>(filled), '#') +
              std::string(static_cast<size_t>(kBarWidth - filled), ' ') + "] ";
    }
    std::fprintf(stderr, "\r%s%s\033[K", bar.c_str(), text.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void ProgressBar::Finish() {
    if (shown_) {
        std::fputc('\n', stderr);
    }
}

}  // namespace render
