"""Writers for the picture file formats the program carries: Windows BMP,
Windows ICO and PNG. Every writer returns the file's bytes."""

import struct
import zlib

BITMAPINFOHEADER_SIZE = 40
PIXELS_PER_METRE_AT_96_DPI = 3780


def _row_stride(width, bits_per_pixel):
    """Rows of a device-independent bitmap are padded to 32 bits."""
    return (width * bits_per_pixel + 31) // 32 * 4


def _pack_rows(indices, width, height, bits_per_pixel):
    """Packs palette indices (rows top first) into bottom-up padded rows."""
    stride = _row_stride(width, bits_per_pixel)
    per_byte = 8 // bits_per_pixel
    data = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            shift = 8 - bits_per_pixel * (x % per_byte + 1)
            row[x // per_byte] |= indices[y][x] << shift
        data += row
    return bytes(data)


def _info_header(width, height, bits_per_pixel, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", BITMAPINFOHEADER_SIZE, width, height, 1, bits_per_pixel, 0,
                       image_size, PIXELS_PER_METRE_AT_96_DPI, PIXELS_PER_METRE_AT_96_DPI, colours_used, 0)


def _palette_bytes(palette, entries):
    padded = list(palette) + [(0, 0, 0)] * (entries - len(palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in padded)


def bmp(indices, palette, bits_per_pixel=8):
    """An uncompressed bitmap file with a full palette of 2^bits entries."""
    height = len(indices)
    width = len(indices[0])
    entries = 1 << bits_per_pixel
    pixels = _pack_rows(indices, width, height, bits_per_pixel)
    info = _info_header(width, height, bits_per_pixel, len(pixels), entries)
    table = _palette_bytes(palette, entries)
    offset = 14 + len(info) + len(table)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info + table + pixels


class IconImage:
    """One image of an icon: palette indices, a palette and the pixels that
    are transparent."""

    def __init__(self, indices, palette, bits_per_pixel, transparent):
        self.indices = indices
        self.palette = palette
        self.bits_per_pixel = bits_per_pixel
        self.transparent = transparent  # rows of booleans

    @property
    def size(self):
        return len(self.indices[0]), len(self.indices)

    def resource(self):
        """The image as an icon stores it: header with the double height of
        colour and mask, palette, colour bits, then the AND mask."""
        width, height = self.size
        colour = _pack_rows(self.indices, width, height, self.bits_per_pixel)
        mask_rows = [[1 if t else 0 for t in row] for row in self.transparent]
        mask = _pack_rows(mask_rows, width, height, 1)
        info = _info_header(width, 2 * height, self.bits_per_pixel, len(colour) + len(mask), 0)
        table = _palette_bytes(self.palette, 1 << self.bits_per_pixel)
        return info + table + colour + mask


def ico(images):
    """An icon file holding the images in the given order."""
    header = struct.pack("<HHH", 0, 1, len(images))
    directory = b""
    body = b""
    offset = len(header) + 16 * len(images)
    for image in images:
        data = image.resource()
        width, height = image.size
        colours = 1 << image.bits_per_pixel
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, colours % 256, 0, 1,
                                 image.bits_per_pixel, len(data), offset + len(body))
        body += data
    return header + directory + body


def _png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(rgba_rows):
    """A truecolour PNG with alpha from rows of (r, g, b, a) tuples."""
    height = len(rgba_rows)
    width = len(rgba_rows[0])
    raw = bytearray()
    for row in rgba_rows:
        raw.append(0)  # no filter
        for pixel in row:
            raw += bytes(pixel)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", header) + _png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + _png_chunk(b"IEND", b""))
