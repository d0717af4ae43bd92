#include "report/Windows1252.h"

#include <cerrno>
#include <iconv.h>

namespace dravelo::report {

namespace {

constexpr char kReplacement = '?';

// Length of the well-formed UTF-8 character at p, or 1 for a byte that does
// not begin one (so that a stray byte costs one "?" and no more).
std::size_t characterLength(const unsigned char* p, std::size_t left)
{
    const unsigned char lead = p[0];
    std::size_t length = 0;
    unsigned char secondMin = 0x80, secondMax = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondMin = 0xA0; // no overlong forms
        if (lead == 0xED)
            secondMax = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondMin = 0x90;
        if (lead == 0xF4)
            secondMax = 0x8F; // nothing beyond U+10FFFF
    } else {
        return 1;
    }
    if (left < length || p[1] < secondMin || p[1] > secondMax)
        return 1;
    for (std::size_t i = 2; i < length; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 1;
    return length;
}

class Converter {
public:
    Converter() : cd_(iconv_open("WINDOWS-1252", "UTF-8")) {}
    ~Converter()
    {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Without the converter only ASCII survives.
std::string asciiOnly(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto* p = reinterpret_cast<const unsigned char*>(utf8.data() + i);
        const std::size_t length = characterLength(p, utf8.size() - i);
        out += *p < 0x80 ? static_cast<char>(*p) : kReplacement;
        i += length;
    }
    return out;
}

} // namespace

std::string toWindows1252(std::string_view utf8)
{
    Converter converter;
    if (!converter.ok())
        return asciiOnly(utf8);

    std::string out;
    out.reserve(utf8.size());
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char buffer[256];
    while (inLeft > 0) {
        char* next = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter.get(), &in, &inLeft, &next, &outLeft);
        out.append(buffer, static_cast<std::size_t>(next - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: a character the code page lacks, or bytes that
        // are not UTF-8.
        out += kReplacement;
        const std::size_t skip = characterLength(reinterpret_cast<const unsigned char*>(in), inLeft);
        in += skip;
        inLeft -= skip;
    }
    return out;
}

} // namespace dravelo::report
