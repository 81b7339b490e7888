#include "launcher/launcher_host.h"

#include "launcher/documentation.h"
#include "platform/message_box.h"

void LauncherHost::Confirm(const std::string& text, const std::string& caption,
                           std::function<void(bool)> answered) {
    answered(AskYesNo(text, caption));
}

bool LauncherHost::OpenFile(const std::string& path) { return OpenWithDesktop(path); }
