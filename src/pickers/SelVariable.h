#pragma once

#include "SelSwitch.h"

namespace tarvel {

// The variable last chosen with OK (1 at the start of a run).
TProcessOption<int>& LastVariableID();

// "Select Variable": the switch picker's twin over the database's variables.
class TFormSelVariable : public TFormSelSwitchVariable {
    Q_OBJECT
public:
    TFormSelVariable(QWidget* parent, TCatalog& variables);
};

} // namespace tarvel
