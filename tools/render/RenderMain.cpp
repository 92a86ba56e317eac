// render: the saver made visible without a display. It runs the real saver on the headless
// platform with the virtual clock and writes PNG snapshots and a contact sheet of them.

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ContactSheet.h"
#include "Progress.h"
#include "RenderOptions.h"
#include "SaverRender.h"
#include "gfx/Png.h"

namespace {

constexpr int32_t kThumbnailSide = 320;
constexpr int32_t kSheetColumns = 4;
constexpr size_t kSheetThumbnails = 64;  // 16 rows: a sheet of any run stays a picture to look at

// Writes each snapshot as it is taken and keeps only the thumbnails of the contact sheet.
class SnapshotWriter {
  public:
    explicit SnapshotWriter(std::string outDir) : outDir_(std::move(outDir)) {
        std::filesystem::create_directories(outDir_);
    }

    void Write(const render::Snapshot& shot) {
        char name[64];
        std::snprintf(name, sizeof name, "shot-%02zu-%06llus.png", written_.size(),
                      static_cast<unsigned long long>(shot.at / 1000));
        const std::string path = outDir_ + "/" + name;
        gfx::WritePng(shot.picture, path);
        written_.push_back(path + "  (" + std::to_string(shot.at / 1000) + " s, " + shot.label +
                           ")");
        thumbnails_.Offer(shot.picture);
    }

    // The files, listed once the progress bar has gone, and the contact sheet.
    void Finish() const {
        for (const std::string& line : written_) {
            std::printf("%s\n", line.c_str());
        }
        const std::string sheet = outDir_ + "/contact-sheet.png";
        gfx::WritePng(render::MakeContactSheet(thumbnails_.Kept(), kSheetColumns), sheet);
        std::printf("%s\n", sheet.c_str());
    }

  private:
    std::string outDir_;
    std::vector<std::string> written_;
    render::SheetThumbnails thumbnails_{kSheetThumbnails, kThumbnailSide};
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(render::RenderUsage().c_str(), stdout);
        return 0;
    }
    try {
        const render::RenderOptions options = render::ParseRenderOptions(arguments);
        SnapshotWriter writer(options.outDir);
        render::SaverRender saver(options,
                                  [&](const render::Snapshot& shot) { writer.Write(shot); });
        render::ProgressBar bar(options.progress);
        saver.Run([&](double fraction, const std::string& text) { bar.Show(fraction, text); });
        bar.Finish();
        writer.Finish();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n%s", error.what(), render::RenderUsage().c_str());
        return 2;
    }
    return 0;
}
