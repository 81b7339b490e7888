#include "framework/display_report.h"

#include <cstdio>

const char* const kSupportAddress = "support@kestrelworks.example";

std::string FormatDeviceFailureReport(const DeviceFailureFacts& f) {
    auto hex = [](HRESULT code) {
        char text[16];
        std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(code));
        return std::string(text);
    };
    return "Failed to create an OpenGL device. \r\n\r\n"
           "Program = " + f.programName + " " + f.programVersion + "\r\n" +
           "Error codes = " + hex(f.firstCreation) + ", " + hex(f.secondCreation) + ", " + hex(f.driverQuery) +
           " \r\n" +
           "Device = " + f.renderer + "\r\n" +
           "Driver = " + f.vendor + "\r\n" +
           "Version = " + f.version + "\r\n" +
           "Modes = " + f.modes + "\r\n" +
           "Formats = " + f.requested + "\r\n" +
           "Errors = " + f.firstError + "; " + f.secondError + "\r\n\r\n" +
           "Please report this error to " + kSupportAddress + "\r\n";
}
