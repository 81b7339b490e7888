// The launcher's smaller windows: the game list and its docking, the
// quick-start hints, the documentation opener and the error report.
#include <filesystem>
#include <fstream>

#include "framework/display_report.h"
#include "launcher/documentation.h"
#include "launcher/error_form.h"
#include "launcher/game_list.h"
#include "launcher/quick_start.h"
#include "launcher_fixture.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

constexpr FormRect kDesktop{0, 0, 1280, 1024};
constexpr FormRect kList{0, 0, 300, 249};

TEST(DockGameList, SitsRightOfTheLauncherWithBottomEdgesAligned) {
    const FormRect docked = DockGameList({200, 100, 504, 610}, kList, kDesktop);
    EXPECT_EQ(docked.left, 200 + 504 + 5);
    EXPECT_EQ(docked.top, 100 + 610 - 249);
    EXPECT_EQ(docked.width, 300);
    EXPECT_EQ(docked.height, 249);
}

TEST(DockGameList, MovesLeftWhenTheRightSideRunsOffTheDesktop) {
    const FormRect docked = DockGameList({900, 100, 504, 610}, kList, kDesktop);
    EXPECT_EQ(docked.left, 900 - 300 - 5);
    // Exactly fitting on the right stays right.
    EXPECT_EQ(DockGameList({476, 100, 504, 610}, kList, kDesktop).left, 476 + 504 + 5);
    EXPECT_EQ(DockGameList({477, 100, 504, 610}, kList, kDesktop).left, 477 - 300 - 5);
}

TEST(DockGameList, NearTheLeftEdgeStaysRightEvenIfItDoesNotFit) {
    const FormRect narrow{0, 0, 800, 600};
    EXPECT_EQ(DockGameList({100, 0, 504, 610}, kList, narrow).left, 100 + 504 + 5);
    // The left side needs the list to start right of the desktop's edge.
    EXPECT_EQ(DockGameList({300, 0, 504, 610}, kList, narrow).left, 300 + 504 + 5);
    EXPECT_EQ(DockGameList({301, 0, 504, 610}, kList, narrow).left, 301 - 300 - 5);
}

TEST(DockGameList, CountsFromADesktopThatDoesNotStartAtZero) {
    const FormRect shifted{1280, 0, 1024, 768};
    EXPECT_EQ(DockGameList({1300, 0, 504, 610}, kList, shifted).left, 1300 + 504 + 5);
    EXPECT_EQ(DockGameList({1700, 0, 504, 610}, kList, shifted).left, 1700 - 300 - 5);
}

TEST_F(LauncherTest, TheGameListHasEveryGameInOrderAndNoneSelected) {
    TLauncherForm& form = StartForm();
    TGameListForm& list = *form.gameList;
    ASSERT_EQ(list.GameList.items.size(), 4u);
    EXPECT_EQ(list.GameList.items[0].first, "Driftrock Classic");
    EXPECT_EQ(list.GameList.items[1].first, "Driftrock Retro");
    EXPECT_EQ(list.GameList.items[2].first, "Meteor Marshal");
    EXPECT_EQ(list.GameList.items[3].first, "Shardstorm");
    EXPECT_EQ(list.selected, -1);

    list.GameListChange(-1);  // no row: nothing happens
    EXPECT_EQ(form.CurrentGame(), &Game("Driftrock Classic"));
    list.GameListChange(2);
    EXPECT_EQ(list.selected, 2);
    EXPECT_EQ(form.CurrentGame(), list.GameList.items[2].second);
}

// B or Escape closes the list as it does the dialogs, handing the keyboard
// back to the launcher; the launcher's own key or button brings it back.
TEST_F(LauncherTest, TheGameListClosesAndComesBackWithTheKeyboard) {
    TLauncherForm& form = StartForm();
    TGameListForm& list = *form.gameList;
    ASSERT_TRUE(list.visible);
    list.GameListChange(3);
    list.Close();
    EXPECT_FALSE(list.visible);
    EXPECT_EQ(host_.listFocus, std::vector<bool>{false});
    EXPECT_EQ(form.CurrentGame(), &Game("Shardstorm"));  // closing picks nothing
    form.OpenGameList();
    EXPECT_TRUE(list.visible);
    EXPECT_EQ(list.selected, 3);
    EXPECT_EQ(host_.listFocus, (std::vector<bool>{false, true}));
}

TEST_F(LauncherTest, TheQuickStartSitsAThirdIntoTheLauncher) {
    TLauncherForm& form = StartForm();
    TFormQuickStartGame& quick = *form.quickStart;
    EXPECT_TRUE(quick.visible);
    EXPECT_FALSE(quick.CheckBoxShowForm.checked);
    EXPECT_EQ(quick.bounds.left, form.bounds.left + kFormClientWidth / 3);
    EXPECT_EQ(quick.bounds.top, form.bounds.top + kFormClientHeight / 3);
    EXPECT_EQ(quick.HintsLabel.Lines().size(), 13u);
    quick.ButtonCloseClick();
    EXPECT_FALSE(quick.visible);
}

TEST_F(LauncherTest, TheQuickStartChoiceGoesUnderTheGameCurrentAtExit) {
    TLauncherForm& form = StartForm();
    form.quickStart->CheckBoxShowForm.checked = true;
    form.SelectGame(Game("Shardstorm"));
    form.FormClose();
    EXPECT_EQ(Stored("kwshardstorm", "hidequickstart"), "1");
    EXPECT_FALSE(Stored("kwdriftrock_classic", "hidequickstart"));

    // Hidden at the next start for that game, still shown for the other.
    EXPECT_FALSE(StartForm(&Game("Shardstorm")).quickStart->visible);
    EXPECT_TRUE(form_->quickStart->CheckBoxShowForm.checked);
    EXPECT_TRUE(StartForm(&Game("Driftrock Classic")).quickStart->visible);
}

TEST(JoinPath, PutsOneSeparatorBetween) {
    EXPECT_EQ(JoinPath("", "a.html"), "a.html");
    EXPECT_EQ(JoinPath("/docs", "a.html"), "/docs/a.html");
    EXPECT_EQ(JoinPath("/docs/", "a.html"), "/docs/a.html");
    EXPECT_EQ(JoinPath("/", "a.html"), "/a.html");
}

TEST(Documentation, CandidatesInOrder) {
    const std::vector<std::string> expected = {
        "/start/rockpile.html",          "/start/rockpile.htm",
        "rockpile.html",                 "rockpile.htm",
        "/opt/rp/bin/rockpile.html",     "/opt/rp/bin/rockpile.htm",
        "/opt/rp/bin/../share/doc/rockpile/rockpile.html", "/opt/rp/bin/../share/doc/rockpile/rockpile.htm",
    };
    EXPECT_EQ(DocumentationCandidates("rockpile", "/start", "/opt/rp/bin"), expected);
    // Without the program's folder only the first four remain.
    EXPECT_EQ(DocumentationCandidates("rockpile", "/start", ""),
              std::vector<std::string>(expected.begin(), expected.begin() + 4));
}

TEST_F(LauncherTest, DocumentationPrefersTheHtmlPageOfTheStartFolder) {
    const std::string start = root_ + "/start";
    std::filesystem::create_directories(start);
    std::ofstream(start + "/manual.htm") << "htm";
    std::ofstream("manual.html") << "html in the current folder";
    std::vector<std::string> opened;
    auto open = [&](const std::string& path) {
        opened.push_back(path);
        return true;
    };
    EXPECT_TRUE(OpenDocumentation("manual", start, false, open));
    EXPECT_EQ(opened.back(), start + "/manual.htm");

    std::ofstream(start + "/manual.html") << "html";
    EXPECT_TRUE(OpenDocumentation("manual", start, false, open));
    EXPECT_EQ(opened.back(), start + "/manual.html");

    std::filesystem::remove_all(start);
    EXPECT_TRUE(OpenDocumentation("manual", start, false, open));
    EXPECT_EQ(opened.back(), "manual.html");
}

TEST_F(LauncherTest, MissingDocumentationIsReportedUnlessQuiet) {
    std::vector<std::string> messages;
    SetMessageObserver([&](const std::string& text, const std::string& caption) {
        messages.push_back(caption + ": " + text);
    });
    int opens = 0;
    auto open = [&](const std::string&) { return ++opens > 0; };
    EXPECT_FALSE(OpenDocumentation("no-such-manual", root_, true, open));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(OpenDocumentation("no-such-manual", root_, false, open));
    EXPECT_EQ(messages, std::vector<std::string>{"error: Unable to find documentation"});
    EXPECT_EQ(opens, 0);
}

TEST_F(LauncherTest, TheDocumentationButtonOpensThePacksPage) {
    std::ofstream("rockpile.html") << "manual";
    TLauncherForm& form = StartForm();
    form.startFolder = root_ + "/work";
    form.ButtonDocumentationClick();
    ASSERT_EQ(host_.opened.size(), 1u);
    EXPECT_EQ(host_.opened[0], root_ + "/work/rockpile.html");
}

TEST(ErrorBox, FormatsTheTextIntoANewForm) {
    std::vector<std::string> shown;
    SetErrorFormPresenter([&](const TFormError& form) { shown.push_back(form.MemoDetails); });
    ErrorBox("Device = %s, code %x", "llvmpipe", 0xbeef);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Device = llvmpipe, code beef");

    const std::string longText(20000, 'x');
    ErrorBox("%s", longText.c_str());
    EXPECT_EQ(shown[1].size(), kErrorBoxCapacity);
    SetErrorFormPresenter({});
}

TEST(ErrorBox, TheMailLinkCarriesTheReportSafelyEncodedAndCut) {
    TFormError form;
    form.MemoDetails = "Device = llvmpipe & co?\r\nline 2 #1 100%";
    const std::string url = ErrorReportMailUrl(form);
    EXPECT_EQ(url.rfind(std::string("mailto:") + kSupportAddress + "?subject=An%20error%20has%20occurred&body=", 0), 0u)
        << url;
    EXPECT_NE(url.find("body=Device%20%3D%20llvmpipe%20%26%20co%3F%0D%0Aline%202%20%231%20100%25"), std::string::npos)
        << url;

    form.MemoDetails = std::string(kMailBodyLimit, 'x') + "TAIL";
    const std::string cut = ErrorReportMailUrl(form);
    EXPECT_EQ(cut.find("TAIL"), std::string::npos);
    EXPECT_NE(cut.find(std::string(kMailBodyLimit, 'x')), std::string::npos);
}

TEST(ErrorBox, WithoutAWindowFallsBackToAMessageBox) {
    std::string caption, text;
    SetMessageObserver([&](const std::string& t, const std::string& c) {
        text = t;
        caption = c;
    });
    ErrorBox("%d errors", 3);
    EXPECT_EQ(text, "3 errors");
    EXPECT_EQ(caption, "An error has occurred");
    SetMessageObserver(nullptr);
}

}  // namespace
