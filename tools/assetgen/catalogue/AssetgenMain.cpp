// assetgen <outdir> [--docs]: paints every asset of the saver and writes the files the build
// embeds (the two form descriptions and the icon pictures) and the icons for the resource
// script; --docs adds the documentation's PNG pictures under <outdir>/docs.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "AssetFiles.h"
#include "base/Exceptions.h"

namespace {

namespace fs = std::filesystem;

// Written beside the target and renamed, so an interrupted run leaves no half file behind.
void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    const fs::path partial = path.string() + ".partial";
    std::ofstream out(partial, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();  // a small file reaches the disk only here, so its failure counts too
    if (!out) {
        fs::remove(partial);
        throw base::Exception("cannot write " + partial.string());
    }
    fs::rename(partial, path);
}

}  // namespace

int main(int argc, char** argv) {
    const bool docs = argc == 3 && std::string(argv[2]) == "--docs";
    if (argc != 2 && !docs) {
        std::cerr << "usage: assetgen <outdir> [--docs]\n";
        return 2;
    }
    try {
        const fs::path dir(argv[1]);
        for (const auto& [name, bytes] : assetgen::GenerateAssets(docs)) {
            WriteFile(dir / name, bytes);
        }
    } catch (const std::exception& e) {
        std::cerr << "assetgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
