// The picture files, checked byte by byte against the formats the windows
// and the desktop expect.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readAsset(const std::string& name)
{
    std::ifstream in(std::string(DRAVELO_ASSETS_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t le16(const Bytes& b, std::size_t at)
{
    return b.at(at) | b.at(at + 1) << 8;
}

std::uint32_t le32(const Bytes& b, std::size_t at)
{
    return le16(b, at) | le16(b, at + 2) << 16;
}

std::int32_t le32s(const Bytes& b, std::size_t at)
{
    return static_cast<std::int32_t>(le32(b, at));
}

std::uint32_t be32(const Bytes& b, std::size_t at)
{
    return std::uint32_t(b.at(at)) << 24 | b.at(at + 1) << 16 | b.at(at + 2) << 8 | b.at(at + 3);
}

using Rgb = std::tuple<int, int, int>;

// A device-independent bitmap as stored in a BMP or an icon image.
struct Dib {
    std::int32_t width = 0, height = 0;
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::vector<Rgb> palette;
    std::size_t pixelsAt = 0;

    int rowStride() const { return (width * bitsPerPixel + 31) / 32 * 4; }

    // Palette index of pixel (x, y), y from the top, in a bottom-up bitmap of
    // the given visible height.
    int index(const Bytes& b, int x, int y, int visibleHeight) const
    {
        const std::size_t row = pixelsAt + std::size_t(visibleHeight - 1 - y) * rowStride();
        const int bit = x * bitsPerPixel;
        const int shift = 8 - bitsPerPixel - bit % 8;
        return (b.at(row + bit / 8) >> shift) & ((1 << bitsPerPixel) - 1);
    }
};

constexpr std::uint32_t kInfoHeaderSize = 40;

Dib readDib(const Bytes& b, std::size_t at, std::size_t paletteEntries)
{
    EXPECT_EQ(le32(b, at), kInfoHeaderSize);
    Dib dib;
    dib.width = le32s(b, at + 4);
    dib.height = le32s(b, at + 8);
    EXPECT_EQ(le16(b, at + 12), 1u); // planes
    dib.bitsPerPixel = static_cast<int>(le16(b, at + 14));
    dib.compression = le32(b, at + 16);
    std::size_t p = at + kInfoHeaderSize;
    for (std::size_t i = 0; i < paletteEntries; ++i, p += 4)
        dib.palette.emplace_back(b.at(p + 2), b.at(p + 1), b.at(p));
    dib.pixelsAt = p;
    return dib;
}

TEST(CoverPicture, IsAnUncompressed8BitBitmapWith39ColoursOnWhite)
{
    const Bytes b = readAsset("copertina.bmp");
    ASSERT_EQ(b.size(), 38102u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    const std::size_t paletteEntries = 256;
    EXPECT_EQ(le32(b, 10), 14 + kInfoHeaderSize + 4 * paletteEntries);

    const Dib dib = readDib(b, 14, paletteEntries);
    EXPECT_EQ(dib.width, 415);
    EXPECT_EQ(dib.height, 89); // bottom-up
    EXPECT_EQ(dib.bitsPerPixel, 8);
    EXPECT_EQ(dib.compression, 0u);
    const std::uint32_t coloursUsed = le32(b, 14 + 32);
    EXPECT_TRUE(coloursUsed == 0 || coloursUsed == paletteEntries);
    ASSERT_EQ(dib.pixelsAt, le32(b, 10));
    ASSERT_EQ(dib.pixelsAt + std::size_t(dib.rowStride()) * 89, b.size());

    std::map<int, int> pixelsPerIndex;
    for (int y = 0; y < 89; ++y) {
        for (int x = 0; x < 415; ++x)
            ++pixelsPerIndex[dib.index(b, x, y, 89)];
        // The row's padding byte is zero.
        EXPECT_EQ(b[dib.pixelsAt + std::size_t(y) * dib.rowStride() + 415], 0);
    }
    EXPECT_EQ(pixelsPerIndex.size(), 39u);

    // White ground: the corners and most of the picture are white.
    const Rgb white{255, 255, 255};
    for (auto [x, y] : {std::pair{0, 0}, {414, 0}, {0, 88}, {414, 88}})
        EXPECT_EQ(dib.palette.at(dib.index(b, x, y, 89)), white);
    int whitePixels = 0;
    for (auto [index, count] : pixelsPerIndex)
        if (dib.palette.at(index) == white)
            whitePixels += count;
    EXPECT_GT(whitePixels, 415 * 89 / 2);
}

struct IconEntry {
    int width, height, colourCount, bitsPerPixel;
    std::uint32_t bytes, offset;
};

std::vector<IconEntry> iconDirectory(const Bytes& b)
{
    EXPECT_EQ(le16(b, 0), 0u);
    EXPECT_EQ(le16(b, 2), 1u); // icon, not cursor
    std::vector<IconEntry> entries;
    const std::uint32_t count = le16(b, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 6 + 16 * i;
        IconEntry e{b.at(at), b.at(at + 1), b.at(at + 2), static_cast<int>(le16(b, at + 6)),
                    le32(b, at + 8), le32(b, at + 12)};
        EXPECT_EQ(le16(b, at + 4), 1u); // planes
        EXPECT_LE(std::size_t(e.offset) + e.bytes, b.size());
        entries.push_back(e);
    }
    return entries;
}

// Colours of an icon image's opaque pixels, and how many are transparent.
struct IconPixels {
    std::set<Rgb> opaqueColours;
    int transparent = 0;
    std::vector<int> indices; // every pixel, top row first
};

IconPixels iconPixels(const Bytes& b, const IconEntry& e)
{
    const Dib dib = readDib(b, e.offset, std::size_t(1) << e.bitsPerPixel);
    EXPECT_EQ(dib.width, e.width);
    EXPECT_EQ(dib.height, 2 * e.height); // colour bits and mask together
    EXPECT_EQ(dib.bitsPerPixel, e.bitsPerPixel);
    EXPECT_EQ(dib.compression, 0u);
    Dib mask = dib;
    mask.bitsPerPixel = 1;
    mask.pixelsAt = dib.pixelsAt + std::size_t(dib.rowStride()) * e.height;
    EXPECT_EQ(mask.pixelsAt + std::size_t(mask.rowStride()) * e.height, std::size_t(e.offset) + e.bytes);

    IconPixels pixels;
    for (int y = 0; y < e.height; ++y) {
        for (int x = 0; x < e.width; ++x) {
            const int index = dib.index(b, x, y, e.height);
            pixels.indices.push_back(index);
            if (mask.index(b, x, y, e.height)) {
                ++pixels.transparent;
                EXPECT_EQ(index, 0) << "a transparent pixel must not tint what lies below";
            } else {
                pixels.opaqueColours.insert(dib.palette.at(index));
            }
        }
    }
    return pixels;
}

TEST(AboutIcon, IsOne32x32SixteenColourImageWithMask)
{
    const Bytes b = readAsset("icona.ico");
    ASSERT_EQ(b.size(), 766u);
    const std::vector<IconEntry> entries = iconDirectory(b);
    ASSERT_EQ(entries.size(), 1u);
    const IconEntry& e = entries[0];
    EXPECT_EQ(e.width, 32);
    EXPECT_EQ(e.height, 32);
    EXPECT_EQ(e.colourCount, 16);
    EXPECT_EQ(e.bitsPerPixel, 4);
    EXPECT_EQ(e.offset, 22u);
    EXPECT_EQ(e.offset + e.bytes, b.size());

    const IconPixels pixels = iconPixels(b, e);
    EXPECT_GT(pixels.transparent, 0);
    EXPECT_LT(pixels.transparent, 32 * 32 / 2);
    // White block, purple doorway, a green and a yellow tile.
    for (const Rgb& colour : {Rgb{255, 255, 255}, Rgb{128, 0, 128}, Rgb{0, 255, 0}, Rgb{255, 255, 0}})
        EXPECT_TRUE(pixels.opaqueColours.count(colour))
            << std::get<0>(colour) << "," << std::get<1>(colour) << "," << std::get<2>(colour);
}

TEST(ProgramIcon, HoldsMonochromeAndSixteenColourImagesOfItsOwnPicture)
{
    const Bytes b = readAsset("dravelo.ico");
    const std::vector<IconEntry> entries = iconDirectory(b);
    ASSERT_EQ(entries.size(), 3u);
    const std::array<std::array<int, 4>, 3> expected = {{{32, 32, 2, 1}, {32, 32, 16, 4}, {16, 16, 16, 4}}};
    std::uint32_t end = 6 + 16 * 3;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        const IconEntry& e = entries[i];
        EXPECT_EQ((std::array<int, 4>{e.width, e.height, e.colourCount, e.bitsPerPixel}), expected[i]);
        EXPECT_EQ(e.offset, end); // images follow each other without gaps
        end = e.offset + e.bytes;
        const IconPixels pixels = iconPixels(b, e);
        EXPECT_GT(pixels.transparent, 0);
        EXPECT_GT(pixels.opaqueColours.size(), 1u);
    }
    EXPECT_EQ(end, b.size());

    const Bytes about = readAsset("icona.ico");
    const IconPixels aboutPixels = iconPixels(about, iconDirectory(about).at(0));
    EXPECT_NE(iconPixels(b, entries[1]).indices, aboutPixels.indices);
}

std::uint32_t crc32(const Bytes& b, std::size_t from, std::size_t to)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < to; ++i) {
        crc ^= b[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

TEST(ThemeIcons, ArePngsOfTheirSizeWithAlphaAndSoundChunks)
{
    for (int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        const Bytes b = readAsset("hicolor/" + dim + "/dravelo.png");
        ASSERT_GT(b.size(), 8u + 25u);
        EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
        std::vector<std::string> chunks;
        for (std::size_t at = 8; at + 12 <= b.size();) {
            const std::uint32_t length = be32(b, at);
            ASSERT_LE(at + 12 + length, b.size());
            chunks.emplace_back(b.begin() + at + 4, b.begin() + at + 8);
            EXPECT_EQ(be32(b, at + 8 + length), crc32(b, at + 4, at + 8 + length)) << chunks.back();
            at += 12 + length;
        }
        ASSERT_EQ(chunks.front(), "IHDR");
        EXPECT_EQ(chunks.back(), "IEND");
        EXPECT_EQ(be32(b, 16), std::uint32_t(size));
        EXPECT_EQ(be32(b, 20), std::uint32_t(size));
        EXPECT_EQ(b[24], 8); // bits per channel
        EXPECT_EQ(b[25], 6); // truecolour with alpha
    }
}

} // namespace
