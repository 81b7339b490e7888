// The game window's focus changes and the screenshot key.
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "framework/display.h"
#include "framework/gameglobals.h"
#include "game/screenshot.h"
#include "game/session_globals.h"
#include "game/ship.h"
#include "input/joystick.h"
#include "platform/files.h"
#include "platform/keyboard.h"
#include "session_fixture.h"

namespace {

// A mouse that opens without a video system and, like the real one, forgets
// its position when it is opened again.
class TestMouse : public TDIMouse {
public:
    int Setup() override {
        x = y = 0;
        created = true;
        return 0;
    }
    void ReleaseDevice() override { created = false; }
};

class FocusTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        settings.inputDevice = INPUT_MOUSE;
        mouse.Setup();
        mouse.SetPosition(700, 300);
        theMouse = &mouse;
    }
    void TearDown() override {
        theMouse = nullptr;
        SessionTest::TearDown();
    }
    void Focus(bool gained) { SendEvent(window, Event(gained ? GameEventType::FocusGained : GameEventType::FocusLost)); }

    TestMouse mouse;
};

TEST_F(FocusTest, LosingFocusPausesAndLetsTheMouseGo) {
    Focus(false);
    EXPECT_EQ(paused, 1);
    EXPECT_FALSE(mouse.created);
    const Vector3 before = theShip->position;
    theShip->velocity = {5, 0, 0};
    Frame(0.5f);
    EXPECT_EQ(theShip->position.x, before.x) << "the world stands still while the window is away";

    // Coming back takes the mouse again where it was; a key resumes.
    Focus(true);
    EXPECT_EQ(paused, 1);
    EXPECT_TRUE(mouse.created);
    EXPECT_EQ(mouse.x, 700);
    EXPECT_EQ(mouse.y, 300);
    Char('x');
    EXPECT_EQ(paused, 0);
}

TEST_F(FocusTest, TheOptionOffLeavesPlayAndMouseAlone) {
    settings.pauseOnFocusLoss = 0;
    Focus(false);
    EXPECT_EQ(paused, 0);
    EXPECT_TRUE(mouse.created);
}

TEST_F(FocusTest, KeyboardPlayPausesWithoutAMouse) {
    settings.inputDevice = INPUT_KEYBOARD;
    theMouse = nullptr;
    Focus(false);
    EXPECT_EQ(paused, 1);
    Focus(true);
    EXPECT_EQ(paused, 1);
}

// A device whose frames are 4 x 2 pictures, readable once shown only when
// asked for before.
class PictureDevice : public RecordingDevice {
public:
    void KeepNextShownFrame() override { keepNext_ = true; }
    HRESULT Present() override {
        shownKept_ = keepNext_;
        keepNext_ = false;
        return RecordingDevice::Present();
    }
    bool ReadFrontBuffer(Image& out) override {
        out.width = 4;
        out.height = 2;
        out.rgba.assign(4 * 2 * 4, 0x80);
        return readable && shownKept_;
    }
    bool readable = true;

private:
    bool keepNext_ = false, shownKept_ = false;
};

class ScreenshotTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        folder = ::testing::TempDir() + "pictures-" + std::to_string(getpid());
        std::filesystem::remove_all(folder);
        setenv("XDG_PICTURES_DIR", folder.c_str(), 1);
        theDevice = &pictures;
    }
    void TearDown() override {
        theDevice = &device;
        unsetenv("XDG_PICTURES_DIR");
        std::filesystem::remove_all(folder);
        SessionTest::TearDown();
    }
    int Pictures() const {
        const std::string dir = folder + "/rockpile";
        if (!std::filesystem::exists(dir)) return 0;
        int n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) n += entry.path().extension() == ".png";
        return n;
    }

    PictureDevice pictures;
    std::string folder;
};

TEST_F(ScreenshotTest, F12WritesTheNextFrameAsDatedPicturesAndSaysWhere) {
    ::testing::internal::CaptureStderr();
    Key(VK_F12);
    EXPECT_EQ(Pictures(), 0) << "the picture is the next frame";
    Frame();
    EXPECT_EQ(Pictures(), 1);
    Frame();
    EXPECT_EQ(Pictures(), 1) << "one key, one picture";
    Key(VK_F12);
    Frame();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Pictures(), 2) << "two pictures in the same second get two names";
    EXPECT_NE(said.find("screenshot saved to " + folder + "/rockpile/rockpile-"), std::string::npos) << said;
    EXPECT_EQ(theShip->starbursts, 0);
    EXPECT_EQ(paused, 0);
}

TEST_F(ScreenshotTest, AFrameThatCannotBeReadIsReportedNotWritten) {
    pictures.readable = false;
    ::testing::internal::CaptureStderr();
    Key(VK_F12);
    Frame();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("no screenshot"), std::string::npos);
    EXPECT_EQ(Pictures(), 0);
}

TEST(ScreenshotPath, NamedByLocalDateAndTimeWithoutOverwriting) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::string dir = ::testing::TempDir() + "shots-" + std::to_string(getpid());
    ASSERT_TRUE(MakeDirectories(dir));
    const std::time_t when = 1700000000;  // 2023-11-14 22:13:20 UTC
    const std::string first = ScreenshotPath(dir, when);
    EXPECT_EQ(first, dir + "/rockpile-2023-11-14_22-13-20.png");
    ASSERT_TRUE(AtomicWriteFile(first, "x"));
    EXPECT_EQ(ScreenshotPath(dir, when), dir + "/rockpile-2023-11-14_22-13-20-2.png");
    ASSERT_TRUE(AtomicWriteFile(dir + "/rockpile-2023-11-14_22-13-20-2.png", "x"));
    EXPECT_EQ(ScreenshotPath(dir, when), dir + "/rockpile-2023-11-14_22-13-20-3.png");
    std::filesystem::remove_all(dir);
}

}  // namespace
