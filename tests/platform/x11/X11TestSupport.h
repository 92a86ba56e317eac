#pragma once
// The fixture of the X11 tests: one Xvfb per test suite (skipped with a message when Xvfb is
// missing), the backend under test, and a second connection of the test's own that stands for
// another program: it makes foreign windows, sends input to windows and checks what the
// server holds.

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "XvfbServer.h"
#include "base/Exceptions.h"
#include "platform/x11/X11Backend.h"
#include "platform/x11/XHeaders.h"

namespace platform::x11::testing {

// An Xvfb with a screen of the given size, or nullptr with the reason to skip in `failure`
// when Xvfb is not installed; one that does not start throws, and its tests fail.
std::unique_ptr<XvfbServer> StartXvfb(int width, int height, std::string& failure);

class X11Fixture : public ::testing::Test {
  public:
    // Runs the backend's messages until the condition holds or the time is up.
    static bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000);

  protected:
    static void StartServer(int width, int height) { server_ = StartXvfb(width, height, failure_); }
    static void SetUpTestSuite() { StartServer(640, 480); }
    static void TearDownTestSuite() { server_.reset(); }

    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<X11Backend> MakeBackend(X11Options options = {});
    static std::string DisplayName() { return server_->DisplayName(); }
    Display* Raw() const { return raw_; }

    // A window of the test's own connection, child of the root unless a parent is given.
    ::Window MakeForeignWindow(const gfx::Rect& bounds, const char* className, const char* title,
                               bool map, ::Window parent = 0);
    void FillForeignWindow(::Window window, gfx::Pixel colour);
    void SendKey(::Window window, unsigned long keySym, unsigned int state = 0);
    void SendKeyRelease(::Window window, unsigned long keySym, unsigned int state = 0);
    void SendButton(::Window window, unsigned int button, int x, int y);
    // The button let go; the state says it was down, as the server's own release does.
    void SendRelease(::Window window, unsigned int button, int x, int y);
    void SendMotion(::Window window, int x, int y);
    // Another program's request of the message to the window, without a reply wanted.
    void SendRequest(::Window window, UINT message);
    // Sends the event from the test's connection, once the server has done what the backend
    // sent it so far (its windows and the input they select).
    void Deliver(::Window window, XEvent& event, long mask);
    // Waits until the server has done what the backend sent it.
    static void SyncBackend();
    // Takes one message (a turn of the loop flushes what was presented) and waits for the
    // server.
    static void Flush();
    // Fills the program's window with one colour, presents all of it and flushes.
    static void PresentFilled(HWND hwnd, gfx::Pixel colour);

    // The server's view through the test's connection.
    XWindowAttributes Attributes(::Window window);
    ::Window ParentOf(::Window window) { return Tree(window).first; }
    std::vector<::Window> ChildrenOf(::Window window) {  // in stacking order, bottom first
        return Tree(window).second;
    }
    std::string RawProperty(::Window window, const char* name);  // its bytes, "" when unset
    // kNoPixel when unreadable; without the sync the server may not have the backend's latest.
    gfx::Pixel RawPixel(::Window window, int x, int y, bool syncBackend = true);
    // Whether another program could grab the keyboard now (it is let go again at once).
    int GrabKeyboard();

  private:
    std::pair<::Window, std::vector<::Window>> Tree(::Window window);

    static std::unique_ptr<XvfbServer> server_;
    static std::string failure_;
    Display* raw_ = nullptr;
};

// What the windows of the logging class got.
struct MessageLog {
    std::vector<MSG> messages;
    int Count(UINT message) const;
    const MSG* Last(UINT message) const;
};

// A fixture with the backend under test made for each test (with Options()) and a window class
// of the given name registered whose procedure logs what it gets.
class X11BackendTest : public X11Fixture {
  protected:
    explicit X11BackendTest(std::string className = "TestWindow")
        : className_(std::move(className)) {}
    void SetUp() override;
    void TearDown() override;
    virtual X11Options Options() { return {}; }
    // The saver's window of the registered class: top-most, covering the screen, shown, and
    // painted once.
    HWND ShowSaver();

    std::string className_;
    MessageLog log_;
    std::unique_ptr<X11Backend> backend_;
};

}  // namespace platform::x11::testing
