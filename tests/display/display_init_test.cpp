// Device creation with the 16-bit retry and the failure report, on the
// headless device type with scripted device creators.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/display.h"
#include "framework/display_report.h"
#include "platform/message_box.h"

namespace {

class DisplayInitTest : public ::testing::Test {
protected:
    void TearDown() override {
        ShutdownD3D(theDevice);
        SetDeviceCreator(nullptr);
        SetErrorReporter(nullptr);
    }
    bool Init(bool windowed = true, uint32_t interval = D3DPRESENT_INTERVAL_ONE) {
        Device* device = nullptr;
        const bool ok = InitD3D(nullptr, "Meteor Marshal", "1.2", "MeteorMarshalWnd", "Meteor Marshal", 640,
                                480, windowed, interval, -1, 0, D3DDEVTYPE_NULLREF, &device);
        EXPECT_EQ(device, ok ? theDevice : nullptr);
        return ok;
    }
};

TEST_F(DisplayInitTest, HeadlessInitGivesAWindowAndADeviceOfTheRequestedSize) {
    ASSERT_TRUE(Init(false, D3DPRESENT_INTERVAL_IMMEDIATE));
    ASSERT_NE(theGameWindow, nullptr);
    EXPECT_EQ(theGameWindow->native, nullptr);
    EXPECT_EQ(theDevice->BackBufferWidth(), 640);
    EXPECT_EQ(theDevice->BackBufferHeight(), 480);
    EXPECT_FALSE(openDisplay.windowed);
    EXPECT_TRUE(openDisplay.headless);  // its frames are stepped, never drawn
    EXPECT_FALSE(savedPresentParams.windowed);
    EXPECT_EQ(savedPresentParams.depthStencilFormat, D3DFMT_D24S8);
    EXPECT_EQ(savedPresentParams.presentationInterval, D3DPRESENT_INTERVAL_IMMEDIATE);

    ResetToWindowed(theDevice);
    EXPECT_EQ(theDevice->BackBufferWidth(), 800);
    EXPECT_EQ(theDevice->BackBufferHeight(), 600);
    ShutdownD3D(theDevice);
    EXPECT_EQ(theDevice, nullptr);
    EXPECT_EQ(theGameWindow, nullptr);
    EXPECT_FALSE(openDisplay.headless);
}

TEST_F(DisplayInitTest, AFailedD24S8DeviceIsRetriedOnceWithD16) {
    std::vector<D3DFORMAT> tried;
    SetDeviceCreator([&](GameWindow*, const PresentParams& p, std::string& error) -> std::unique_ptr<Device> {
        tried.push_back(p.depthStencilFormat);
        if (p.depthStencilFormat == D3DFMT_D24S8) {
            error = "no D24S8";
            return nullptr;
        }
        return std::make_unique<NullDevice>(p.backBufferWidth, p.backBufferHeight);
    });
    ASSERT_TRUE(Init());
    EXPECT_EQ(tried, (std::vector<D3DFORMAT>{D3DFMT_D24S8, D3DFMT_D16}));
    EXPECT_EQ(savedPresentParams.depthStencilFormat, D3DFMT_D16);
}

TEST_F(DisplayInitTest, TwoFailuresGiveTheReportAndNoDevice) {
    int attempts = 0;
    SetDeviceCreator([&](GameWindow*, const PresentParams& p, std::string& error) -> std::unique_ptr<Device> {
        ++attempts;
        error = std::string("refused ") + (p.depthStencilFormat == D3DFMT_D16 ? "D16" : "D24S8");
        return nullptr;
    });
    std::vector<std::string> reports;
    SetErrorReporter([&](const std::string& text) { reports.push_back(text); });
    EXPECT_FALSE(Init());
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(theDevice, nullptr);
    EXPECT_EQ(theGameWindow, nullptr);
    ASSERT_EQ(reports.size(), 1u);
    const std::string& report = reports[0];
    EXPECT_EQ(report.rfind("Failed to create an OpenGL device. \r\n\r\nProgram = Meteor Marshal 1.2\r\n", 0), 0u);
    EXPECT_NE(report.find("Error codes = 80004005, 80004005, ffffff85 \r\n"), std::string::npos);
    EXPECT_NE(report.find("Errors = refused D24S8; refused D16\r\n"), std::string::npos);
    EXPECT_NE(report.find("640x480 windowed, depth-stencil D24S8 then D16, swap interval 1"), std::string::npos);
    EXPECT_NE(report.find(std::string("Please report this error to ") + kSupportAddress + "\r\n"),
              std::string::npos);
}

TEST_F(DisplayInitTest, InBatchModeTheReportGoesToStandardError) {
    SetDeviceCreator([](GameWindow*, const PresentParams&, std::string&) { return std::unique_ptr<Device>(); });
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Init());
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("An error has occurred"), std::string::npos);
    EXPECT_NE(err.find("Failed to create an OpenGL device."), std::string::npos);
}

TEST_F(DisplayInitTest, AWindowClassNeedsAName) {
    std::vector<std::string> boxes;
    SetMessageObserver([&](const std::string& text, const std::string&) { boxes.push_back(text); });
    Device* device = nullptr;
    EXPECT_FALSE(InitD3D(nullptr, "p", "v", "", "t", 640, 480, true, 1, -1, 0, D3DDEVTYPE_NULLREF, &device));
    SetMessageObserver(nullptr);
    EXPECT_EQ(boxes, std::vector<std::string>{"RegisterClass() - FAILED"});
}

TEST(FailureReport, FactsNotObtainedKeepTheirMarkers) {
    DeviceFailureFacts facts;
    facts.programName = "Shardstorm";
    facts.programVersion = "2.0";
    EXPECT_EQ(FormatDeviceFailureReport(facts),
              "Failed to create an OpenGL device. \r\n\r\nProgram = Shardstorm 2.0\r\n"
              "Error codes = ffffff85, ffffff85, ffffff85 \r\nDevice = ?\r\nDriver = ?\r\nVersion = ?\r\n"
              "Modes = ?\r\nFormats = ?\r\nErrors = ?; ?\r\n\r\nPlease report this error to " +
                  std::string(kSupportAddress) + "\r\n");
}

}  // namespace
