// The texture load under the fuzzer: a request read from the input's tail, then every promise of
// CreateTextureFromFile checked against the decoded image and the recording device's log.
#include "fuzz/texture_load.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/harness.h"
#include "fuzz/image_invariants.h"
#include "gfxutil/image_limits.h"
#include "gfxutil/texture_loader.h"
#include "platform/d3d9/texel_levels.h"
#include "platform/headless/memory_texture.h"

namespace {

using platform::TexelLevels;
using platform::headless::MemoryTexture;
using platform::headless::RecordedCall;

constexpr size_t REQUEST_BYTES = 8;

// Loads resolving to more texels than this are skipped: a 256 MiB texture made, read back and
// compared would slow every run to a crawl and finds nothing a small one does not.
constexpr uint64_t TEXEL_BUDGET = uint64_t(1) << 22;
// Up to this many source texels, every uploaded texel is looked up among them.
constexpr size_t LOOKUP_TEXELS = 4096;

// Sides on and around the loader's limit and the headless device's, and far beyond both.
constexpr uint32_t EDGE_SIDES[] = {TexelLevels::MAX_SIDE, TexelLevels::MAX_SIDE + 1,
                                   MAX_IMAGE_DIMENSION,   MAX_IMAGE_DIMENSION + 1,
                                   0x7FFFFFFFu,           0xFFFFFFFEu};
// The loader makes A8R8G8B8 with one level whatever these say; asking otherwise must not matter.
constexpr D3DFORMAT FORMATS[] = {D3DFMT_UNKNOWN, D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8,
                                 D3DFMT_R5G6B5,  D3DFMT_DXT1,     D3DFMT_DXT5};
constexpr UINT MIP_LEVELS[] = {FROM_FILE_OR_DEFAULT, 0, 1, 4};
constexpr D3DPOOL POOLS[] = {D3DPOOL_DEFAULT, D3DPOOL_MANAGED, D3DPOOL_SYSTEMMEM, D3DPOOL_SCRATCH};
constexpr uint32_t TRANSPARENT_BLACK = 0x00000000;
constexpr uint32_t OPAQUE = 0xFF000000;
constexpr uint32_t GREY_STEP = 0x010101;       // one step in red, green and blue
constexpr uint32_t UNIFORM_STEP = 0x01010101;  // and in alpha too

struct Request {
    UINT width;
    UINT height;
    UINT mipLevels;
    DWORD usage;
    D3DFORMAT format;
    D3DPOOL pool;
    D3DCOLOR colourKey;
};

// One side: the file's (both ways of saying it), a small size that resizes, or an edge.
UINT Side(uint8_t selector, uint8_t value) {
    switch (selector % 4) {
        case 0:
            return FROM_FILE_OR_DEFAULT;
        case 1:
            return 0;
        case 2:
            return UINT(value) + 1;
        default:
            return EDGE_SIDES[value % std::size(EDGE_SIDES)];
    }
}

// No key (as the game asks), a texel the image surely holds, or an opaque or uniform grey.
D3DCOLOR ColourKey(uint8_t selector, uint8_t value, const DecodedImage& image) {
    switch (selector % 4) {
        case 0:
            return 0;
        case 1:
            return image.texels.empty() ? 0 : image.texels[value * image.texels.size() / 256];
        case 2:
            return OPAQUE | value * GREY_STEP;
        default:
            return value * UNIFORM_STEP;
    }
}

// An input shorter than the request reads as zeros past its end.
Request ReadRequest(const uint8_t* data, size_t size, const DecodedImage& image) {
    uint8_t tail[REQUEST_BYTES] = {};
    const size_t kept = std::min(size, REQUEST_BYTES);
    if (kept != 0) {
        std::memcpy(tail, data + size - kept, kept);
    }
    Request request;
    request.width = Side(tail[0], tail[1]);
    request.height = Side(tail[2], tail[3]);
    request.colourKey = ColourKey(tail[4], tail[5], image);
    request.format = FORMATS[tail[6] % std::size(FORMATS)];
    request.mipLevels = MIP_LEVELS[(tail[6] >> 4) % std::size(MIP_LEVELS)];
    request.pool = POOLS[tail[7] % std::size(POOLS)];
    request.usage = (tail[7] & 0x10) != 0 ? D3DUSAGE_DYNAMIC : 0;
    return request;
}

uint64_t Resolve(UINT requested, uint32_t fromFile) {
    return requested == 0 || requested == FROM_FILE_OR_DEFAULT ? fromFile : requested;
}

bool SameInfo(const ImageInfo& a, const ImageInfo& b) {
    return a.Width == b.Width && a.Height == b.Height && a.Depth == b.Depth &&
           a.MipLevels == b.MipLevels && a.Format == b.Format && a.ResourceType == b.ResourceType &&
           a.ImageFileFormat == b.ImageFileFormat;
}

// Nearest-texel scaling invents no colour, the key leaves no texel equal to it, and at the file's
// own size the texels are the file's. `uploaded` holds rows top first, without padding.
void CheckUploadedTexels(const uint32_t* uploaded, const DecodedImage& image, uint32_t width,
                         uint32_t height, D3DCOLOR colourKey) {
    std::vector<uint32_t> keyed = image.texels;
    if (colourKey != 0) {
        std::replace(keyed.begin(), keyed.end(), uint32_t(colourKey), TRANSPARENT_BLACK);
    }
    const bool sameSize = width == image.width && height == image.height;
    std::vector<uint32_t> palette;
    if (!sameSize && keyed.size() <= LOOKUP_TEXELS) {
        palette = keyed;
        std::sort(palette.begin(), palette.end());
    }
    // Nearest sampling at any scale takes the top-left texel from the top-left texel.
    Require(uploaded[0] == keyed[0]);
    const size_t count = size_t(width) * height;
    for (size_t i = 0; i < count; ++i) {
        Require(colourKey == 0 || uploaded[i] != colourKey);
        if (sameSize) {
            Require(uploaded[i] == keyed[i]);
        } else if (!palette.empty()) {
            Require(std::binary_search(palette.begin(), palette.end(), uploaded[i]));
        }
    }
}

}  // namespace

void FuzzTextureLoad(const uint8_t* data, size_t size) {
    DecodedImage image;
    std::string error;
    const bool decoded = DecodeImage(data, size, image, error);
    CheckDecodedImage(decoded, image, error);

    const Request request = ReadRequest(data, size, image);
    const uint64_t width = decoded ? Resolve(request.width, image.width) : 0;
    const uint64_t height = decoded ? Resolve(request.height, image.height) : 0;
    std::string sizeError;
    const bool sizeAccepted = decoded && CheckImageSize(width, height, sizeError);
    if (sizeAccepted && width * height > TEXEL_BUDGET) {
        return;
    }

    static MemoryFile file;
    file.Write(data, size);
    FuzzDevice device;
    ImageInfo info{};
    IDirect3DTexture9* texture = nullptr;
    const HRESULT result = CreateTextureFromFile(
        device.device, file.Path(), request.width, request.height, request.mipLevels, request.usage,
        request.format, request.pool, FROM_FILE_OR_DEFAULT, FROM_FILE_OR_DEFAULT, request.colourKey,
        &info, &texture);

    const size_t creations = device.log.Count("CreateTexture");
    if (!sizeAccepted) {
        // A file that does not decode or a size the loader refuses: no texture, not even tried.
        Require(FAILED(result) && texture == nullptr && creations == 0);
        return;
    }
    // Whatever textures the load makes on its way, each has the requested size, one level and
    // A8R8G8B8 (the pool may differ: a default-pool texture may be filled through another).
    Require(creations != 0);
    for (const RecordedCall& call : device.log.calls) {
        if (call.name == "CreateTexture") {
            Require(call.args.size() >= 6 && call.args[0] == double(width) &&
                    call.args[1] == double(height) && call.args[2] == 1 &&
                    call.args[4] == AsArg(D3DFMT_A8R8G8B8));
        }
    }
    // The headless device refuses sides above its limit, as hardware does; the loader must pass
    // that refusal on and keep nothing.
    if (width > TexelLevels::MAX_SIDE || height > TexelLevels::MAX_SIDE) {
        Require(FAILED(result) && texture == nullptr);
        return;
    }
    Require(SUCCEEDED(result) && texture != nullptr);
    Require(SameInfo(info, image.info));

    D3DSURFACE_DESC desc{};
    Require(SUCCEEDED(texture->GetLevelDesc(0, &desc)));
    Require(desc.Width == width && desc.Height == height && desc.Format == D3DFMT_A8R8G8B8 &&
            desc.Pool == request.pool && desc.Usage == request.usage);
    // Read straight from the device's memory: a default-pool texture does not lock.
    const auto* memory = dynamic_cast<const MemoryTexture*>(texture);
    Require(memory != nullptr && memory->Levels().LevelCount() == 1);
    CheckUploadedTexels(memory->Levels().Texels(0), image, uint32_t(width), uint32_t(height),
                        request.colourKey);
    Require(texture->Release() == 0);
}
