// Messages to other programs' windows: the companion program answers message 1127.
#include "X11TestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

namespace platform::x11::testing {
namespace {

constexpr UINT kStartQuery = WM_USER + 103;

// The companion program started with one argument; its output is read line by line.
class Companion {
  public:
    Companion(const std::string& display, const std::string& argument) {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            setenv("DISPLAY", display.c_str(), 1);
            execl(VA_X11_COMPANION, VA_X11_COMPANION, argument.c_str(), nullptr);
            _exit(127);
        }
        close(fds[1]);
        out_ = fds[0];
    }
    Companion(const Companion&) = delete;
    Companion& operator=(const Companion&) = delete;
    ~Companion() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) {
            close(out_);
        }
    }

    // The next line of its output, or empty after the time is up.
    std::string ReadLine(int timeoutMs = 5000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (buffer_.find('\n') == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            pollfd readable{out_, POLLIN, 0};
            if (poll(&readable, 1, 50) > 0) {
                char chunk[128];
                ssize_t count = read(out_, chunk, sizeof chunk);
                if (count <= 0) {
                    break;
                }
                buffer_.append(chunk, static_cast<size_t>(count));
            }
        }
        size_t end = buffer_.find('\n');
        if (end == std::string::npos) {
            return {};
        }
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return line;
    }

    // The exit code, or -1 if it has not ended within the time.
    int WaitForExit(int timeoutMs) {
        for (int waited = 0; waited <= timeoutMs; waited += 10) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            usleep(10000);
        }
        return -1;
    }

    void Terminate() { kill(pid_, SIGTERM); }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    bool exited_ = false;
    std::string buffer_;
};

class X11ForeignTest : public X11Fixture {
  protected:
    void SetUp() override {
        X11Fixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        X11Options options;
        options.sendTimeoutMs = 300;
        backend_ = MakeBackend(options);
    }
    void TearDown() override {
        backend_.reset();
        X11Fixture::TearDown();
    }

    std::unique_ptr<X11Backend> backend_;
};

class X11CompanionAnswerTest : public X11ForeignTest,
                               public ::testing::WithParamInterface<int32_t> {};

TEST_P(X11CompanionAnswerTest, TheCompanionIsFoundAndAnswersWithItsNumber) {
    Companion companion(DisplayName(), std::to_string(GetParam()));
    ASSERT_EQ(companion.ReadLine().rfind("ready 0x", 0), 0u);
    HWND hwnd = FindWindowA("TfrmStartScreensaver", "StartScreensaver");
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(SendMessageA(hwnd, kStartQuery, 0, 0), GetParam());
    EXPECT_EQ(companion.ReadLine(), "message 1127 0 0");
    companion.Terminate();
    EXPECT_EQ(companion.WaitForExit(3000), 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, X11CompanionAnswerTest, ::testing::Values(0, 1, -5));

TEST_F(X11ForeignTest, SigtermEndsTheProgramAtOnceWithExitCodeZero) {
    Companion companion(DisplayName(), "0");
    ASSERT_FALSE(companion.ReadLine().empty());
    auto start = std::chrono::steady_clock::now();
    companion.Terminate();
    EXPECT_EQ(companion.WaitForExit(2000), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST_F(X11ForeignTest, AWindowThatNeverAnswersGivesZeroAfterTheTimeout) {
    ::Window silent = MakeForeignWindow(gfx::RectFromSize(0, 0, 10, 10), "TfrmStartScreensaver",
                                        "StartScreensaver", false);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageA(static_cast<HWND>(silent), kStartQuery, 0, 0), 0);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(290));
    EXPECT_LT(elapsed, std::chrono::milliseconds(2000));
    // The request did reach the window, in the documented form.
    XEvent event{};
    ASSERT_TRUE(XCheckTypedWindowEvent(Raw(), silent, ClientMessage, &event) != 0 || [&] {
        XSync(Raw(), 0);
        return XCheckTypedWindowEvent(Raw(), silent, ClientMessage, &event) != 0;
    }());
    EXPECT_EQ(event.xclient.message_type, XInternAtom(Raw(), "_VELLAMOR_MESSAGE", 0));
    EXPECT_EQ(event.xclient.data.l[0], 1127);
    EXPECT_NE(event.xclient.data.l[3], 0);  // where the answer would go
}

TEST_F(X11ForeignTest, SigtermEndsTheWaitForAnAnswer) {
    ::Window silent = MakeForeignWindow(gfx::RectFromSize(0, 0, 10, 10), "Silent", "Silent", false);
    X11Options options;
    options.sendTimeoutMs = 5000;
    backend_.reset();
    backend_ = MakeBackend(options);
    std::raise(SIGTERM);  // already pending when the wait starts
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageA(static_cast<HWND>(silent), kStartQuery, 0, 0), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    MSG msg;
    EXPECT_FALSE(GetMessageA(msg));
}

TEST_F(X11ForeignTest, AWindowThatIsGoneGivesZeroAtOnce) {
    ::Window gone = MakeForeignWindow(gfx::RectFromSize(0, 0, 10, 10), "Gone", "Gone", false);
    XDestroyWindow(Raw(), gone);
    XSync(Raw(), 0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageA(static_cast<HWND>(gone), kStartQuery, 0, 0), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_FALSE(PostMessageA(static_cast<HWND>(gone), WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(0, kStartQuery, 0, 0), 0);
}

TEST_F(X11ForeignTest, TheCompanionRefusesAnAnswerThatIsNotANumber) {
    Companion companion(DisplayName(), "one");
    EXPECT_EQ(companion.WaitForExit(3000), 2);
}

}  // namespace
}  // namespace platform::x11::testing
