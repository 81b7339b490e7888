// The error report window: a long error text the player can read and copy.
#pragma once

#include <functional>
#include <string>

struct TFormError {
    static constexpr const char* kCaption = "An error has occurred";
    static constexpr const char* kIntro =
        "I'm sorry, but an error has occurred that prevents the program from continuing...";
    static constexpr const char* kAskToSend = "It would be really helpful if you could email this error report to:";
    static constexpr const char* kCloseCaption = "Close";
    static constexpr const char* kCopyCaption = "Copy error message to Clipboard";

    std::string MemoDetails;
};

// A mail link to the support address with the report as its body (cut to
// kMailBodyLimit bytes of the report, so that mail programs take it).
std::string ErrorReportMailUrl(const TFormError& form);
constexpr size_t kMailBodyLimit = 1500;

// Longest text ErrorBox shows (its buffer holds one more character).
constexpr size_t kErrorBoxCapacity = 16383;

// Shows the form until the player closes it; the form may stay open after
// the presenter returns (it keeps its own copy).
using ErrorFormPresenter = std::function<void(const TFormError& form)>;
// Replaces how the form is shown; an empty presenter restores the default,
// a message box captioned like the form.
void SetErrorFormPresenter(ErrorFormPresenter presenter);

// Formats the text (printf-style, cut at kErrorBoxCapacity characters) into
// a new error form and shows it modally: the windowed launcher keeps drawing
// and shows it until the player closes it, after this returns.
void ErrorBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
