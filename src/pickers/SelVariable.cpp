#include "SelVariable.h"

namespace tarvel {

TProcessOption<int>& LastVariableID() {
    static TProcessOption<int> option{1};
    return option;
}

TFormSelVariable::TFormSelVariable(QWidget* parent, TCatalog& variables)
    : TFormSelSwitchVariable(parent, variables, "Select Variable", LastVariableID()) {}

} // namespace tarvel
