// gorvanti-artgen: writes the game's art, icons and first settings files.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/artgen/art_set.h"

namespace {

const char* const USAGE =
    "Usage: gorvanti-artgen [options] OUTPUT\n"
    "Writes the game's art into OUTPUT/graphics/, the icons and setup.ini and besttime.dat into\n"
    "OUTPUT, unless the options send them elsewhere. The same fonts give the same bytes.\n"
    "\n"
    "Options:\n"
    "  --icons DIR      write gorvanti.ico and gorvanti_small.ico into DIR\n"
    "  --settings DIR   write setup.ini and besttime.dat into DIR\n"
    "  --desktop DIR    write the desktop icons (gorvanti-SIZE.png, gorvanti.svg) into DIR\n"
    "  --web DIR        write the installed page's icons (gorvanti-192.png, gorvanti-512.png,\n"
    "                   gorvanti-maskable-512.png) into DIR\n"
    "  --fonts DIR      the DejaVu fonts (default /usr/share/fonts/truetype/dejavu)\n"
    "  --help           show this text\n";

bool WriteFile(const std::filesystem::path& path, const artgen::Bytes& bytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    std::string output;
    std::string icons;
    std::string settings;
    std::string desktop;
    std::string web;
    std::string fonts = artgen::DEFAULT_FONT_FOLDER;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--help" || argument == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        } else if (argument == "--icons" && hasValue) {
            icons = argv[++i];
        } else if (argument == "--settings" && hasValue) {
            settings = argv[++i];
        } else if (argument == "--desktop" && hasValue) {
            desktop = argv[++i];
        } else if (argument == "--web" && hasValue) {
            web = argv[++i];
        } else if (argument == "--fonts" && hasValue) {
            fonts = argv[++i];
        } else if (!argument.empty() && argument[0] != '-' && output.empty()) {
            output = argument;
        } else {
            std::fprintf(stderr, "gorvanti-artgen: unexpected argument '%s'\n\n%s", argv[i], USAGE);
            return 2;
        }
    }
    if (output.empty()) {
        std::fprintf(stderr, "gorvanti-artgen: no output folder\n\n%s", USAGE);
        return 2;
    }
    const artgen::ArtFonts artFonts(fonts);
    if (!artFonts.IsOpen()) {
        std::fprintf(stderr, "gorvanti-artgen: cannot open the DejaVu fonts in %s\n",
                     fonts.c_str());
        return 1;
    }
    const std::filesystem::path graphicsFolder = std::filesystem::path(output) / "graphics";
    const std::filesystem::path iconFolder = icons.empty() ? output : icons;
    const std::filesystem::path settingsFolder = settings.empty() ? output : settings;
    const std::filesystem::path desktopFolder = desktop.empty() ? output : desktop;
    const std::filesystem::path webFolder = web.empty() ? output : web;
    for (const artgen::ArtFile& file : artgen::BuildArtFiles(artFonts)) {
        std::filesystem::path folder = graphicsFolder;
        if (file.folder == artgen::ArtFolder::Icons) {
            folder = iconFolder;
        } else if (file.folder == artgen::ArtFolder::Settings) {
            folder = settingsFolder;
        } else if (file.folder == artgen::ArtFolder::Desktop) {
            folder = desktopFolder;
        } else if (file.folder == artgen::ArtFolder::Web) {
            folder = webFolder;
        }
        if (!WriteFile(folder / file.name, file.bytes)) {
            std::fprintf(stderr, "gorvanti-artgen: cannot write %s\n",
                         (folder / file.name).c_str());
            return 1;
        }
    }
    return 0;
}
