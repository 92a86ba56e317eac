// Benchmark 4: presenting a 220 x 215 rectangle and the whole 1920 x 1080 surface on each
// backend, and presenting against recomposing the same rectangle (benchmark 2's area).
//   headless: the copy into the window's surface through the form's canvas (which records the
//     present); CPU time.
//   X11 on a private Xvfb, with MIT-SHM and with plain XPutImage: PresentRect (with MIT-SHM the
//     put request for the surface's own shared pixels; plain, the copy into the window's X
//     image and the put, which carries the pixels), then either the flush the message loop makes
//     once per turn, or a sync that waits for the server's answer after each present. The cost
//     is this process' CPU time plus the server's (its scheduler count), so the server's share
//     of the work is in it and waiting for it is not.
// Presenting a rectangle should cost at most half of recomposing it.

#include <cstdio>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "Figures.h"
#include "ProcessCpu.h"
#include "RedrawStage.h"
#include "gfx/Raster.h"
#include "platform/Backend.h"

#ifdef VA_BENCH_X11
#include "X11PresentRig.h"
#include "XvfbServer.h"
#include "base/Exceptions.h"
#endif

namespace bench {

namespace {

constexpr int32_t kScreenWidth = 1920;
constexpr int32_t kScreenHeight = 1080;
constexpr size_t kScreenBytes = size_t{kScreenWidth} * kScreenHeight * 4;
constexpr double kPresentShare = 0.5;  // of recomposing the same rectangle
constexpr const char* kRecompose = "recompose/220x215_8_leaves";

struct Area {
    const char* name;
    size_t bytes;
};

struct PresentStage {
    PresentStage() {
        gfx::BitBlt(scratch.GetCanvas(), 0, 0, scratch.Width(), scratch.Height(),
                    &stage.Rig().Form().Canvas(), stage.Area().left, stage.Area().top,
                    gfx::Rop::SrcCopy);
        screen.Fill(0x00305070);
    }

    gfx::Rect AreaOf(const Area& area) const {
        return area.bytes == kScreenBytes ? gfx::Rect{0, 0, kScreenWidth, kScreenHeight}
                                          : stage.Area();
    }

    RedrawStage stage;  // installs the headless backend first: it goes last
    gfx::Bitmap scratch{RedrawStage::kAreaWidth, RedrawStage::kAreaHeight};
    gfx::Bitmap screen{kScreenWidth, kScreenHeight};
#ifdef VA_BENCH_X11
    std::unique_ptr<platform::x11::testing::XvfbServer> server;
    std::unique_ptr<ProcessCpuClock> serverClock;
    std::unique_ptr<X11PresentRig> shmRig;
    std::unique_ptr<X11PresentRig> plainRig;
#endif
};

const Area kAreas[] = {{"220x215", RedrawStage::kAreaBytes}, {"1920x1080", kScreenBytes}};

void RegisterRecompose(PresentStage* p) {
    Register({kRecompose, RedrawStage::kAreaBytes, 0, "benchmark 2's redraw"}, [p] {
        platform::ScopedBackend headless(p->stage.Rig().Backend());
        p->stage.Redraw();
    });
}

void RegisterHeadless(PresentStage* p) {
    for (const Area& area : kAreas) {
        const std::string name = std::string("present/headless/") + area.name;
        Register({name, area.bytes, 0, "copy into the surface"}, [p, &area] {
            platform::ScopedBackend headless(p->stage.Rig().Backend());
            const gfx::Rect r = p->AreaOf(area);
            const gfx::Bitmap& from = area.bytes == kScreenBytes ? p->screen : p->scratch;
            p->stage.Rig().Form().Canvas().BitBlt(r.left, r.top, r.Width(), r.Height(),
                                                  &from.GetCanvas(), 0, 0, gfx::Rop::SrcCopy);
            p->stage.Rig().Backend().ClearPresented();
        });
        if (area.bytes == RedrawStage::kAreaBytes) {
            CompareCases(name, kRecompose, kPresentShare);
        }
    }
}

#ifdef VA_BENCH_X11
// One present, flushed or synced: this process' CPU time plus the server's. Flushed presents
// are pipelined: the server's time counted at one present is partly its work on the ones
// before, which adds up to the right total over the run.
double PresentCost(X11PresentRig& rig, const ProcessCpuClock& server, const gfx::Rect& r,
                   Delivery delivery) {
    rig.Activate();
    const double serverBefore = server.Seconds();
    const double ownBefore = OwnCpuSeconds();
    rig.Present(r, delivery);
    const double own = OwnCpuSeconds() - ownBefore;
    return own + (server.Seconds() - serverBefore);
}

void RegisterX11Rig(PresentStage* p, X11PresentRig* rig, const std::string& kind) {
    const std::string request = rig->UsesShm() ? "XShmPutImage" : "XPutImage";
    for (const Delivery delivery : {Delivery::Flush, Delivery::Sync}) {
        const char* how = delivery == Delivery::Sync ? "sync" : "flush";
        for (const Area& area : kAreas) {
            const std::string name = "present/x11_" + kind + "_" + how + "/" + area.name;
            const gfx::Rect r = p->AreaOf(area);
            RegisterSelfTimed(
                {name, area.bytes, 0, request + " + " + how + ", own + server CPU"},
                [p, rig, r, delivery] { return PresentCost(*rig, *p->serverClock, r, delivery); });
            if (area.bytes == RedrawStage::kAreaBytes) {
                CompareCases(name, kRecompose, kPresentShare);
            }
        }
    }
}

// One pixel presented the same way: what a request costs whatever it carries, the share of a
// present that no saving on pixels takes away (no ratio: it carries no bytes to speak of).
void RegisterX11RequestCost(PresentStage* p, X11PresentRig* rig) {
    const gfx::Rect pixel{0, 0, 1, 1};
    RegisterSelfTimed(
        {"present/x11_shm_flush/1x1", 0, 0, "one pixel: a request's own cost, own + server CPU"},
        [p, rig, pixel] { return PresentCost(*rig, *p->serverClock, pixel, Delivery::Flush); });
}

void RegisterX11(PresentStage* p) {
    if (!platform::x11::testing::XvfbServer::Find()) {
        std::printf("bench_present: Xvfb is not installed: the X11 cases are skipped\n");
        return;
    }
    try {
        p->server =
            std::make_unique<platform::x11::testing::XvfbServer>(kScreenWidth, kScreenHeight);
        const std::string& display = p->server->DisplayName();
        p->shmRig = std::make_unique<X11PresentRig>(display, true, kScreenWidth, kScreenHeight);
        p->plainRig = std::make_unique<X11PresentRig>(display, false, kScreenWidth, kScreenHeight);
    } catch (const base::Exception& error) {
        std::printf("bench_present: no X server (%s): the X11 cases are skipped\n", error.what());
        p->plainRig.reset();
        p->shmRig.reset();
        return;
    }
    p->serverClock = std::make_unique<ProcessCpuClock>(p->shmRig->ServerPid());
    if (!p->serverClock->Readable()) {
        std::printf(
            "bench_present: the X server's CPU time cannot be read: the X11 cases "
            "count this process' CPU time only\n");
    }
    if (!p->shmRig->UsesShm()) {
        std::printf("bench_present: the server refused MIT-SHM: the shm cases use XPutImage\n");
    }
    RegisterX11Rig(p, p->shmRig.get(), "shm");
    RegisterX11RequestCost(p, p->shmRig.get());
    RegisterX11Rig(p, p->plainRig.get(), "plain");
}
#endif

}  // namespace

void RegisterBenchmarks(FixtureStore& store) {
    PresentStage* p = &store.Make<PresentStage>();
    RegisterRecompose(p);
    RegisterHeadless(p);
#ifdef VA_BENCH_X11
    RegisterX11(p);
#else
    std::printf("bench_present: built without the X11 backend: the X11 cases are left out\n");
#endif
}

}  // namespace bench
