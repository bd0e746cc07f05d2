#include "EvCmdMessage.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextBlock>
#include <algorithm>

#include "EvCmdOptions.h"
#include "EvCmdWidgets.h"
#include "data/EventCommandBlocks.h"

namespace tarvel {

namespace {

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

// The pixels between the box's edge and its text: the frame and the document margin, on each side.
constexpr int MemoFrame = 1;
constexpr int MemoMargin = 2;

} // namespace

// ---- TFixedMemo

TFixedMemo::TFixedMemo(int lines, QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("Memo");
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(MemoFrame);
    document()->setDocumentMargin(MemoMargin);
    setTabChangesFocus(true);
    QFontMetrics metrics(font);
    // (height - 6) div height("A") lines fit. Half a line more keeps the last one clear of the
    // edge, but never so much that the formula would count one line more than asked for.
    int lineHeight = std::max(metrics.height(), metrics.lineSpacing());
    int height = std::min(lines * lineHeight + 6 + metrics.height() / 2, (lines + 1) * metrics.height() + 5);
    setFixedSize(GuideWithoutFace + 2 * (MemoFrame + MemoMargin) + 24, height);
    connect(this, &QPlainTextEdit::textChanged, this, &TFixedMemo::textEdited);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!mReverting) mAcceptedCursor = textCursor().position();
    });
}

int TFixedMemo::LinesThatFit() const {
    return (height() - 6) / QFontMetrics(font()).height();
}

QStringList TFixedMemo::Lines() const {
    return toPlainText().split('\n');
}

void TFixedMemo::SetLines(const QStringList& lines) {
    mReverting = true;
    setPlainText(lines.mid(0, LinesThatFit()).join('\n'));
    mAccepted = toPlainText();
    mAcceptedCursor = 0;
    mReverting = false;
}

TFixedMemo::TOverflow TFixedMemo::overflow(const QString& text) const {
    TOverflow out;
    QStringList lines = text.split('\n');
    out.lines = std::max(0, int(lines.size()) - LinesThatFit());
    QFontMetrics metrics(font());
    // The caret after the last character must still be inside the box.
    int room = width() - 2 * (MemoFrame + MemoMargin) - 2;
    for (const QString& line : lines)
        out.width = std::max(out.width, metrics.horizontalAdvance(line) - room);
    return out;
}

bool TFixedMemo::Fits(const QString& text) const {
    TOverflow o = overflow(text);
    return o.lines == 0 && o.width <= 0;
}

void TFixedMemo::textEdited() {
    if (mReverting) return;
    QString text = toPlainText();
    TOverflow now = overflow(text);
    TOverflow before = overflow(mAccepted);
    // A text that came in too large (from a file) can still be edited, but no edit may make it
    // larger than the box allows.
    bool refused = now.lines > before.lines || (now.width > 0 && now.width > before.width);
    if (!refused) {
        mAccepted = text;
        mAcceptedCursor = textCursor().position();
        return;
    }
    mReverting = true;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(mAccepted);
    cursor.setPosition(std::min(mAcceptedCursor, int(mAccepted.size())));
    setTextCursor(cursor);
    mReverting = false;
}

void TFixedMemo::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    QString pasted = source->text();
    pasted.replace("\r\n", "\n");
    pasted.replace('\r', '\n');
    QTextCursor cursor = textCursor();
    QString text = toPlainText();
    int start = cursor.selectionStart();
    int end = cursor.selectionEnd();
    QString result = text.left(start) + pasted + text.mid(end);
    if (!Fits(result)) {
        // A result that fills the box exactly and ends with a line break loses that line break.
        if (!result.endsWith('\n') || !Fits(result.chopped(1))) return;
        result.chop(1);
    }
    int caret = std::min(start + int(pasted.size()), int(result.size()));
    cursor.select(QTextCursor::Document);
    cursor.insertText(result);
    cursor.setPosition(caret);
    setTextCursor(cursor);
}

void TFixedMemo::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ControlModifier)) {
        emit ctrlEnter();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TFixedMemo::paintEvent(QPaintEvent* event) {
    {
        // Under the text: where a character or the selection is drawn, the guide does not show.
        QPainter painter(viewport());
        painter.setPen(palette().color(QPalette::Mid));
        int left = viewport()->geometry().left();
        for (int x : {GuideWithFace, GuideWithoutFace})
            painter.drawLine(x - left, 0, x - left, viewport()->height());
    }
    QPlainTextEdit::paintEvent(event);
}

// ---- TFormEvCmd10110, TFormEvCmd12410

TFormEvCmd10110::TFormEvCmd10110(QWidget* owner) : TFormEvCmd10110(owner, 10110, "Show Message") {}

TFormEvCmd10110::TFormEvCmd10110(QWidget* owner, int32_t code, const QString& caption)
    : TFormEvCmdBase(owner, code, caption), mMemo(new TFixedMemo(MessageLines, this)) {
    Body()->addWidget(mMemo);
    // Enter is a line break in the box, which takes it before the default button; OK is Ctrl+Enter.
    connect(mMemo, &TFixedMemo::ctrlEnter, this, &TFormEvCmdBase::ButtonOkClick);
}

void TFormEvCmd10110::LoadCommand(const TQelEventScriptLine* head) {
    QStringList lines;
    if (head) {
        lines << fromBytes(head->Text);
        int32_t continuation = BlockOfHead(Code())->ContinuationCode;
        for (int i = 1; i < Lines().Count() && Lines().Line(i)->Code == continuation; ++i)
            lines << fromBytes(Lines().Line(i)->Text);
    }
    mMemo->SetLines(lines);
    mMemo->setFocus();
}

void TFormEvCmd10110::SaveCommand() {
    QStringList lines = mMemo->Lines();
    WriteLine(TQelEventScriptLine(Code(), 0, lines.value(0).toStdString()));
    int32_t continuation = BlockOfHead(Code())->ContinuationCode;
    for (int i = 1; i < lines.size(); ++i)
        Lines().Add(TQelEventScriptLine(continuation, 0, lines[i].toStdString()));
}

TFormEvCmd12410::TFormEvCmd12410(QWidget* owner) : TFormEvCmd10110(owner, 12410, "Comment") {}

// ---- TFormEvCmd10120

namespace {

struct TMessageOptions {
    int32_t Window = 0;
    int32_t Position = 0;
    bool AutoScroll = false;
    bool EventsWait = false;
};

TEvCmdOption<TMessageOptions>& rememberedMessageOptions() {
    static TEvCmdOption<TMessageOptions> option{TMessageOptions{}};
    return option;
}

} // namespace

TFormEvCmd10120::TFormEvCmd10120(QWidget* owner)
    : TFormEvCmdBase(owner, 10120, "Change Message Options"),
      mWindow(new TRadioGroup("Window Format", {"Normal", "Transparent"}, Qt::Horizontal, this)),
      mPosition(new TRadioGroup("Window Position", {"Top", "Middle", "Bottom"}, Qt::Horizontal, this)),
      mAutoScroll(new QCheckBox("Autoscroll, Prevents hero from hiding", this)),
      mEventsWait(new QCheckBox("Other Events Wait", this)) {
    mWindow->setObjectName("GroupWindow");
    mPosition->setObjectName("GroupPosition");
    mAutoScroll->setObjectName("CheckAutoScroll");
    mEventsWait->setObjectName("CheckEventsWait");
    auto* options = new QGroupBox("Options", this);
    auto* column = new QVBoxLayout(options);
    column->addWidget(mAutoScroll);
    column->addWidget(mEventsWait);
    Body()->addWidget(mWindow);
    Body()->addWidget(mPosition);
    Body()->addWidget(options);
}

void TFormEvCmd10120::LoadCommand(const TQelEventScriptLine* head) {
    TMessageOptions f = rememberedMessageOptions().Value();
    if (head) f = {head->Param(0), head->Param(1), head->Param(2) == 1, head->Param(3) == 1};
    mWindow->SetIndex(f.Window);
    mPosition->SetIndex(f.Position);
    mAutoScroll->setChecked(f.AutoScroll);
    mEventsWait->setChecked(f.EventsWait);
}

void TFormEvCmd10120::SaveCommand() {
    TMessageOptions f{mWindow->Index(), mPosition->Index(), mAutoScroll->isChecked(),
                      mEventsWait->isChecked()};
    rememberedMessageOptions().Set(f);
    WriteLine({Code(), 0, {}, {f.Window, f.Position, f.AutoScroll, f.EventsWait}});
}

// ---- TFormEvCmd10130

namespace {

struct TFaceFields {
    std::string Name;
    int32_t Index = 0;
    int32_t Side = 0;
    bool Flip = false;
};

TEvCmdOption<TFaceFields>& rememberedFace() {
    static TEvCmdOption<TFaceFields> option{TFaceFields{}};
    return option;
}

} // namespace

TFormEvCmd10130::TFormEvCmd10130(QWidget* owner)
    : TFormEvCmdBase(owner, 10130, "Create Face Graphic"),
      mFace(new TMaterialBox(TMaterialBox::TKind::Face, this)),
      mSide(new TRadioGroup("Display Position", {"Left", "Right"}, Qt::Horizontal, this)),
      mFlip(new QCheckBox("Flip Horizontal", this)) {
    mFace->setObjectName("BoxFace");
    mSide->setObjectName("GroupSide");
    mFlip->setObjectName("CheckFlip");
    auto* graphic = new QGroupBox("Face Graphic", this);
    auto* row = new QHBoxLayout(graphic);
    auto* set = new QPushButton("Set...", graphic);
    set->setObjectName("ButtonSet");
    auto* erase = new QPushButton("Erase", graphic);
    erase->setObjectName("ButtonErase");
    row->addWidget(mFace, 1);
    row->addWidget(set);
    row->addWidget(erase);
    Body()->addWidget(graphic);
    Body()->addWidget(mSide);
    Body()->addWidget(mFlip);
    connect(set, &QPushButton::clicked, mFace, &TMaterialBox::Pick);
    connect(erase, &QPushButton::clicked, this, [this] {
        mFace->SetFileName({});
        mFace->SetIndex(0);
    });
}

void TFormEvCmd10130::LoadCommand(const TQelEventScriptLine* head) {
    TFaceFields f = rememberedFace().Value();
    if (head) f = {head->Text, head->Param(0), head->Param(1), head->Param(2) == 1};
    mFace->SetFileName(f.Name);
    mFace->SetIndex(f.Index);
    mSide->SetIndex(f.Side);
    mFlip->setChecked(f.Flip);
}

void TFormEvCmd10130::SaveCommand() {
    TFaceFields f{mFace->FileName(), mFace->Index(), mSide->Index(), mFlip->isChecked()};
    rememberedFace().Set(f);
    WriteLine({Code(), 0, f.Name, {f.Index, f.Side, f.Flip}});
}

// ---- TFormEvCmd10140

const std::array<const char*, TFormEvCmd10140::ChoiceCount> TFormEvCmd10140::DefaultChoices = {"Yes", "No",
                                                                                               "", ""};

TFormEvCmd10140::TFormEvCmd10140(QWidget* owner)
    : TFormEvCmdBase(owner, 10140, "Show Choice If Then"),
      mCancel(new TRadioGroup("Cancel Case",
                              {"Ignored", "Choice 1 select", "Choice 2 select", "Choice 3 select",
                               "Choice 4 select", "It branches off independently"},
                              Qt::Vertical, this)) {
    auto* texts = new QGroupBox("Choices", this);
    auto* grid = new QGridLayout(texts);
    for (int i = 0; i < ChoiceCount; ++i) {
        auto* edit = new TByteLimitEdit(ChoiceBytes, texts);
        edit->setObjectName(QStringLiteral("EditChoice%1").arg(i + 1));
        // The choices are joined with "/" in the stored command, so a choice cannot hold one.
        edit->SetForbidden("/");
        mChoices[size_t(i)] = edit;
        grid->addWidget(new QLabel(QStringLiteral("Choice %1").arg(i + 1), texts), i, 0);
        grid->addWidget(edit, i, 1);
        edit->setMinimumWidth(260);
        connect(edit, &QLineEdit::textChanged, this, &TFormEvCmd10140::enableCancelChoices);
    }
    mCancel->setObjectName("GroupCancel");
    auto* row = new QHBoxLayout;
    row->addWidget(texts);
    row->addWidget(mCancel);
    Body()->addLayout(row);
}

int TFormEvCmd10140::CountChoices() const {
    int count = ChoiceCount;
    while (count > 1 && mChoices[size_t(count - 1)]->text().isEmpty())
        --count;
    return count;
}

void TFormEvCmd10140::enableCancelChoices() {
    // "Choice k select" only for a choice there is.
    int count = CountChoices();
    for (int k = 1; k <= ChoiceCount; ++k)
        mCancel->Button(k)->setEnabled(k <= count);
}

void TFormEvCmd10140::LoadCommand(const TQelEventScriptLine* head) {
    std::vector<std::string> texts(DefaultChoices.begin(), DefaultChoices.end());
    int32_t cancel = DefaultCancel;
    if (head) {
        texts = ChoiceTexts(head->Text);
        texts.resize(ChoiceCount);
        cancel = head->Param(0);
    }
    for (int i = 0; i < ChoiceCount; ++i)
        mChoices[size_t(i)]->SetBytes(texts[size_t(i)]);
    mCancel->SetIndex(cancel);
    enableCancelChoices();
    mChoices[0]->setFocus();
}

void TFormEvCmd10140::SaveCommand() {
    int count = CountChoices();
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << mChoices[size_t(i)]->text();
    int32_t cancel = mCancel->Index();
    // Acting as a choice that is not there would leave the cancel key nowhere to go.
    if (cancel >= 1 && cancel <= ChoiceCount && cancel > count) cancel = 0;
    WriteBlock({Code(), 0, texts.join('/').toStdString(), {cancel}});
}

// ---- TFormEvCmd10150

namespace {

struct TInputNumberFields {
    int32_t Digits = 1;
    int32_t Variable = 1;
};

TEvCmdOption<TInputNumberFields>& rememberedInputNumber() {
    static TEvCmdOption<TInputNumberFields> option{TInputNumberFields{}};
    return option;
}

} // namespace

TFormEvCmd10150::TFormEvCmd10150(QWidget* owner)
    : TFormEvCmdBase(owner, 10150, "Input Number"), mDigits(new QSpinBox(this)),
      mVariable(new TSwitchVariableBox(TIdKind::Variable, this)) {
    mDigits->setObjectName("SpinDigits");
    mDigits->setRange(1, 6);
    mVariable->setObjectName("BoxVariable");
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("# of Digits", this), 0, 0);
    grid->addWidget(mDigits, 0, 1);
    grid->addWidget(new QLabel("Variable to store the number", this), 1, 0);
    grid->addWidget(mVariable, 1, 1);
    Body()->addLayout(grid);
}

void TFormEvCmd10150::LoadCommand(const TQelEventScriptLine* head) {
    TInputNumberFields f = rememberedInputNumber().Value();
    if (head) f = {head->Param(0), head->Param(1)};
    mDigits->setValue(f.Digits);
    mVariable->SetValue(f.Variable);
}

void TFormEvCmd10150::SaveCommand() {
    TInputNumberFields f{mDigits->value(), mVariable->Value()};
    rememberedInputNumber().Set(f);
    WriteLine({Code(), 0, {}, {f.Digits, f.Variable}});
}

} // namespace tarvel
