// Writes a DDS file: the 128-byte header and the top-level surface, rows top first.
#include "tools/artgen/dds_writer.h"

namespace artgen {

namespace {

constexpr uint32_t HEADER_SIZE = 124;
constexpr uint32_t PIXEL_FORMAT_SIZE = 32;
constexpr uint32_t DDSD_CAPS = 0x1;
constexpr uint32_t DDSD_HEIGHT = 0x2;
constexpr uint32_t DDSD_WIDTH = 0x4;
constexpr uint32_t DDSD_PITCH = 0x8;
constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;
constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_RGB = 0x40;
constexpr uint32_t DDSCAPS_TEXTURE = 0x1000;
constexpr size_t RESERVED_WORDS = 11;

}  // namespace

Bytes EncodeDdsArgb(const Image& image) {
    ByteWriter out;
    out.Text("DDS ");
    out.U32(HEADER_SIZE);
    out.U32(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT);
    out.U32(static_cast<uint32_t>(image.Height()));
    out.U32(static_cast<uint32_t>(image.Width()));
    out.U32(static_cast<uint32_t>(image.Width()) * 4);  // pitch
    out.U32(0);                                         // depth
    out.U32(0);                                         // mip levels: the top level only
    out.Zeros(RESERVED_WORDS * 4);
    out.U32(PIXEL_FORMAT_SIZE);
    out.U32(DDPF_RGB | DDPF_ALPHAPIXELS);
    out.U32(0);   // no four-character code
    out.U32(32);  // bits per texel
    out.U32(0x00FF0000);
    out.U32(0x0000FF00);
    out.U32(0x000000FF);
    out.U32(0xFF000000);
    out.U32(DDSCAPS_TEXTURE);
    out.Zeros(4 * 4);  // caps 2 to 4 and the reserved word
    for (uint32_t pixel : image.Pixels()) {
        out.U32(pixel);
    }
    return out.Take();
}

}  // namespace artgen
