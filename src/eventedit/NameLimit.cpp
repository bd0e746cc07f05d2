#include "NameLimit.h"

#include <QLineEdit>
#include <QValidator>
#include <algorithm>

#include "pickers/SelSwitch.h"

namespace tarvel {

namespace {

class TByteLimitValidator : public QValidator {
public:
    TByteLimitValidator(int bytes, QObject* parent) : QValidator(parent), mBytes(bytes) {}
    State validate(QString& input, int& pos) const override {
        const QString kept = TFormSelSwitchVariable::CutToBytes(input, mBytes);
        if (kept.size() != input.size()) {
            input = kept;
            pos = std::min(pos, int(kept.size()));
        }
        return Acceptable;
    }

private:
    int mBytes;
};

} // namespace

void LimitTextBytes(QLineEdit* edit, int bytes) {
    edit->setValidator(new TByteLimitValidator(bytes, edit));
}

} // namespace tarvel
