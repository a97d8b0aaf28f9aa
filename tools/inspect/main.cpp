// gorvanti-inspect: prints what the game's loaders make of each file, and can write an image's
// decoded top level as a PNG.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gl/gl_readback.h"
#include "tools/inspect/asset_report.h"

namespace {

const char* const USAGE =
    "usage: gorvanti-inspect [--png OUT.png] FILE...\n"
    "\n"
    "Prints what the game's loaders make of each art file, one block per file:\n"
    "  image: WIDTHxHEIGHT format=NAME mips=N          for a BMP or DDS file\n"
    "  mesh: subsets=K triangles=T vertices=V bbox=... for an X file, then one line per material\n"
    "A file that does not load prints 'error: REASON'.\n"
    "\n"
    "  --png OUT.png  write the decoded top level of the (single) image as a PNG with alpha\n"
    "  --help         show this text\n"
    "\n"
    "Exit code: 0 when every file loaded, 1 otherwise, 2 for a bad command line.\n";

}  // namespace

int main(int argc, char** argv) {
    std::string pngFile;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--png") == 0) {
            if (i + 1 >= argc) {
                std::fputs("gorvanti-inspect: --png needs a file name\n", stderr);
                return 2;
            }
            pngFile = argv[++i];
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            std::fprintf(stderr, "gorvanti-inspect: unknown option %s\n%s", argv[i], USAGE);
            return 2;
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.empty()) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    if (!pngFile.empty() && files.size() != 1) {
        std::fputs("gorvanti-inspect: --png takes exactly one image file\n", stderr);
        return 2;
    }

    bool allLoaded = true;
    for (const std::string& file : files) {
        AssetReport report = InspectAsset(file);
        std::printf("%s\n%s", file.c_str(), report.text.c_str());
        allLoaded = allLoaded && report.loaded;
        if (!pngFile.empty()) {
            if (!report.loaded || !report.isImage) {
                std::fputs("gorvanti-inspect: no image to write as PNG\n", stderr);
                return 1;
            }
            const DecodedImage& image = report.image;
            if (!platform::gl::WritePng(pngFile.c_str(), image.texels,
                                        static_cast<int>(image.width),
                                        static_cast<int>(image.height))) {
                std::fprintf(stderr, "gorvanti-inspect: cannot write %s\n", pngFile.c_str());
                return 1;
            }
        }
    }
    return allLoaded ? 0 : 1;
}
