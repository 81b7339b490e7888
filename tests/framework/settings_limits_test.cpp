// ClampSettings against the launcher's ranges, written out here rather than
// taken from the settings list.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "framework/gameglobals.h"
#include "framework/settings_limits.h"
#include "settings_fields.h"

namespace {

struct Range {
    const char* name;
    int32_t TSettings::*field;
    int32_t low, high;
};

struct Named {
    const char* name;
    int32_t TSettings::*field;
};

const Named kFlags[] = {
    {"windowed", &TSettings::windowed},
    {"wireFrame", &TSettings::wireFrame},
    {"enableSound", &TSettings::enableSound},
    {"enableSpecular", &TSettings::enableSpecular},
    {"showBounding", &TSettings::showBounding},
    {"showFps", &TSettings::showFps},
    {"presentImmediate", &TSettings::presentImmediate},
    {"timingFallback", &TSettings::timingFallback},
    {"enableCheat", &TSettings::enableCheat},
    {"didSurvey", &TSettings::didSurvey},
    {"enableBarricades", &TSettings::enableBarricades},
    {"enableRotation", &TSettings::enableRotation},
    {"pauseOnFocusLoss", &TSettings::pauseOnFocusLoss},
    {"soundPlacement", &TSettings::soundPlacement},
};

// The launcher's track bars, 0 to 10.
const Named kSliders[] = {
    {"accel", &TSettings::accel},
    {"playerMissile", &TSettings::playerMissile},
    {"ufoMissile", &TSettings::ufoMissile},
    {"mouseVelocity", &TSettings::mouseVelocity},
};

// Virtual-key codes; -1 is no key.
const Named kKeys[] = {
    {"keyFire", &TSettings::keyFire},     {"keyFire0", &TSettings::keyFire0},   {"keyFire1", &TSettings::keyFire1},
    {"keyFire2", &TSettings::keyFire2},   {"keyAltFire", &TSettings::keyAltFire}, {"keyShield", &TSettings::keyShield},
    {"keyBrake", &TSettings::keyBrake},   {"keyThrust", &TSettings::keyThrust}, {"keyLeft", &TSettings::keyLeft},
    {"keyRight", &TSettings::keyRight},
};

// Every whole-number setting whose range stands alone.
std::vector<Range> NumberRanges() {
    std::vector<Range> ranges = {
        {"difficulty", &TSettings::difficulty, 0, 4},
        {"width", &TSettings::width, 320, 16384},
        {"height", &TSettings::height, 200, 16384},
        {"adapter", &TSettings::adapter, 0, 64},
        {"shipHull", &TSettings::shipHull, 1, 1000},
        {"asteroidHull", &TSettings::asteroidHull, 1, 1000},
        {"powerUpChance", &TSettings::powerUpChance, 0, 100},
    };
    for (const Named& n : kFlags) ranges.push_back({n.name, n.field, 0, 1});
    for (const Named& n : kSliders) ranges.push_back({n.name, n.field, 0, 10});
    for (const Named& n : kKeys) ranges.push_back({n.name, n.field, -1, 255});
    return ranges;
}

int32_t Clamped(int32_t TSettings::*field, int32_t value) {
    TSettings s;
    s.*field = value;
    ClampSettings(s);
    return s.*field;
}

TEST(SettingsLimits, DefaultsAndTheEndsOfEveryRangeAreKept) {
    TSettings clamped;
    ClampSettings(clamped);
    ExpectSameSettings(clamped, TSettings{});
    for (const Range& r : NumberRanges()) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Clamped(r.field, r.low), r.low);
        EXPECT_EQ(Clamped(r.field, r.high), r.high);
    }
    // The game's id is whatever the game answers.
    for (int32_t id : {INT_MIN, -1, 13, INT_MAX}) EXPECT_EQ(Clamped(&TSettings::gameId, id), id);
}

TEST(SettingsLimits, NumbersOutsideGoToTheNearestEnd) {
    for (const Range& r : NumberRanges()) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Clamped(r.field, r.low - 1), r.low);
        EXPECT_EQ(Clamped(r.field, INT_MIN), r.low);
        EXPECT_EQ(Clamped(r.field, r.high + 1), r.high);
        EXPECT_EQ(Clamped(r.field, INT_MAX), r.high);
    }
    TSettings s;
    for (BackgroundMode mode : {BACKGROUND_DISABLED, BACKGROUND_STARFIELD}) {
        s.background = mode;
        ClampSettings(s);
        EXPECT_EQ(s.background, mode);
    }
    s.background = static_cast<BackgroundMode>(-1);
    ClampSettings(s);
    EXPECT_EQ(s.background, BACKGROUND_DISABLED);
    s.background = static_cast<BackgroundMode>(6);
    ClampSettings(s);
    EXPECT_EQ(s.background, BACKGROUND_STARFIELD);
    for (InputDevice device : {INPUT_MOUSE, INPUT_KEYBOARD, INPUT_JOYSTICK}) {
        s.inputDevice = device;
        ClampSettings(s);
        EXPECT_EQ(s.inputDevice, device);
    }
    s.inputDevice = static_cast<InputDevice>(INT_MIN);
    ClampSettings(s);
    EXPECT_EQ(s.inputDevice, INPUT_MOUSE);
    s.inputDevice = static_cast<InputDevice>(3);
    ClampSettings(s);
    EXPECT_EQ(s.inputDevice, INPUT_JOYSTICK);
}

TEST(SettingsLimits, RangesThatHangOnAnotherSettingSeeItInRange) {
    TSettings s;
    s.shipHull = 0;
    s.shipStartHull = 50;
    ClampSettings(s);
    EXPECT_EQ(s.shipHull, 1);
    EXPECT_EQ(s.shipStartHull, 1);  // never above the full hull

    s.shipHull = 5000;
    s.shipStartHull = 3000;
    ClampSettings(s);
    EXPECT_EQ(s.shipHull, 1000);
    EXPECT_EQ(s.shipStartHull, 1000);

    s.shipHull = 8;
    s.shipStartHull = 0;
    ClampSettings(s);
    EXPECT_EQ(s.shipStartHull, 1);

    s.baseSpeedMin = 30.0f;
    s.baseSpeedMax = 25.0f;  // below the minimum
    ClampSettings(s);
    EXPECT_EQ(s.baseSpeedMax, 30.0f);

    s.baseSpeedMin = INFINITY;
    s.baseSpeedMax = 5.0f;
    ClampSettings(s);
    EXPECT_EQ(s.baseSpeedMin, 1000.0f);
    EXPECT_EQ(s.baseSpeedMax, 1000.0f);
}

TEST(SettingsLimits, FloatsGoIntoRangeAndNotANumberTakesTheDefault) {
    struct Case {
        float TSettings::*field;
        float in, out;
    };
    const Case cases[] = {
        {&TSettings::baseSpawnInterval, 0.0f, 0.05f},
        {&TSettings::baseSpawnInterval, 100.0f, 60.0f},
        {&TSettings::baseSpawnInterval, -INFINITY, 0.05f},
        {&TSettings::baseSpawnInterval, NAN, 1.0f},
        {&TSettings::baseSpeedMin, -1.0f, 0.0f},
        {&TSettings::baseSpeedMin, NAN, 10.0f},
        {&TSettings::baseSpeedMax, 2000.0f, 1000.0f},
        {&TSettings::baseSpeedMax, NAN, 20.0f},
    };
    for (const Case& c : cases) {
        TSettings s;
        s.*c.field = c.in;
        ClampSettings(s);
        EXPECT_EQ(s.*c.field, c.out) << "from " << c.in;
    }
    // The default maximum speed, 20, is below a minimum of 30: the minimum.
    TSettings s;
    s.baseSpeedMin = 30.0f;
    s.baseSpeedMax = NAN;
    ClampSettings(s);
    EXPECT_EQ(s.baseSpeedMax, 30.0f);
}

}  // namespace
