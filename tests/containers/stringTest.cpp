#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <new>
#include <string>

#include "containers/string_c.h"
#include "failingArrayNew.h"

namespace {

using containersTest::failArrayNewAt;

// The text held, with textSize checked against it (terminator counted).
void expectText(const string_c& s, const std::string& expected) {
    ASSERT_NE(s.text, nullptr);
    EXPECT_EQ(std::string(s.text), expected);
    EXPECT_EQ(s.textSize, expected.size() + 1);
    EXPECT_EQ(s.length(), expected.size());
}

void expectNoStorage(const string_c& s) {
    EXPECT_EQ(s.text, nullptr);
    EXPECT_EQ(s.textSize, 0u);
    EXPECT_EQ(s.length(), 0u);
}

TEST(stringConstruction, nullGivesNoStorageAndEmptyTextGivesOneByte) {
    string_c none(nullptr), empty(""), deflt;
    expectNoStorage(none);
    expectNoStorage(deflt);
    expectText(empty, "");
    EXPECT_TRUE(none.equals(empty));
    EXPECT_TRUE(empty.equals(none));
    EXPECT_STREQ(none.cStr(), "");
}

TEST(stringConstruction, copyOwnsItsOwnBuffer) {
    string_c original("abc");
    string_c copy(original);
    expectText(copy, "abc");
    EXPECT_NE(copy.text, original.text);
    copy.toUpper();
    expectText(original, "abc");

    string_c none;
    string_c noneCopy(none);
    expectNoStorage(noneCopy);
}

struct editCase_c {
    const char* name;
    std::string input;  // a single "\x01" stands for a string_c without storage
    std::function<void(string_c&)> edit;
    std::string expected;  // "\x01" again for no storage
};

const std::string noStorage = "\x01";

void runEditCases(const std::vector<editCase_c>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        string_c s(c.input == noStorage ? nullptr : c.input.c_str());
        c.edit(s);
        if (c.expected == noStorage)
            expectNoStorage(s);
        else
            expectText(s, c.expected);
    }
}

TEST(stringEdit, trimRemovesCLocaleWhiteSpaceAtBothEndsOnly) {
    runEditCases({
        {"all kinds of white space", " \t\r\n\v\f ", [](string_c& s) { s.trim(); }, ""},
        {"inner blank kept", "  ab c ", [](string_c& s) { s.trim(); }, "ab c"},
        {"0xA0 is not white space", "\xA0 x \xA0", [](string_c& s) { s.trim(); }, "\xA0 x \xA0"},
        {"nothing to trim", "abc", [](string_c& s) { s.trim(); }, "abc"},
        {"empty text", "", [](string_c& s) { s.trim(); }, ""},
        {"no storage", noStorage, [](string_c& s) { s.trim(); }, noStorage},
        {"trimLeft alone", " \ta b ", [](string_c& s) { s.trimLeft(); }, "a b "},
        {"trimRight alone", " a b\n\n", [](string_c& s) { s.trimRight(); }, " a b"},
    });
}

TEST(stringEdit, trimKeepsStorageAndTrimRightWorksInPlace) {
    string_c blanks(" \t\r\n ");
    blanks.trim();
    expectText(blanks, "");

    string_c right("ab  ");
    const char* before = right.text;
    right.trimRight();
    EXPECT_EQ(right.text, before);
    expectText(right, "ab");
}

TEST(stringEdit, toUpperChangesOnlyAsciiLettersInPlace) {
    string_c s("az{`@AZ09 \xE0\xFF\x80");
    const char* before = s.text;
    s.toUpper();
    EXPECT_EQ(s.text, before);
    expectText(s, "AZ{`@AZ09 \xE0\xFF\x80");
}

TEST(stringEdit, prefixWordsPutsTheCharacterBeforeEveryWord) {
    const auto slash = [](string_c& s) { s.prefixWords('/'); };
    runEditCases({
        {"blanks and a tab stay in place", "  a\tbc  d ", slash, "  /a\t/bc  /d "},
        {"a single letter", "x", slash, "/x"},
        {"a word at the very start", "SUCF NEWPS", slash, "/SUCF /NEWPS"},
        {"blanks only", "   ", slash, "   "},
        {"empty text", "", slash, ""},
        {"no storage", noStorage, slash, noStorage},
        {"bytes 0x80 and up are word characters", "\xA0", slash, "/\xA0"},
    });
}

TEST(stringEdit, eraseRemovesUpToNCharacters) {
    runEditCases({
        {"more than remain", "abc", [](string_c& s) { s.erase(1, 5); }, "a"},
        {"count that would wrap", "abc", [](string_c& s) { s.erase(1, 0xFFFFFFFFu); }, "a"},
        {"from the start", "abc", [](string_c& s) { s.erase(0, 1); }, "bc"},
        {"inside", "abcd", [](string_c& s) { s.erase(1, 2); }, "ad"},
        {"exactly to the end", "abcd", [](string_c& s) { s.erase(2, 2); }, "ab"},
        {"at the length", "abc", [](string_c& s) { s.erase(3, 1); }, "abc"},
        {"beyond the terminator", "abc", [](string_c& s) { s.erase(4, 1); }, "abc"},
        {"zero characters", "abc", [](string_c& s) { s.erase(1, 0); }, "abc"},
        {"no storage", noStorage, [](string_c& s) { s.erase(0, 3); }, noStorage},
    });
}

TEST(stringEdit, eraseMakesANewBufferExactlyWhenItApplies) {
    string_c atLength("abc");
    const char* before = atLength.text;
    atLength.erase(3, 1);
    EXPECT_NE(atLength.text, before);

    string_c outside("abc");
    before = outside.text;
    outside.erase(4, 1).erase(0, 0);
    EXPECT_EQ(outside.text, before);
}

TEST(stringEdit, appendAddsAtTheEnd) {
    runEditCases({
        {"empty text to no storage", noStorage, [](string_c& s) { s.append(""); }, noStorage},
        {"empty text to a text", "ab", [](string_c& s) { s.append(""); }, "ab"},
        {"null pointer", "ab", [](string_c& s) { s.append(nullptr); }, "ab"},
        {"one character to no storage", noStorage, [](string_c& s) { s.append("x"); }, "x"},
        {"to the empty text", "", [](string_c& s) { s.append("xy"); }, "xy"},
        {"to a text", "ab", [](string_c& s) { s.append("cd"); }, "abcd"},
        {"counted part of a text", "ab", [](string_c& s) { s.append("cdef", 2); }, "abcd"},
        {"another string_c", "ab", [](string_c& s) { s.append(string_c(" NEWPS")); }, "ab NEWPS"},
        {"itself", "ab", [](string_c& s) { s.append(s); }, "abab"},
        {"a string_c without storage", "ab", [](string_c& s) { s.append(string_c()); }, "ab"},
    });
}

TEST(stringEdit, assignReplacesTheText) {
    runEditCases({
        {"from no storage frees", "abc", [](string_c& s) { s.assign(string_c()); }, noStorage},
        {"null pointer frees", "abc", [](string_c& s) { s.assign(nullptr, 0); }, noStorage},
        {"from the empty text", "abc", [](string_c& s) { s.assign(string_c("")); }, ""},
        {"longer", "ab", [](string_c& s) { s.assign(string_c("wxyz")); }, "wxyz"},
        {"itself", "abc", [](string_c& s) { s.assign(s); }, "abc"},
        {"a tail of its own buffer", "abcdef", [](string_c& s) { s.assign(s.text + 2, 4); }, "cdef"},
        {"into no storage", noStorage, [](string_c& s) { s.assign("q", 1); }, "q"},
    });
}

TEST(stringEdit, assignReusesTheBufferOnlyWithinTextSize) {
    string_c s("abcdef");
    const char* first = s.text;
    s.assign(string_c("xy"));
    EXPECT_EQ(s.text, first);
    expectText(s, "xy");
    s.assign(string_c("xyz"));
    EXPECT_NE(s.text, first) << "only textSize counts, not the buffer's real size";
    expectText(s, "xyz");
}

struct findCase_c {
    const char* name;
    const char* text;  // null: no storage
    const char* needle;
    uint32_t start;
    bool caseSensitive;
    uint32_t expected;
};

TEST(stringFind, reportsThePositionFromTheBeginningOrTheLength) {
    const findCase_c cases[] = {
        {"no storage", nullptr, "a", 0, true, 0},
        {"no storage, empty needle", nullptr, "", 0, false, 0},
        {"start at the length", "abc", "c", 3, true, 3},
        {"start beyond the length", "abc", "", 9, true, 3},
        {"empty needle found at start", "abc", "", 1, true, 1},
        {"needle without storage found at start", "abc", nullptr, 2, true, 2},
        {"found after start", "ABCABC", "BC", 2, true, 4},
        {"found at start", "ABCABC", "BC", 1, true, 1},
        {"not found", "ABCABC", "CA ", 0, true, 6},
        {"needle longer than the text", "AB", "ABC", 0, false, 2},
        {"lower-case needle, case ignored", "XXSUCF SUCF", "sucf", 3, false, 7},
        {"lower-case needle, case regarded", "XXSUCF SUCF", "sucf", 0, true, 11},
        {"mixed cases both sides", "a ChiralFlagOn", "CHIRALflagon", 0, false, 2},
        {"0xE0 is not the upper case of anything", "\xC0", "\xE0", 0, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const string_c text(c.text), needle(c.needle);
        EXPECT_EQ(text.find(needle, c.start, c.caseSensitive), c.expected);
        if (c.text) {
            EXPECT_STREQ(text.text, c.text) << "find must not change the text";
        }
    }
}

TEST(stringCompare, equalsComparesBytesAndTerminator) {
    EXPECT_TRUE(string_c("AUXNONE").equals(string_c("AUXNONE")));
    EXPECT_FALSE(string_c("AUXNONE").equals(string_c("auxnone")));
    EXPECT_FALSE(string_c("AUX").equals(string_c("AUXNONE")));
    EXPECT_FALSE(string_c("AUXNONE").equals(string_c("AUX")));
    EXPECT_FALSE(string_c("").equals(string_c("a")));
    EXPECT_FALSE(string_c().equals(string_c(" ")));
    EXPECT_TRUE(string_c().equals(string_c()));
}

TEST(stringDetach, handsTheBufferOverAndLeavesNoStorage) {
    string_c s("/NEWPS");
    const char* buffer = s.text;
    char* taken = s.detach();
    EXPECT_EQ(taken, buffer);
    EXPECT_STREQ(taken, "/NEWPS");
    expectNoStorage(s);
    delete[] taken;

    char* fresh = s.detach();
    ASSERT_NE(fresh, nullptr);
    EXPECT_STREQ(fresh, "");
    expectNoStorage(s);
    s.append("reused");
    expectText(s, "reused");
    delete[] fresh;
}

// Every edit that allocates does so before it changes anything: a failed
// allocation leaves the very same buffer holding the very same text.
TEST(stringAllocationFailure, leavesThePreviousText) {
    if (!containersTest::arrayNewReplaced()) GTEST_SKIP() << "operator new[] belongs to the sanitizer";
    const std::pair<const char*, std::function<void(string_c&)>> edits[] = {
        {"assign longer", [](string_c& s) { s.assign("a much longer text", 18); }},
        {"append", [](string_c& s) { s.append("x"); }},
        {"append itself", [](string_c& s) { s.append(s); }},
        {"erase", [](string_c& s) { s.erase(1, 1); }},
        {"prefixWords", [](string_c& s) { s.prefixWords('/'); }},
        {"trimLeft", [](string_c& s) { s.trimLeft(); }},
        {"trim", [](string_c& s) { s.trim(); }},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.first);
        string_c s(" ab cd ");
        const char* buffer = s.text;
        failArrayNewAt(1);
        EXPECT_THROW(edit.second(s), std::bad_alloc);
        failArrayNewAt(0);
        EXPECT_EQ(s.text, buffer);
        expectText(s, " ab cd ");
    }
}

TEST(stringAllocationFailure, caseBlindFindAndDetachThrowWithoutHarm) {
    if (!containersTest::arrayNewReplaced()) GTEST_SKIP() << "operator new[] belongs to the sanitizer";
    string_c text("ABC"), needle("b");
    failArrayNewAt(1);
    EXPECT_THROW(text.find(needle, 0, false), std::bad_alloc);
    failArrayNewAt(2);
    EXPECT_THROW(text.find(needle, 0, false), std::bad_alloc);
    failArrayNewAt(0);
    expectText(text, "ABC");
    expectText(needle, "b");

    string_c none;
    failArrayNewAt(1);
    EXPECT_THROW(none.detach(), std::bad_alloc);
    failArrayNewAt(0);
    expectNoStorage(none);
}

}  // namespace
