#!/usr/bin/env python3
# Writes the small seed corpora of the fuzz targets: a few BMP, DDS and X files of each kind.
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(kind, name, data):
    os.makedirs(os.path.join(HERE, "corpus", kind), exist_ok=True)
    with open(os.path.join(HERE, "corpus", kind, name), "wb") as file:
        file.write(data)


def bmp(width, height, bits, rows, palette=(), header=40, compression=0, masks=()):
    core = header == 12
    stride = (width * bits + 31) // 32 * 4
    after_header = b"".join(struct.pack("<I", m) for m in masks) if header == 40 else b""
    entry = 3 if core else 4
    colours = b"".join(struct.pack("<BBB", b, g, r) + (b"" if core else b"\0")
                       for (r, g, b) in palette)
    offset = 14 + header + len(after_header) + len(colours)
    pixels = b""
    for row in rows:
        packed = bytearray(stride)
        for x, value in enumerate(row):
            if bits <= 8:
                bit = x * bits
                packed[bit // 8] |= value << (8 - bits - bit % 8)
            else:
                size = bits // 8
                packed[x * size:(x + 1) * size] = value.to_bytes(size, "little")
        pixels += bytes(packed)
    if core:
        info = struct.pack("<IHHHH", 12, width, abs(height), 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression,
                           len(pixels), 2835, 2835, len(palette), 0)
        if header > 40:
            info += b"".join(struct.pack("<I", m) for m in (list(masks) + [0] * 4)[:4])
            info += b"\0" * (header - len(info))
    file_header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    assert entry * len(palette) == len(colours)
    return file_header + info + after_header + colours + pixels


def dds(width, height, flags, four_cc, bits, masks, data, mips=1):
    pixel_format = struct.pack("<II4sI4I", 32, flags, four_cc, bits, *masks)
    header = struct.pack("<7I", 124, 0x2100F, height, width, 0, 0, mips) + b"\0" * 44
    header += pixel_format + struct.pack("<5I", 0x401008, 0, 0, 0, 0)
    return b"DDS " + header + data


def resize_request(width, height, key_at, pool=1):
    """The eight bytes the texture targets read from a file's end (fuzz/texture_load.cpp): resize
    to width x height (1 to 256), key out the texel at key_at / 256 of the image, in `pool`."""
    return bytes([2, width - 1, 2, height - 1, 1, key_at, 0, pool])


def main():
    write("bmp", "1bit.bmp", bmp(9, 3, 1, [[x % 2 for x in range(9)]] * 3,
                                 palette=[(0, 0, 0), (255, 255, 255)]))
    write("bmp", "4bit_os2.bmp", bmp(3, 2, 4, [[1, 2, 3], [3, 2, 1]], header=12,
                                     palette=[(i * 16, 0, 255 - i * 16) for i in range(16)]))
    write("bmp", "8bit_top_down.bmp", bmp(2, -2, 8, [[0, 1], [1, 0]],
                                          palette=[(255, 0, 0), (0, 0, 255)]))
    write("bmp", "16bit_565.bmp", bmp(2, 2, 16, [[0xF800, 0x07E0], [0x001F, 0xFFFF]],
                                      compression=3, masks=(0xF800, 0x07E0, 0x001F)))
    write("bmp", "24bit.bmp", bmp(3, 2, 24, [[0xFF0000, 0x00FF00, 0x0000FF]] * 2))
    write("bmp", "24bit_keyed_to_5x3.bmp",
          bmp(3, 2, 24, [[0xFF0000, 0x00FF00, 0x0000FF]] * 2) + resize_request(5, 3, 0))
    write("bmp", "32bit_v5_alpha.bmp",
          bmp(2, 2, 32, [[0x80FF0000, 0x00000000], [0xFF00FF00, 0x400000FF]], header=124,
              compression=3, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)))

    rgb = 0x40
    write("dds", "a8r8g8b8.dds", dds(2, 2, rgb | 1, b"\0" * 4, 32,
                                     (0xFF0000, 0xFF00, 0xFF, 0xFF000000),
                                     struct.pack("<4I", 0x80FF0000, 0xFF00FF00, 0, 0x7F0000FF)))
    write("dds", "r5g6b5.dds", dds(3, 1, rgb, b"\0" * 4, 16, (0xF800, 0x07E0, 0x001F, 0),
                                   struct.pack("<3H", 0xF800, 0x07E0, 0x001F)))
    write("dds", "dxt1.dds", dds(8, 4, 4, b"DXT1", 0, (0, 0, 0, 0),
                                 struct.pack("<HHI", 0xF800, 0x001F, 0xE4E4E4E4) * 2, mips=3))
    write("dds", "dxt3.dds", dds(4, 4, 4, b"DXT3", 0, (0, 0, 0, 0),
                                 bytes(range(0, 128, 16)) + struct.pack("<HHI", 0x07E0, 0, 0x1B)))
    write("dds", "dxt5.dds", dds(5, 5, 4, b"DXT5", 0, (0, 0, 0, 0),
                                 (b"\xff\x00\x88\x46\x24\x92\x49\x24"
                                  + struct.pack("<HHI", 0xFFFF, 0, 0x55AA55AA)) * 4))
    dxt1_blocks = struct.pack("<HHI", 0xF800, 0x001F, 0xE4E4E4E4) * 2
    write("dds", "dxt1_keyed_to_3x2.dds", dds(8, 4, 4, b"DXT1", 0, (0, 0, 0, 0), dxt1_blocks)
          + resize_request(3, 2, 128, pool=2))

    write("x", "cube.x", b"""xof 0303txt 0032
// a cube with a normal per face and two materials
Mesh Cube {
  8;
  -1.0;-1.0;-1.0;, 1.0;-1.0;-1.0;, 1.0;1.0;-1.0;, -1.0;1.0;-1.0;,
  -1.0;-1.0;1.0;, 1.0;-1.0;1.0;, 1.0;1.0;1.0;, -1.0;1.0;1.0;;
  6;
  4;0,3,2,1;, 4;4,5,6,7;, 4;0,4,7,3;, 4;1,2,6,5;, 4;0,1,5,4;, 4;3,7,6,2;;
  MeshNormals {
    6;
    0.0;0.0;-1.0;, 0.0;0.0;1.0;, -1.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;-1.0;0.0;, 0.0;1.0;0.0;;
    6;
    4;0,0,0,0;, 4;1,1,1,1;, 4;2,2,2,2;, 4;3,3,3,3;, 4;4,4,4,4;, 4;5,5,5,5;;
  }
  MeshMaterialList {
    2; 6; 1,0,1,0,1,0;;
    Material Red { 1.0;0.0;0.0;1.0;; 8.0; 0.5;0.5;0.5;; 0.0;0.0;0.25;; }
    Material Blue { 0.0;0.0;1.0;0.5;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;;
                    TextureFilename { "blue.bmp"; } }
  }
}
""")
    write("x", "frames.x", b"""xof 0303txt 0032
template Frame { <3D82AB46-62DA-11cf-AB39-0020AF71E433> [...] }
Material Shared { 0.5;0.5;0.5;1.0;; 4.0; 1.0;1.0;1.0;; 0.0;0.0;0.0;; }
Frame Root {
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 5,0,-5,1;; }
  Frame Child {
    FrameTransformMatrix { 0,0,-1,0, 0,1,0,0, 1,0,0,0, 0,2,0,1;; }
    Mesh Plate {
      5; 0;0;0;, 1;0;0;, 1;0;1;, 0;0;1;, 0.5;0;1.5;;
      1; 5;0,1,2,4,3;;
      MeshTextureCoords { 5; 0;0;, 1;0;, 1;1;, 0;1;, 0.5;1;; }
      MeshMaterialList { 1; 1; 0;; { Shared } }
    }
  }
}
""")
    floats = struct.pack("<9f", 0, 0, 0, 1, 0, 0, 0, 1, 0)
    binary = (b"xof 0303bin 0032" + struct.pack("<HI", 1, 4) + b"Mesh" + struct.pack("<H", 10)
              + struct.pack("<HII", 6, 1, 3) + struct.pack("<HI", 7, 9) + floats
              + struct.pack("<HI5I", 6, 5, 1, 3, 0, 1, 2) + struct.pack("<H", 11))
    write("x", "triangle_binary.x", binary)


if __name__ == "__main__":
    main()
