#pragma once
// A form for loading stored descriptions in tests: it defines a handler under every name the
// main window's description binds, each of which only notes its own name when called, and
// reads the description given to it through the sprite toolkit's registry.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/Form.h"

namespace assets::testing {

class TfrmTest : public framework::TForm {
  public:
    TfrmTest(framework::TComponent* owner, std::span<const uint8_t> description);

    // The names of the handlers called so far, in call order.
    std::vector<std::string> calls;
};

}  // namespace assets::testing
