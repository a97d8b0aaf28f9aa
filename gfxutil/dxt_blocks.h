// Decoding of the 4x4 blocks of the DXT1, DXT3 and DXT5 compressed formats.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t DXT_BLOCK_SIDE = 4;
constexpr uint32_t DXT_BLOCK_TEXELS = DXT_BLOCK_SIDE * DXT_BLOCK_SIDE;
constexpr size_t DXT1_BLOCK_BYTES = 8;
constexpr size_t DXT3_BLOCK_BYTES = 16;
constexpr size_t DXT5_BLOCK_BYTES = 16;

// Each writes the block's sixteen ARGB texels, row by row, top row first.
void DecodeDxt1Block(const uint8_t* block, uint32_t texels[DXT_BLOCK_TEXELS]);
void DecodeDxt3Block(const uint8_t* block, uint32_t texels[DXT_BLOCK_TEXELS]);
void DecodeDxt5Block(const uint8_t* block, uint32_t texels[DXT_BLOCK_TEXELS]);
