// render: the saver made visible without a display. It runs the real saver on the headless
// platform with the virtual clock and writes PNG snapshots and a contact sheet of them.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ContactSheet.h"
#include "Progress.h"
#include "RenderOptions.h"
#include "SaverRender.h"
#include "gfx/Png.h"

namespace {

std::string SnapshotName(size_t index, const render::Snapshot& shot) {
    char name[64];
    std::snprintf(name, sizeof name, "shot-%02zu-%06llus.png", index,
                  static_cast<unsigned long long>(shot.at / 1000));
    return name;
}

void WriteSnapshots(const render::RenderOptions& options,
                    const std::vector<render::Snapshot>& snapshots) {
    std::filesystem::create_directories(options.outDir);
    std::vector<gfx::Bitmap> pictures;
    for (size_t i = 0; i < snapshots.size(); ++i) {
        const std::string path = options.outDir + "/" + SnapshotName(i, snapshots[i]);
        gfx::WritePng(snapshots[i].picture, path);
        std::printf("%s  (%llu s, %s)\n", path.c_str(),
                    static_cast<unsigned long long>(snapshots[i].at / 1000),
                    snapshots[i].label.c_str());
        pictures.push_back(snapshots[i].picture);
    }
    const std::string sheet = options.outDir + "/contact-sheet.png";
    gfx::WritePng(render::MakeContactSheet(pictures, 320, 4), sheet);
    std::printf("%s\n", sheet.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(render::RenderUsage().c_str(), stdout);
        return 0;
    }
    try {
        const render::RenderOptions options = render::ParseRenderOptions(arguments);
        render::SaverRender saver(options);
        render::ProgressBar bar(options.progress);
        saver.Run([&](double fraction, const std::string& text) { bar.Show(fraction, text); });
        bar.Finish();
        WriteSnapshots(options, saver.Snapshots());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n%s", error.what(), render::RenderUsage().c_str());
        return 2;
    }
    return 0;
}
