// A contact sheet of the generated library for people to look at: a mock
// game frame with the head-up panel, every model, texture, explosion frame
// and picture. Returned as a PNG.
#pragma once

#include "workshop.h"

namespace content {

Bytes PreviewSheet(const Workshop& shop);

}  // namespace content
