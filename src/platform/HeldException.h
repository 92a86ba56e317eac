#pragma once
// A failure of the program's code that happens while control is inside a loop of the
// platform's own (a message box, which goes on dispatching the program's messages): the first
// one is kept and thrown again once that loop has ended, so the loop is never torn down
// halfway; later ones, while one is kept, are dropped. The backends that run such loops share it.

#include <exception>
#include <utility>

namespace platform {

class HeldException {
  public:
    // Inside a catch block: keeps the exception being handled, unless one is kept already.
    void Hold() noexcept {
        if (!held_) {
            held_ = std::current_exception();
        }
    }
    bool Holding() const noexcept { return static_cast<bool>(held_); }
    // Throws the kept exception, if any, and keeps none.
    void RethrowIfAny() {
        if (held_) {
            std::exception_ptr held = std::exchange(held_, nullptr);
            std::rethrow_exception(held);
        }
    }

  private:
    std::exception_ptr held_;
};

}  // namespace platform
