// The inspector's report on one art file, as the game's loaders see it.
#pragma once

#include <string>

#include "gfxutil/texture_loader.h"

struct AssetReport {
    bool loaded = false;
    std::string text;  // the report's lines, or "error: ..." when the file did not load
    bool isImage = false;
    DecodedImage image;  // the decoded top level, for an image
};

AssetReport InspectAsset(const std::string& fileName);

// The name of a texel format as the inspector prints it: A8R8G8B8, DXT1, ...
std::string FormatName(D3DFORMAT format);
