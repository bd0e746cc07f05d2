#pragma once

namespace tarvel {

// The hourglass for as long as it lives (restored also when an error leaves the scope).
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

} // namespace tarvel
