#pragma once

#include <set>
#include <string>
#include <vector>

#include "graphics/GraphicsPorts.h"

namespace tarvel::runtime {

// Watches the material the game asks for while it lives: a picture, sound or music that is in
// neither the project nor the runtime package would only leave a gap on the screen or a silence,
// so each such name is kept once, to be told to the player. It stands in front of the lookup that
// was installed when it was made and puts that one back when it goes.
class TMissingMaterial : public MaterialLocatorPort {
public:
    TMissingMaterial();
    ~TMissingMaterial() override;
    TMissingMaterial(const TMissingMaterial&) = delete;
    TMissingMaterial& operator=(const TMissingMaterial&) = delete;

    std::string Locate(const std::string& name, const std::string& folder) override;
    // One line for each material found missing since the last call, in the order asked for.
    std::vector<std::string> TakeNew();

private:
    MaterialLocatorPort* mInner;
    std::set<std::string> mSeen;
    std::vector<std::string> mNew;
};

} // namespace tarvel::runtime
