#pragma once
// A private X server for one test program: Xvfb on a display it picks itself (-displayfd),
// with a screen of the size asked for, ended when the object goes.

#include <optional>
#include <string>

#include "ChildProcess.h"

namespace platform::x11::testing {

class XvfbServer {
  public:
    // The Xvfb program on PATH, if there is one.
    static std::optional<std::string> Find();

    // Fails with base::Exception when the server does not come up within ten seconds.
    XvfbServer(int width, int height);
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    ~XvfbServer();

    const std::string& DisplayName() const { return display_; }

  private:
    std::optional<ChildProcess> server_;
    std::string display_;
};

}  // namespace platform::x11::testing
