#pragma once

namespace tarvel {

// Plugs the platform into the core's ports: material names are found in the open project and
// then the runtime package, animation sounds go to the sound library, and the picture formats are
// registered. The editor and the tools call it once at start.
void InstallPlatformPorts();

} // namespace tarvel
