#include "launcher/error_form.h"

#include <cstdarg>
#include <cstdio>

#include "framework/display_report.h"
#include "launcher/percent_encode.h"
#include "platform/message_box.h"

namespace {

ErrorFormPresenter g_presenter;

}  // namespace

std::string ErrorReportMailUrl(const TFormError& form) {
    return std::string("mailto:") + kSupportAddress + "?subject=" + PercentEncode(TFormError::kCaption) +
           "&body=" + PercentEncode(form.MemoDetails.substr(0, kMailBodyLimit));
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
