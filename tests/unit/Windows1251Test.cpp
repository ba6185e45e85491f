#include "text/Windows1251.h"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

struct CodecCase {
    const char* utf8;
    std::string cp1251;
};

// Both directions agree on every case that Windows-1251 can hold.
TEST(Windows1251, ConvertsBothWays) {
    const CodecCase cases[] = {
        {"", ""},
        {"Ua", "Ua"},
        {"Напряжение", "\xCD\xE0\xEF\xF0\xFF\xE6\xE5\xED\xE8\xE5"},
        {"Ёё Ўў Ґґ Її Єє", "\xA8\xB8 \xA1\xA2 \xA5\xB4 \xAF\xBF \xAA\xBA"},
        {"Uф.cp", "U\xF4.cp"},
        {"№ € ™ «» — …", "\xB9 \x88 \x99 \xAB\xBB \x97 \x85"},
        {"Яя", "\xDF\xFF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWindows1251(c.utf8), c.cp1251) << c.utf8;
        EXPECT_EQ(Windows1251ToUtf8(c.cp1251), c.utf8) << c.utf8;
    }
}

TEST(Windows1251, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToWindows1251(Windows1251ToUtf8(all)), all);
}

TEST(Windows1251, UnmappableAndMalformedBecomeQuestionMarks) {
    const CodecCase cases[] = {
        {"é", "?"},                     // Latin letter outside the code page
        {"a\xF0\x9F\x98\x80z", "a?z"},  // outside the basic plane
        {"\xFF", "?"},                  // never a UTF-8 byte
        {"\x80x", "?x"},                // stray continuation
        {"\xD0", "?"},                  // truncated at the end
        {"\xD0x", "?x"},                // truncated before ASCII
        {"\xC0\xAF", "?"},              // overlong "/"
        {"\xED\xA0\x80", "?"},          // encoded surrogate
        {"\xF4\x90\x80\x80", "?"},      // above U+10FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWindows1251(c.utf8), c.cp1251);
    }
}

TEST(Windows1251, Utf16GoesThroughTheCodePage) {
    EXPECT_EQ(Utf16ToWindows1251(u"Ток (Ia)"), "\xD2\xEE\xEA (Ia)");
    EXPECT_EQ(Utf16ToWindows1251(u"é€"), "?\x88");
    EXPECT_EQ(Utf16ToWindows1251(u"a\U0001F600b"), "a?b");
    const char16_t lone[] = {u'a', char16_t{0xD800}, u'b', char16_t{0xDC00}};
    EXPECT_EQ(Utf16ToWindows1251(std::u16string_view(lone, 4)), "a?b?");
}

}  // namespace
}  // namespace vantor
