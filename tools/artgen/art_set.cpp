// Encodes every picture, mesh, icon and settings file of the game.
#include "tools/artgen/art_set.h"

#include "tools/artgen/bmp_writer.h"
#include "tools/artgen/board_meshes.h"
#include "tools/artgen/board_textures.h"
#include "tools/artgen/dds_writer.h"
#include "tools/artgen/desktop_icons.h"
#include "tools/artgen/icons.h"
#include "tools/artgen/opening_title.h"
#include "tools/artgen/settings_files.h"
#include "tools/artgen/system_sheet.h"
#include "tools/artgen/title_meshes.h"
#include "tools/artgen/x_writer.h"

namespace artgen {

namespace {

Bytes FromText(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

ArtFile Mesh(const std::string& name, const MeshBuilder& mesh, bool textured) {
    const std::string frameName = name.substr(0, name.find('.'));
    return {ArtFolder::Graphics, name, FromText(EncodeXFile(mesh, frameName, textured))};
}

}  // namespace

std::vector<ArtFile> BuildArtFiles(const ArtFonts& fonts) {
    std::vector<ArtFile> files;
    files.push_back({ArtFolder::Graphics, "system.bmp", EncodeBmp32(BuildSystemSheet(fonts))});
    files.push_back(
        {ArtFolder::Graphics, "openingtitle.dds", EncodeDdsArgb(BuildOpeningTitle(fonts))});
    files.push_back({ArtFolder::Graphics, "wall.bmp", EncodeBmp24(BuildWallTexture())});
    files.push_back({ArtFolder::Graphics, "tile.bmp", EncodeBmp24(BuildTileTexture())});
    files.push_back({ArtFolder::Graphics, "block.bmp", EncodeBmp24(BuildBlockTexture())});
    files.push_back({ArtFolder::Graphics, "goal.bmp", EncodeBmp24(BuildGoalTexture())});
    files.push_back(Mesh("ball.x", BuildBallMesh(), false));
    files.push_back(Mesh("wall.x", BuildFrameMesh(), true));
    files.push_back(Mesh("tile.x", BuildTileMesh(), true));
    files.push_back(Mesh("block.x", BuildBlockMesh(), true));
    files.push_back(Mesh("goal.x", BuildGoalMesh(), true));
    files.push_back(Mesh("title.x", BuildTitleMesh(), false));
    files.push_back(Mesh("boxholl.x", BuildLatticeMesh(), false));
    files.push_back(
        {ArtFolder::Icons, LARGE_ICON_FILE, EncodeIcon16(BuildLargeIcon(), IconColours())});
    files.push_back(
        {ArtFolder::Icons, SMALL_ICON_FILE, EncodeIcon16(BuildSmallIcon(), IconColours())});
    for (int size : DESKTOP_ICON_SIZES) {
        files.push_back(
            {ArtFolder::Desktop, DesktopIconName(size), EncodePng(BuildDesktopIcon(size))});
    }
    files.push_back({ArtFolder::Desktop, DESKTOP_SVG_ICON_FILE, FromText(DesktopIconSvg())});
    for (int size : WEB_ICON_SIZES) {
        files.push_back({ArtFolder::Web, DesktopIconName(size), EncodePng(BuildDesktopIcon(size))});
    }
    files.push_back({ArtFolder::Web, WEB_MASKABLE_ICON_FILE,
                     EncodePng(BuildMaskableIcon(WEB_MASKABLE_ICON_SIZE))});
    files.push_back({ArtFolder::Settings, "setup.ini", FromText(SetupIniText())});
    files.push_back({ArtFolder::Settings, "besttime.dat", FromText(BestTimeText())});
    return files;
}

}  // namespace artgen
