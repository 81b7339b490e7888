// The report shown when no 3D device can be made.
#pragma once

#include <string>

#include "platform/d3dtypes.h"

// Values not obtained keep their defaults: codes -123, texts "?".
struct DeviceFailureFacts {
    std::string programName, programVersion;
    HRESULT firstCreation = -123, secondCreation = -123, driverQuery = -123;
    std::string renderer = "?", vendor = "?", version = "?";
    std::string modes = "?";
    std::string requested = "?";  // the formats asked for
    std::string firstError = "?", secondError = "?";
};

// Where users send the report.
extern const char* const kSupportAddress;

std::string FormatDeviceFailureReport(const DeviceFailureFacts& facts);
