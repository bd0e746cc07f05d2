#pragma once

#include "CliCommon.h"

namespace tarvel::cli {

// One entry per subcommand, each in its own file.
extern const Command InstallRtpCommand;
extern const Command MaterialCommand;

} // namespace tarvel::cli
