#include "platform/x11/SharedSegment.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include "platform/x11/Connection.h"

namespace platform::x11 {

std::optional<XShmSegmentInfo> AttachSharedSegment(Display* display, size_t bytes) {
    XShmSegmentInfo segment{};
    segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment.shmid < 0) {
        return std::nullopt;
    }
    void* address = shmat(segment.shmid, nullptr, 0);
    // Marked for removal before the server is asked to attach it (Linux lets a marked segment
    // be attached while it is attached somewhere): a program that dies while it waits for the
    // server leaves no segment behind, which only a reboot or ipcrm would take away.
    shmctl(segment.shmid, IPC_RMID, nullptr);
    if (address == reinterpret_cast<void*>(-1)) {
        return std::nullopt;
    }
    segment.shmaddr = static_cast<char*>(address);
    segment.readOnly = 0;
    bool attached = false;
    {
        ErrorTrap trap(display);
        attached = XShmAttach(display, &segment) != 0 && !trap.Failed();
    }
    if (!attached) {
        shmdt(segment.shmaddr);
        return std::nullopt;
    }
    return segment;
}

void DetachSharedSegment(Display* display, XShmSegmentInfo& segment) {
    XShmDetach(display, &segment);
    shmdt(segment.shmaddr);
    segment.shmaddr = nullptr;
}

}  // namespace platform::x11
