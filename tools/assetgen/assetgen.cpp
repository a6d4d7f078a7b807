// brixol_assetgen OUTDIR
// Regenerates every picture, sound and the icon that the game ships, byte for
// byte, so the committed files under shell/assets can always be rebuilt.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <utility>

#include "assetgen.h"

namespace {

namespace fs = std::filesystem;
using assetgen::Bytes;

bool writeFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    return bool(out);
}

std::vector<std::pair<std::string, Bytes>> buildAssets() {
    using namespace assetgen;
    std::vector<std::pair<std::string, Bytes>> assets = {
        {"frame.bmp", encodeBmp24(drawFrame())},
        {"tiles.bmp", encodeBmp24(drawTiles())},
        {"brixol.ico", encodeIco4(drawIcon())},
    };
    for (const SoundAsset& sound : makeSounds()) assets.emplace_back(sound.fileName, encodeWavMono16(sound.samples));
    return assets;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: brixol_assetgen OUTDIR\n";
        return 2;
    }
    const fs::path outDir = argv[1];
    try {
        std::error_code ec;
        fs::create_directories(outDir, ec);
        if (ec) {
            std::cerr << "brixol_assetgen: cannot create " << outDir << ": " << ec.message() << '\n';
            return 1;
        }
        for (const auto& [name, bytes] : buildAssets()) {
            if (!writeFile(outDir / name, bytes)) {
                std::cerr << "brixol_assetgen: cannot write " << (outDir / name) << '\n';
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "brixol_assetgen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
