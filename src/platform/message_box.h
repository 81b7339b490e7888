// Message boxes. With a display they are SDL dialogs; in batch mode, or with
// no display, the text goes to standard error and nothing blocks.
#pragma once

#include <functional>
#include <string>

// Shows `text` with `caption` (empty caption: none) and an OK button.
void MessageBox(const std::string& text, const std::string& caption);
// Asks a yes/no question; batch mode and no display answer `batchAnswer`.
bool AskYesNo(const std::string& text, const std::string& caption, bool batchAnswer = false);

// Batch mode: never open a dialog (set by --batch and by every test).
void SetBatchMode(bool batch);
bool BatchMode();

// Every message also goes to this observer (tests collect them).
using MessageObserver = std::function<void(const std::string& text, const std::string& caption)>;
void SetMessageObserver(MessageObserver observer);
