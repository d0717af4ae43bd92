// The Windows resources as the resource compiler writes them: the version
// block read back node by node, and the program icon group.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kRtIcon = 3;
constexpr std::uint32_t kRtGroupIcon = 14;
constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint16_t kItalian = 0x0410;

Bytes readFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
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

std::size_t align4(std::size_t at)
{
    return (at + 3) & ~std::size_t(3);
}

// A NUL-terminated UTF-16 text of ASCII characters; at moves past it.
std::string utf16(const Bytes& b, std::size_t& at)
{
    std::string text;
    for (std::uint32_t c; (c = le16(b, at)) != 0; at += 2)
        text += c < 0x80 ? static_cast<char>(c) : '?';
    at += 2;
    return text;
}

struct Resource {
    std::uint32_t type = 0; // numeric types only
    std::uint32_t id = 0;
    std::uint16_t language = 0;
    Bytes data;
};

std::vector<Resource> readResources(const Bytes& b)
{
    std::vector<Resource> resources;
    for (std::size_t at = 0; at + 32 <= b.size();) {
        const std::uint32_t dataSize = le32(b, at);
        const std::uint32_t headerSize = le32(b, at + 4);
        std::size_t p = at + 8;
        Resource r;
        for (std::uint32_t* field : {&r.type, &r.id}) {
            if (le16(b, p) == 0xFFFF) {
                *field = le16(b, p + 2);
                p += 4;
            } else {
                utf16(b, p);
            }
        }
        p = align4(p);
        r.language = static_cast<std::uint16_t>(le16(b, p + 6));
        const std::size_t dataAt = at + headerSize;
        r.data.assign(b.begin() + dataAt, b.begin() + dataAt + dataSize);
        if (r.type != 0)
            resources.push_back(r);
        at = align4(dataAt + dataSize);
    }
    return resources;
}

// One node of a version block: a key, a value, and children.
struct VersionNode {
    std::string key;
    std::string text; // value of a text node
    Bytes binary;     // value of a binary node
    std::vector<VersionNode> children;

    const VersionNode& child(const std::string& name) const
    {
        for (const VersionNode& c : children)
            if (c.key == name)
                return c;
        throw std::runtime_error("no version node " + name + " under " + key);
    }
};

VersionNode readVersionNode(const Bytes& b, std::size_t at)
{
    const std::size_t end = at + le16(b, at);
    const std::uint32_t valueLength = le16(b, at + 2);
    const bool isText = le16(b, at + 4) == 1;
    std::size_t p = at + 6;
    VersionNode node;
    node.key = utf16(b, p);
    p = align4(p);
    if (isText && valueLength > 0) {
        std::size_t q = p;
        node.text = utf16(b, q);
        p += 2 * valueLength;
    } else {
        node.binary.assign(b.begin() + p, b.begin() + p + valueLength);
        p += valueLength;
    }
    for (p = align4(p); p < end; p = align4(p + le16(b, p)))
        node.children.push_back(readVersionNode(b, p));
    return node;
}

class WindowsResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        resources_ = readResources(readFile(DRAVELO_WINDOWS_RES));
        ASSERT_FALSE(resources_.empty());
    }

    std::vector<const Resource*> ofType(std::uint32_t type) const
    {
        std::vector<const Resource*> found;
        for (const Resource& r : resources_)
            if (r.type == type)
                found.push_back(&r);
        return found;
    }

    std::vector<Resource> resources_;
};

TEST_F(WindowsResources, AreAllTaggedItalian)
{
    for (const Resource& r : resources_)
        EXPECT_EQ(r.language, kItalian) << "type " << r.type;
}

TEST_F(WindowsResources, VersionBlockIsItalianUnicodeVersionOneOfMorlane)
{
    const auto versions = ofType(kRtVersion);
    ASSERT_EQ(versions.size(), 1u);
    const VersionNode root = readVersionNode(versions[0]->data, 0);
    EXPECT_EQ(root.key, "VS_VERSION_INFO");

    const Bytes& fixed = root.binary;
    ASSERT_EQ(fixed.size(), 52u);
    EXPECT_EQ(le32(fixed, 0), 0xFEEF04BDu);
    EXPECT_EQ(le32(fixed, 8), 0x00010000u);  // file version 1.0
    EXPECT_EQ(le32(fixed, 12), 0u);          // .0.0
    EXPECT_EQ(le32(fixed, 16), 0x00010000u); // product version 1.0
    EXPECT_EQ(le32(fixed, 20), 0u);
    EXPECT_EQ(le32(fixed, 32), 0x00000004u); // 32-bit Windows
    EXPECT_EQ(le32(fixed, 36), 1u);          // application

    const VersionNode& table = root.child("StringFileInfo").child("041004B0");
    const std::map<std::string, std::string> expected = {
        {"CompanyName", "Progetto Dravelo"}, {"FileDescription", "Dravelo"},
        {"ProductName", "Dravelo"},
        {"FileVersion", "1.00"},             {"ProductVersion", "1.00"},
        {"InternalName", "Morlane"},         {"OriginalFilename", "Morlane.exe"},
    };
    std::map<std::string, std::string> actual;
    for (const VersionNode& value : table.children)
        actual[value.key] = value.text;
    EXPECT_EQ(actual, expected);

    const Bytes& translation = root.child("VarFileInfo").child("Translation").binary;
    ASSERT_EQ(translation.size(), 4u);
    EXPECT_EQ(le16(translation, 0), kItalian);
    EXPECT_EQ(le16(translation, 2), 1200u);
}

TEST_F(WindowsResources, ProgramIconGroupHoldsTheThreeImagesOfTheIconFile)
{
    const auto groups = ofType(kRtGroupIcon);
    ASSERT_EQ(groups.size(), 1u);
    const Bytes& group = groups[0]->data;
    ASSERT_EQ(le16(group, 2), 1u);
    ASSERT_EQ(le16(group, 4), 3u);

    const Bytes file = readFile(DRAVELO_PROGRAM_ICON);
    const auto images = ofType(kRtIcon);
    ASSERT_EQ(images.size(), 3u);
    const int expectedSizes[] = {32, 32, 16};
    const std::uint32_t expectedBits[] = {1, 4, 4};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::size_t entry = 6 + 14 * i;
        EXPECT_EQ(group.at(entry), expectedSizes[i]);
        EXPECT_EQ(group.at(entry + 1), expectedSizes[i]);
        EXPECT_EQ(le16(group, entry + 6), expectedBits[i]);
        const std::uint32_t id = le16(group, entry + 12);
        const Resource* image = nullptr;
        for (const Resource* r : images)
            if (r->id == id)
                image = r;
        ASSERT_NE(image, nullptr);
        // The image is the icon file's own, byte for byte.
        const std::size_t fileEntry = 6 + 16 * i;
        const std::uint32_t size = le32(file, fileEntry + 8);
        const std::uint32_t offset = le32(file, fileEntry + 12);
        EXPECT_EQ(image->data, Bytes(file.begin() + offset, file.begin() + offset + size));
    }
}

} // namespace
