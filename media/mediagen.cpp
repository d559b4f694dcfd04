// Writes every embedded media file and the resource collection that lists them.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "media/items.h"

namespace {

void write(const std::filesystem::path& path, const char* data, std::size_t size) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data, std::streamsize(size));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: melquad-mediagen <outdir>\n";
        return 2;
    }
    try {
        std::filesystem::path outdir = argv[1];
        auto files = media::generatedFiles();
        for (const auto& file : files)
            write(outdir / file.path.substr(1), reinterpret_cast<const char*>(file.bytes.data()),
                  file.bytes.size());
        std::string qrc = media::resourceCollection(files);
        write(outdir / "media.qrc", qrc.data(), qrc.size());
    } catch (const std::exception& e) {
        std::cerr << "melquad-mediagen: " << e.what() << '\n';
        return 1;
    }
}
