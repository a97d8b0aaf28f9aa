// Writes Windows bitmaps, rows bottom first as the format stores them.
#include "tools/artgen/bmp_writer.h"

namespace artgen {

namespace {

constexpr uint32_t FILE_HEADER_SIZE = 14;
constexpr uint32_t INFO_HEADER_SIZE = 40;
constexpr uint32_t V4_HEADER_SIZE = 108;
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr int32_t PIXELS_PER_METRE = 2835;  // 72 dots per inch
constexpr uint32_t LCS_SRGB = 0x73524742;   // 'sRGB'
constexpr size_t CIE_ENDPOINTS_AND_GAMMA_BYTES = 36 + 12;

void FileHeader(ByteWriter& out, uint32_t headerSize, uint32_t imageSize) {
    out.Text("BM");
    out.U32(FILE_HEADER_SIZE + headerSize + imageSize);
    out.U32(0);
    out.U32(FILE_HEADER_SIZE + headerSize);
}

void InfoHeader(ByteWriter& out, uint32_t headerSize, const Image& image, uint16_t bitCount,
                uint32_t compression, uint32_t imageSize) {
    out.U32(headerSize);
    out.I32(image.Width());
    out.I32(image.Height());  // positive: bottom-up rows
    out.U16(1);
    out.U16(bitCount);
    out.U32(compression);
    out.U32(imageSize);
    out.I32(PIXELS_PER_METRE);
    out.I32(PIXELS_PER_METRE);
    out.U32(0);
    out.U32(0);
}

}  // namespace

Bytes EncodeBmp24(const Image& image) {
    const uint32_t rowSize = (static_cast<uint32_t>(image.Width()) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowSize * image.Height();
    ByteWriter out;
    FileHeader(out, INFO_HEADER_SIZE, imageSize);
    InfoHeader(out, INFO_HEADER_SIZE, image, 24, BI_RGB, imageSize);
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const uint32_t pixel = image.At(x, y);
            out.U8(static_cast<uint8_t>(pixel));
            out.U8(static_cast<uint8_t>(pixel >> 8));
            out.U8(static_cast<uint8_t>(pixel >> 16));
        }
        out.Zeros(rowSize - static_cast<uint32_t>(image.Width()) * 3);
    }
    return out.Take();
}

Bytes EncodeBmp32(const Image& image) {
    const uint32_t imageSize = static_cast<uint32_t>(image.Width()) * image.Height() * 4;
    ByteWriter out;
    FileHeader(out, V4_HEADER_SIZE, imageSize);
    InfoHeader(out, V4_HEADER_SIZE, image, 32, BI_BITFIELDS, imageSize);
    out.U32(0x00FF0000);  // red mask
    out.U32(0x0000FF00);  // green mask
    out.U32(0x000000FF);  // blue mask
    out.U32(0xFF000000);  // alpha mask
    out.U32(LCS_SRGB);
    out.Zeros(CIE_ENDPOINTS_AND_GAMMA_BYTES);
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            out.U32(image.At(x, y));
        }
    }
    return out.Take();
}

}  // namespace artgen
