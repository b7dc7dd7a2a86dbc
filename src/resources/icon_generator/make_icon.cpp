// Writes the program's icon file from the same drawing code the bar uses for its pictures.
// The build runs it on the build machine and puts the result into the executable's resources.
#include <cstdio>
#include <fstream>
#include <vector>

#include "resources/builtin_art.h"
#include "resources/icon_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    std::vector<quorvel::resources::PixelImage> sizes;
    for (const int px : {16, 20, 24, 32, 40, 48, 64, 128, 256}) {
        sizes.push_back(
            quorvel::resources::drawBuiltin(quorvel::forms::BuiltinPicture::ProgramIcon, px, px));
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    const std::string bytes = quorvel::resources::encodeIco(sizes);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
