#include "persist/key_file.h"

#include <gtest/gtest.h>

namespace {

KeyFile Loaded(std::string_view text) {
    KeyFile file;
    std::string error;
    EXPECT_TRUE(file.Load(text, error)) << error;
    return file;
}

std::string LoadError(std::string_view text) {
    KeyFile file;
    std::string error;
    EXPECT_FALSE(file.Load(text, error)) << "accepted: " << text;
    return error;
}

TEST(KeyFileText, CommentsBlankLinesAndOrderSurviveALoadAndSave) {
    const std::string text =
        "# top comment\n\n[first]\n# about b\nb=2\na=1\n\n# before second\n[second]\nc=\"x y\"\n";
    EXPECT_EQ(Loaded(text).Save(), text);
}

TEST(KeyFileText, BlanksAroundTheEqualsSignAndLineEndsAreNormalised) {
    KeyFile file = Loaded("  [g]  \r\n  key  =   value with  spaces\r\n");
    EXPECT_EQ(file.Value("g", "key"), "value with  spaces");
    EXPECT_EQ(file.Save(), "[g]\nkey=value with  spaces\n");
}

TEST(KeyFileText, ALaterKeyOrGroupOfTheSameNameContinuesTheEarlierOne) {
    KeyFile file = Loaded("[g]\na=1\nb=2\n[h]\nx=0\n[g]\na=3\n");
    EXPECT_EQ(file.Value("g", "a"), "3");
    EXPECT_EQ(file.Value("g", "b"), "2");
    EXPECT_EQ(file.Keys("g"), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(file.Keys("h"), std::vector<std::string>{"x"});
}

TEST(KeyFileText, KeysAreMatchedExactlyAndMissingOnesHaveNoValue) {
    KeyFile file = Loaded("[g]\nName=1\nlocal[fr]=2\n");
    EXPECT_EQ(file.Value("g", "Name"), "1");
    EXPECT_EQ(file.Value("g", "name"), std::nullopt);
    EXPECT_EQ(file.Value("g", "local[fr]"), "2");
    EXPECT_EQ(file.Value("other", "Name"), std::nullopt);
    EXPECT_FALSE(file.HasGroup("other"));
    EXPECT_FALSE(file.HasGroup(""));
}

TEST(KeyFileText, NewKeysGoAfterTheLastKeyAndANewGroupAfterABlankLine) {
    KeyFile file = Loaded("[g]\na=1\n# trailing note\n");
    file.SetValue("g", "b", "2");
    file.SetValue("g", "a", "changed");
    file.SetValue("new", "c", "3");
    EXPECT_EQ(file.Save(), "[g]\na=changed\nb=2\n# trailing note\n\n[new]\nc=3\n");

    KeyFile empty;
    empty.SetValue("only", "k", "v");
    empty.SetValue("next", "k", "w");
    EXPECT_EQ(empty.Save(), "[only]\nk=v\n\n[next]\nk=w\n");
}

TEST(KeyFileText, AFailedLoadNamesTheLineAndKeepsTheEarlierContents) {
    KeyFile file = Loaded("[kept]\nk=v\n");
    std::string error;
    EXPECT_FALSE(file.Load("[g]\nok=1\nnonsense\n", error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_NE(error.find("nonsense"), std::string::npos) << error;
    EXPECT_EQ(file.Value("kept", "k"), "v");
}

TEST(KeyFileText, MalformedFilesAreRefusedWithTheirReason) {
    EXPECT_NE(LoadError("a=1\n[g]\n").find("before the first group"), std::string::npos);
    EXPECT_NE(LoadError("[g]\n=1\n").find("not a key-value pair"), std::string::npos);
    EXPECT_NE(LoadError("[g\n").find("not a key-value pair"), std::string::npos);
    EXPECT_NE(LoadError("[]\n").find("not a key-value pair"), std::string::npos);
    EXPECT_NE(LoadError("[a[b]\n").find("not a key-value pair"), std::string::npos);
    EXPECT_NE(LoadError("[g] tail\n").find("not a key-value pair"), std::string::npos);
    EXPECT_NE(LoadError("[g]\na]b=1\n").find("invalid key name"), std::string::npos);
    EXPECT_NE(LoadError("[g]\nx[=1\n").find("invalid key name"), std::string::npos);
    EXPECT_NE(LoadError("[g]\nEncoding=latin1\n").find("unsupported encoding"), std::string::npos);
    EXPECT_NE(LoadError("[g]\nname=J\xe9r\xf4me\n").find("line 2 is not UTF-8"), std::string::npos);
    EXPECT_EQ(Loaded("[g]\nEncoding=UTF-8\n").Value("g", "Encoding"), "UTF-8");
}

TEST(KeyFileText, Utf8IsCheckedStrictly) {
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8("J\xc3\xa9r\xc3\xb4me \xe2\x82\xac \xf0\x9f\x9a\x80"));
    EXPECT_TRUE(IsValidUtf8("\xf4\x8f\xbf\xbf"));  // U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));  // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xe0\x80\xaf"));  // overlong in three bytes
    EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));  // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xe2\x82"));  // cut short
    EXPECT_FALSE(IsValidUtf8("\x80"));  // a lone continuation byte
    EXPECT_FALSE(IsValidUtf8("\xc3\x28"));  // a bad continuation byte
}

TEST(KeyFileEscapes, EveryByteRoundTripsAndTheEscapedTextIsPrintable) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    const std::string escaped = EscapeText(all, false);
    for (char c : escaped) EXPECT_TRUE(c >= 0x20 && c < 0x7f) << int(c);
    EXPECT_EQ(UnescapeText(escaped), all);
}

TEST(KeyFileEscapes, NamedEscapesOctalAndHighBytes) {
    EXPECT_EQ(EscapeText("a\"b\\c\n\t\x01\x7f", false), "a\\\"b\\\\c\\n\\t\\001\\177");
    EXPECT_EQ(EscapeText("J\xc3\xa9", false), "J\\303\\251");
    EXPECT_EQ(EscapeText("J\xc3\xa9", true), "J\xc3\xa9");
    EXPECT_EQ(UnescapeText("J\\303\\251"), "J\xc3\xa9");
    EXPECT_EQ(UnescapeText("\\1x\\0123"), "\x01x\n3");  // one to three octal digits
    EXPECT_EQ(UnescapeText("\\q\\\""), "q\"");  // a backslash before another byte drops
    EXPECT_EQ(UnescapeText("end\\"), "end");  // a lone backslash ends the text
}

}  // namespace
