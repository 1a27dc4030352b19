// Writes the map and banner pictures into the resources folder: make_artwork RESOURCES_DIR
#include "tools/artwork/Artwork.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : "resources";
    for (auto [name, bytes] : {std::make_pair("map.bmp", MakeMapBitmap()),
                               std::make_pair("banner.bmp", MakeBannerBitmap())}) {
        std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), name);
            return 1;
        }
    }
    return 0;
}
