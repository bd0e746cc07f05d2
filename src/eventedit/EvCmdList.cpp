#include "EvCmdList.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "controls/DialogPlacement.h"

namespace tarvel {

namespace {

// Two columns of fifteen buttons a page.
constexpr int RowsPerColumn = 15;

} // namespace

TProcessOption<int>& LastMapCommandButton() {
    static TProcessOption<int> option(0);
    return option;
}

TProcessOption<int>& LastBattleCommandButton() {
    static TProcessOption<int> option(0);
    return option;
}

TFormEvCmdListBase::TFormEvCmdListBase(QWidget* owner, TCommandPicker picker, TProcessOption<int>& lastButton)
    : TFormQelBase(owner), mPicker(picker), mLastButton(lastButton) {
    setWindowTitle("Event Commands");
    for (int i = 0; i < PickerButtonCount(picker); ++i)
        mButtons.append(nullptr);
}

TFormEvCmdListBase::~TFormEvCmdListBase() = default;

void TFormEvCmdListBase::buildPage(QWidget* page, int first) {
    auto* grid = new QGridLayout(page);
    grid->setSpacing(2);
    for (int i = 0; i < ButtonsPerPage && first + i < ButtonCount(); ++i) {
        const int position = first + i;
        const int32_t code = PickerButtonCode(mPicker, position);
        const TEventCommand* command = EventCommandOf(code);
        auto* button =
            new QPushButton(QString::fromUtf8(command && command->Caption ? command->Caption : ""), page);
        button->setObjectName(QStringLiteral("ButtonCommand%1").arg(code));
        button->setAutoDefault(false);
        button->setStyleSheet("text-align: left; padding: 2px 6px;");
        // A command whose dialog does not exist yet cannot be chosen: never a dialog that guesses.
        button->setEnabled(HasEvCmdDialog(code));
        connect(button, &QPushButton::clicked, this, [this, position] { ButtonClick(position); });
        grid->addWidget(button, i % RowsPerColumn, i / RowsPerColumn);
        mButtons[position] = button;
    }
}

QWidget* TFormEvCmdListBase::makeCancelButton() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName("ButtonCancel");
    cancel->setText("Cancel");
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

QAbstractButton* TFormEvCmdListBase::Button(int position) const {
    return position >= 0 && position < ButtonCount() ? mButtons[position] : nullptr;
}

void TFormEvCmdListBase::showEvent(QShowEvent* event) {
    TFormQelBase::showEvent(event);
    const int position = std::clamp(mLastButton.Value(), 0, ButtonCount() - 1);
    showPageOf(position);
    if (QAbstractButton* button = Button(position)) button->setFocus();
}

bool TFormEvCmdListBase::RunInsert() {
    mLines.Clear();
    return exec() == QDialog::Accepted;
}

void TFormEvCmdListBase::ButtonClick(int position) {
    const int32_t code = PickerButtonCode(mPicker, position);
    if (code == 0 || !HasEvCmdDialog(code)) return;
    mLastButton.Set(position);
    mLines.Clear();
    if (runDialog(code)) accept();
}

bool TFormEvCmdListBase::CanEdit(int32_t code) const {
    return PickerEdits(mPicker, code) && HasEvCmdDialog(code);
}

bool TFormEvCmdListBase::RunEdit() {
    const TQelEventScriptLine* first = mLines.Line(0);
    if (!first || !CanEdit(first->Code)) return false;
    return runDialog(first->Code);
}

bool TFormEvCmdListBase::runDialog(int32_t code) {
    std::unique_ptr<TFormEvCmdBase> dialog = CreateEvCmdDialog(code, this);
    if (!dialog) return false;
    dialog->SetContext(mContext);
    dialog->Lines().Assign(mLines);
    CenterOnOwner(dialog.get());
    const bool ok = dialog->Run();
    if (dialog->DataBaseChanged()) mDataBaseChanged = true;
    if (ok) mLines.Assign(dialog->Lines());
    return ok && mLines.Count() > 0;
}

// ---- the map and common-event picker ----

TFormEvCmdList::TFormEvCmdList(QWidget* owner)
    : TFormEvCmdListBase(owner, TCommandPicker::Map, LastMapCommandButton()), mTabs(new QTabWidget(this)) {
    setObjectName("FormEvCmdList");
    mTabs->setObjectName("PageControl");
    for (int page = 0; page < ButtonCount() / ButtonsPerPage; ++page) {
        auto* widget = new QWidget(mTabs);
        buildPage(widget, page * ButtonsPerPage);
        mTabs->addTab(widget, QString::number(page + 1));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mTabs);
    layout->addWidget(makeCancelButton());
}

int TFormEvCmdList::CurrentPage() const {
    return mTabs->currentIndex();
}

void TFormEvCmdList::showPageOf(int position) {
    mTabs->setCurrentIndex(position / ButtonsPerPage);
}

// ---- the battle picker ----

TFormEvCmdList2::TFormEvCmdList2(QWidget* owner)
    : TFormEvCmdListBase(owner, TCommandPicker::Battle, LastBattleCommandButton()) {
    setObjectName("FormEvCmdList2");
    auto* page = new QWidget(this);
    buildPage(page, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    layout->addWidget(makeCancelButton());
}

std::unique_ptr<TFormEvCmdListBase> CreateEvCmdList(TCommandPicker picker, QWidget* owner) {
    if (picker == TCommandPicker::Battle) return std::make_unique<TFormEvCmdList2>(owner);
    return std::make_unique<TFormEvCmdList>(owner);
}

} // namespace tarvel
