#pragma once

#include "cli/cli_context.h"

namespace lumo::cli {

// The window program's printing for the print verbs: each call runs the window
// library on Qt's offscreen platform (unless another is asked for), so no display is
// needed.
DocumentPrinters pdfPrinters();

}  // namespace lumo::cli
