#pragma once
// The render tool's command line.

#include <cstdint>
#include <string>
#include <vector>

namespace render {

struct RenderOptions {
    int32_t width = 1024;
    int32_t height = 768;
    uint64_t saverMilliseconds = 0;     // 0: until `cycles` full cycles are done
    int cycles = 1;                     // cover, reveal, cover again
    std::vector<uint64_t> snapshotsAt;  // moments in saver time; empty: at every phase change
    uint64_t every = 0;                 // also a snapshot every this many ms (0: none)
    std::string desktop;                // a BMP file, whose size the screen takes; empty: built in
    std::string outDir = "out/render";
    uint32_t seed = 20261206;
    bool progress = true;
};

// Fails with base::Exception naming the bad argument; --help is answered by the caller.
RenderOptions ParseRenderOptions(const std::vector<std::string>& arguments);
std::string RenderUsage();

}  // namespace render
