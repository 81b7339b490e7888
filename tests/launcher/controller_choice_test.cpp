// The Controls tab's controller side: the Joystick choice following pads
// plugged in and pulled out while the form is up, and the controller
// bindings shown by name and stored by code.
#include <SDL.h>

#include "framework/gameglobals.h"
#include "input/joystick.h"
#include "launcher_fixture.h"
#include "platform/native_events.h"

namespace {

class ControllerChoiceTest : public LauncherTest {
protected:
    void TearDown() override {
        for (int i = SDL_NumJoysticks() - 1; i >= 0; --i)
            if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
        Pump();
        LauncherTest::TearDown();
    }
    // Hands the pending events to the listeners, as the launcher's loop does.
    static void Pump() {
        SDL_Event event;
        while (SDL_PollEvent(&event)) DispatchNativeEvent(event);
    }
    static int Attach(SDL_JoystickType type, const char* name, int axes, int buttons, int hats) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = type;
        desc.naxes = static_cast<Uint16>(axes);
        desc.nbuttons = static_cast<Uint16>(buttons);
        desc.nhats = static_cast<Uint16>(hats);
        desc.name = name;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        Pump();
        return index;
    }
    static const char* Shown(const PadBox& box) {
        const ListItem* item = box.list.Selected();
        return item ? item->text.c_str() : "";
    }
};

TEST_F(ControllerChoiceTest, APadPluggedInAndPulledOutWhileTheFormIsUpChangesTheJoystickChoice) {
    TLauncherForm& form = StartForm();
    ASSERT_EQ(form.LabelJoystickName.caption, "(not found)") << "this machine has a pad attached";
    EXPECT_FALSE(form.RadioButtonJoystick.enabled);

    const int index = Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, "Couch Pad", 6, 15, 1);
    ASSERT_GE(index, 0) << SDL_GetError();
    EXPECT_EQ(form.LabelJoystickName.caption, "Couch Pad");
    EXPECT_TRUE(form.RadioButtonJoystick.enabled);

    // Chosen, then pulled out: the choice stays for the next pad, Play takes
    // the keyboard meanwhile.
    form.RadioButtonMouse.checked = false;
    form.RadioButtonJoystick.checked = true;
    SDL_JoystickDetachVirtual(index);
    Pump();
    EXPECT_EQ(form.LabelJoystickName.caption, "(not found)");
    EXPECT_FALSE(form.RadioButtonJoystick.enabled);
    EXPECT_TRUE(form.RadioButtonJoystick.checked);

    Attach(SDL_JOYSTICK_TYPE_GAMECONTROLLER, "Second Pad", 6, 15, 1);
    EXPECT_EQ(form.LabelJoystickName.caption, "Second Pad");
    EXPECT_TRUE(form.RadioButtonJoystick.enabled);
}

TEST_F(ControllerChoiceTest, TheBindingsAreNamedAsTheOpenPadNamesItsControls) {
    TLauncherForm& form = StartForm();
    EXPECT_STREQ(Shown(form.ComboBoxPadFire), "A");
    EXPECT_STREQ(Shown(form.ComboBoxPadThrust), "Stick/D-pad up");

    // A joystick without a controller mapping: raw buttons, the choices kept.
    const int stick = Attach(SDL_JOYSTICK_TYPE_FLIGHT_STICK, "Old Stick", 2, 5, 1);
    ASSERT_GE(stick, 0) << SDL_GetError();
    EXPECT_STREQ(Shown(form.ComboBoxPadFire), "Button 1");
    EXPECT_STREQ(Shown(form.ComboBoxPadLeft), "Axis 1 -/hat left");
    form.ComboBoxPadShield.list.selected = static_cast<int>(form.ComboBoxPadShield.list.items.size()) - 1;

    SDL_JoystickDetachVirtual(stick);
    Pump();
    EXPECT_STREQ(Shown(form.ComboBoxPadFire), "A");
    EXPECT_STREQ(Shown(form.ComboBoxPadShield), "Stick/D-pad right");
}

TEST_F(ControllerChoiceTest, ABindingChosenIsStoredByItsCode) {
    Store("kwdriftrock_classic", "padaltfire=200\n");  // a raw pad's button 201
    TLauncherForm& form = StartForm();
    // A code the list lacks shows nothing and is kept.
    EXPECT_STREQ(Shown(form.ComboBoxPadAltFire), "");
    ListModel& fire = form.ComboBoxPadFire.list;
    for (size_t i = 0; i < fire.items.size(); ++i)
        if (fire.items[i].text == "RT") fire.selected = static_cast<int>(i);
    form.ComboBoxPadShield.list.selected = 0;  // (none)
    form.FormClose();
    EXPECT_EQ(Stored("kwdriftrock_classic", "padfire"), std::to_string(PAD_RT));
    EXPECT_EQ(Stored("kwdriftrock_classic", "padaltfire"), "200");
    EXPECT_EQ(Stored("kwdriftrock_classic", "padshield"), "-1");
    EXPECT_EQ(settings.padFire, PAD_RT);
}

// Earlier builds stored a pad brake; such a file still loads, its other
// bindings intact, and saving leaves the old value alone.
TEST_F(ControllerChoiceTest, AStoredPadBrakeOfAnEarlierBuildIsLeftAlone) {
    Store("kwdriftrock_classic", "padbrake=271\npadthrust=" + std::to_string(PAD_LT) + "\npadfire=5\n");
    TLauncherForm& form = StartForm();
    EXPECT_EQ(settings.padThrust, PAD_LT);
    EXPECT_EQ(settings.padFire, 5);
    EXPECT_STREQ(Shown(form.ComboBoxPadThrust), "LT");
    form.FormClose();
    EXPECT_EQ(Stored("kwdriftrock_classic", "padthrust"), std::to_string(PAD_LT));
    EXPECT_EQ(Stored("kwdriftrock_classic", "padbrake"), "271");
}

TEST_F(ControllerChoiceTest, AGameShowsOnlyTheBindingsItUses) {
    TLauncherForm& form = StartForm(&Game("Meteor Marshal"));
    EXPECT_TRUE(form.ComboBoxPadThrust.visible);
    form.SelectGame(Game("Shardstorm"));
    EXPECT_FALSE(form.ComboBoxPadThrust.visible);
    EXPECT_TRUE(form.ComboBoxPadShield.visible && form.ComboBoxPadAltFire.visible);
}

}  // namespace
