#include <climits>
#include <cstring>

#include "persist/kwparam_fixture.h"

namespace {

std::string ReadString(TParamStore& store, const char* name, const char* fallback, int size = 1024) {
    std::string buffer(size_t(size), '?');
    ReadParamString(store, name, fallback, buffer.data(), size);
    return buffer.c_str();
}

TEST_F(ParamStoreTest, TheFirstOpeningStoresEveryDefaultAndLaterOpeningsReadThem) {
    TParamStore store;
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    EXPECT_EQ(store.Disposition, PARAM_CREATED_NEW_KEY);
    EXPECT_EQ(store.IniFile, KeyFile("kwrockpile"));
    EXPECT_EQ(ReadParamInt(store, "shipHull", 3), 3);
    EXPECT_EQ(ReadParamInt(store, "difficulty", -2), -2);
    EXPECT_EQ(ReadString(store, "name_0", "Ace"), "Ace");
    EXPECT_TRUE(CloseParams(store));
    const std::string saved = Read(KeyFile("kwrockpile"));
    EXPECT_EQ(saved, "[kwrockpile]\nshipHull=3\ndifficulty=-2\nname_0=\"Ace\"\n");

    OpenParams("kwrockpile", "kwrockpile", store, 1);
    EXPECT_EQ(store.Disposition, PARAM_OPENED_EXISTING_KEY);
    EXPECT_EQ(ReadParamInt(store, "shipHull", 99), 3);
    EXPECT_EQ(ReadString(store, "name_0", "other"), "Ace");
    EXPECT_TRUE(CloseParams(store));
    EXPECT_EQ(Read(KeyFile("kwrockpile")), saved);
}

TEST_F(ParamStoreTest, ValueNamesMatchWithoutRegardToCaseAndKeepTheirStoredSpelling) {
    Put("kwrockpile", "# edited by hand\n[kwrockpile]\nenablerotation=0\n\n[elsewhere]\nx=1\n");
    TParamStore store;
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    WriteParamInt(store, "enableRotation", 1);
    EXPECT_TRUE(CloseParams(store));
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    EXPECT_EQ(ReadParamInt(store, "ENABLEROTATION", 5), 1);
    EXPECT_EQ(ReadParamInt(store, "enablerotation", 5), 1);
    CloseParams(store);
    std::string saved = Read(KeyFile("kwrockpile"));
    EXPECT_NE(saved.find("enablerotation=1\n"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("enableRotation"), std::string::npos) << saved;
    EXPECT_NE(saved.find("# edited by hand"), std::string::npos) << saved;
    EXPECT_NE(saved.find("[elsewhere]\nx=1"), std::string::npos) << saved;
}

TEST_F(ParamStoreTest, AValueMissingFromAnExistingKeyGivesTheDefaultAndWritesNothing) {
    const std::string before = "[kwshardstorm]\nscore_0=500\n";
    Put("kwshardstorm", before);
    TParamStore store;
    OpenParams("kwshardstorm", "kwshardstorm", store, 1);
    EXPECT_EQ(store.Disposition, PARAM_OPENED_EXISTING_KEY);
    EXPECT_EQ(ReadParamInt(store, "score_1", 77), 77);
    EXPECT_EQ(ReadString(store, "name_1", "nobody"), "nobody");
    EXPECT_EQ(ReadParamInt(store, "score_0", 0), 500);
    EXPECT_TRUE(CloseParams(store));
    EXPECT_EQ(Read(KeyFile("kwshardstorm")), before);
}

TEST_F(ParamStoreTest, AnyTextRoundTrips) {
    const std::vector<std::string> texts = {
        "He said \"hi\"", "line one\nline two\r\n", "tab\there", "Zoë 🚀 Łódź", "  padded  ", "back\\slash\\",
        "", "\x01\x1f control", "\xff\xfe not UTF-8", "=[section]=", "\"", "#not a comment", ";semicolon"};
    TParamStore store;
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    CloseParams(store);
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    for (size_t i = 0; i < texts.size(); ++i)
        WriteParamString(store, ("name_" + std::to_string(i)).c_str(), texts[i].c_str());
    ASSERT_TRUE(CloseParams(store));
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    ASSERT_EQ(store.Disposition, PARAM_OPENED_EXISTING_KEY);
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(ReadString(store, ("name_" + std::to_string(i)).c_str(), "default"), texts[i]) << i;
    std::string saved = Read(KeyFile("kwrockpile"));
    EXPECT_NE(saved.find("Zoë 🚀 Łódź"), std::string::npos) << "UTF-8 stays readable";
}

TEST_F(ParamStoreTest, IntegersKeepTheirFullRangeAndOtherTextGivesTheDefault) {
    Put("kwrockpile", "[kwrockpile]\nbig=99999999999\nword=\"12\"\nhex=0x10\nspaced= 42 \nempty=\n");
    TParamStore store;
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    WriteParamInt(store, "low", INT_MIN);
    WriteParamInt(store, "high", INT_MAX);
    EXPECT_EQ(ReadParamInt(store, "big", 1), 1);
    EXPECT_EQ(ReadParamInt(store, "word", 2), 2);
    EXPECT_EQ(ReadParamInt(store, "hex", 3), 3);
    EXPECT_EQ(ReadParamInt(store, "spaced", 4), 42);
    EXPECT_EQ(ReadParamInt(store, "empty", 5), 5);
    EXPECT_EQ(ReadString(store, "spaced", ""), "42");
    CloseParams(store);
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    EXPECT_EQ(ReadParamInt(store, "low", 0), INT_MIN);
    EXPECT_EQ(ReadParamInt(store, "high", 0), INT_MAX);
}

TEST_F(ParamStoreTest, AStoredTextIsTakenOnlyIfItFitsTheBufferLessOneByte) {
    Put("kwrockpile", "[kwrockpile]\nname=\"abcd\"\n");
    TParamStore store;
    OpenParams("kwrockpile", "kwrockpile", store, 1);
    EXPECT_EQ(ReadString(store, "name", "dflt", 6), "abcd");
    EXPECT_EQ(ReadString(store, "name", "xy", 5), "xy");
    EXPECT_EQ(ReadString(store, "name", "a long default", 5), "a lo");  // never past the buffer
    char shared[16] = "same";
    ReadParamString(store, "name", shared, shared, sizeof(shared));
    EXPECT_STREQ(shared, "abcd");
    ReadParamString(store, "absent", shared, shared, sizeof(shared));
    EXPECT_STREQ(shared, "abcd");
}

TEST_F(ParamStoreTest, GetParamStringCreatesAMissingKeyAndSharesOneBuffer) {
    const char* first = GetParamString("kwdriftrock_retro", "InstallPath", "/opt/rockpile");
    EXPECT_STREQ(first, "/opt/rockpile");
    EXPECT_NE(Read(KeyFile("kwdriftrock_retro")).find("InstallPath=\"/opt/rockpile\""), std::string::npos);
    const char* second = GetParamString("kwdriftrock_retro", "installpath", "");
    EXPECT_EQ(first, second);
    EXPECT_STREQ(second, "/opt/rockpile");
    GetParamString("kwdriftrock_retro", "hide", "0");
    EXPECT_STREQ(first, "0") << "an existing key stores nothing and returns the default";
    EXPECT_EQ(Read(KeyFile("kwdriftrock_retro")).find("hide"), std::string::npos);
}

}  // namespace
