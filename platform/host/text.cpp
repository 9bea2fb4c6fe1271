// Windows-1252, the program's 8-bit text, and UTF-8, the host's.
#include "platform/host/host.h"

namespace host {

uint32_t Cp1252CodePoint(unsigned char c) {
    // 0x80..0x9F are where Windows-1252 parts from Latin-1.
    static const uint16_t high[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    return c >= 0x80 && c < 0xA0 ? high[c - 0x80] : c;
}

int Cp1252Byte(uint32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) return int(code_point);
    for (int b = 0x80; b < 0xA0; ++b)
        if (Cp1252CodePoint(static_cast<unsigned char>(b)) == code_point) return b;
    return -1;
}

std::string Cp1252ToUtf8(const char* s) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s ? s : ""); *p; ++p) {
        uint32_t cp = Cp1252CodePoint(*p);
        if (cp == 0) cp = 0xFFFD;  // the bytes the code page leaves undefined
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

bool EqualIgnoringCase(const char* a, const char* b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : int(c); };
    for (; *a || *b; ++a, ++b)
        if (lower(static_cast<unsigned char>(*a)) != lower(static_cast<unsigned char>(*b))) return false;
    return true;
}

}  // namespace host
