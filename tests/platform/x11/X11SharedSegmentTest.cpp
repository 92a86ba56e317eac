// The shared memory segments of the MIT-SHM presents: what is left of them when the program
// dies while the server has not yet attached one.
#include <signal.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "X11TestSupport.h"
#include "platform/x11/SharedSegment.h"

namespace platform::x11::testing {
namespace {

// The ids of the segments a process made, from /proc/sysvipc/shm (key, shmid, perms, size,
// cpid, ...).
std::vector<int> SegmentsMadeBy(pid_t process) {
    std::vector<int> ids;
    std::ifstream table("/proc/sysvipc/shm");
    std::string line;
    std::getline(table, line);  // the heading
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string key, perms, size;
        int id = 0;
        pid_t creator = 0;
        if (fields >> key >> id >> perms >> size >> creator && creator == process) {
            ids.push_back(id);
        }
    }
    return ids;
}

class X11SharedSegmentTest : public X11Fixture {};

// A child connects, then makes a segment while the test's connection holds the server, so it
// waits for the server's answer inside the attach; it is killed there. Its segment must go
// with it.
TEST_F(X11SharedSegmentTest, AProgramKilledWhileTheServerAttachesLeavesNoSegment) {
    if (!std::ifstream("/proc/sysvipc/shm")) {
        GTEST_SKIP() << "no /proc/sysvipc/shm to read the system's segments from";
    }
    int ready[2], go[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(go), 0);
    const std::string display = DisplayName();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Display* own = XOpenDisplay(display.c_str());
        char byte = own != nullptr ? 1 : 0;
        if (write(ready[1], &byte, 1) != 1 || read(go[0], &byte, 1) != 1 || own == nullptr) {
            _exit(2);
        }
        AttachSharedSegment(own, size_t{1} << 20);
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 1) << "the child could not connect";
    XGrabServer(Raw());
    XSync(Raw(), 0);
    ASSERT_EQ(write(go[1], &byte, 1), 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (SegmentsMadeBy(child).empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const bool made = !SegmentsMadeBy(child).empty();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // on into the wait
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XUngrabServer(Raw());
    XSync(Raw(), 0);
    for (int fd : {ready[0], ready[1], go[0], go[1]}) {
        close(fd);
    }
    EXPECT_TRUE(made) << "the child made no segment";
    const std::vector<int> left = SegmentsMadeBy(child);
    EXPECT_TRUE(left.empty()) << left.size() << " segment(s) left behind";
    for (int id : left) {
        shmctl(id, IPC_RMID, nullptr);  // not to leave the machine the leak
    }
}

}  // namespace
}  // namespace platform::x11::testing
