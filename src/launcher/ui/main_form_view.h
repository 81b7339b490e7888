// Draws the launcher's main form: the cartridge picture, the buttons and
// the settings panel with its seven tabs.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Button;
class TLauncherForm;
class UiSystem;

// Work a click asks for that must wait until every window is drawn
// (games, dialogs, switching the game).
using UiActions = std::vector<std::function<void()>>;

class MainFormView {
public:
    explicit MainFormView(UiSystem& ui) : ui_(ui) {}
    MainFormView(const MainFormView&) = delete;
    MainFormView& operator=(const MainFormView&) = delete;

    static constexpr uint32_t kBackground = 0x101018;

    // `exit` is what the "EXIT" button does.
    void Draw(TLauncherForm& form, UiActions& later, const std::function<void()>& exit);
    // Deletes the picture's texture; the main window's context must be current.
    void Release();

private:
    void SyncPicture(const TLauncherForm& form);
    void DrawSettings(TLauncherForm& form, UiActions& later);
    // Gives keys and pads the button just drawn when it is `focus_`.
    void FocusIfAsked(const Button& button);

    UiSystem& ui_;
    unsigned texture_ = 0;
    uint32_t textureSerial_ = 0;
    int shownTab_ = -1;
    const Button* focus_ = nullptr;  // the button keys and pads go to next
    bool started_ = false;
};
