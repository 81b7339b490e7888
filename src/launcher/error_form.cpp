#include "launcher/error_form.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>

#include "framework/display_report.h"
#include "platform/message_box.h"

namespace {

ErrorFormPresenter g_presenter;

}  // namespace

namespace {

// Percent-encodes all but the characters a URL query keeps as they are.
std::string EncodeQueryValue(const std::string& text) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

}  // namespace

std::string ErrorReportMailUrl(const TFormError& form) {
    return std::string("mailto:") + kSupportAddress + "?subject=" + EncodeQueryValue(TFormError::kCaption) +
           "&body=" + EncodeQueryValue(form.MemoDetails.substr(0, kMailBodyLimit));
}

void SetErrorFormPresenter(ErrorFormPresenter presenter) { g_presenter = std::move(presenter); }

void ErrorBox(const char* format, ...) {
    char buffer[kErrorBoxCapacity + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);

    TFormError form;
    form.MemoDetails = buffer;
    if (g_presenter)
        g_presenter(form);
    else
        MessageBox(form.MemoDetails, TFormError::kCaption);
}
