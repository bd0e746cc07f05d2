// Writes five command dialogs (Show Message, Show Choice, Variable Management, Change Equipment,
// Call Shop) filled as a user would fill them, each on a whole screen, to PNG files for looking
// at: evcmd-shots OUT_FOLDER. Run it on a real screen (xvfb-run) of the size to look at; the
// files are named after the screen's size.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

#include "data/LD_DataBase.h"
#include "data/LD_Map.h"
#include "eventedit/commands/EvCmdBase.h"
#include "eventedit/commands/EvCmdMessage.h"
#include "eventedit/commands/EvCmdWidgets.h"

using namespace tarvel;

namespace {

void names(TCatalog& list, const std::vector<std::string>& values) {
    TQelDataBase::ResetList(list, int(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        list.Items(int(i))->Name = values[i];
}

template <typename T>
T& child(QWidget& parent, const char* name) {
    return *parent.findChild<T*>(QString::fromLatin1(name));
}

bool shoot(const QString& out, const char* name, int32_t code, const TEvCmdContext& context,
           const std::function<void(TFormEvCmdBase&)>& fill) {
    auto dialog = CreateEvCmdDialog(code, nullptr);
    dialog->SetContext(context);
    dialog->Open();
    fill(*dialog);
    dialog->adjustSize();
    QScreen* screen = QGuiApplication::primaryScreen();
    QRect area = screen->geometry();
    dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
    dialog->show();
    dialog->activateWindow();
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
    QString file = QStringLiteral("%1/%2-%3x%4.png").arg(out, name).arg(area.width()).arg(area.height());
    QPixmap picture = screen->grabWindow(0);
    bool ok = !picture.isNull() && picture.save(file);
    std::printf("%s %s (dialog %dx%d)\n", file.toUtf8().constData(), ok ? "written" : "NOT written",
                dialog->frameGeometry().width(), dialog->frameGeometry().height());
    dialog->hide();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: evcmd-shots OUT_FOLDER\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    QApplication app(argc, argv);
    QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);

    TQelDataBase db;
    names(db.Heroes(), {"Alex", "Brian", "Cleo", "Dorin"});
    names(db.Items(),
          {"Potion", "Ether", "Antidote", "Short Sword", "Leather Shield", "Iron Helm", "Silk Robe"});
    const int prices[] = {10, 35, 8, 250, 120, 90, 300};
    for (int i = 0; i < db.Items().Count(); ++i)
        db.Items().Items(i)->Price = prices[i];
    names(db.Switches(), std::vector<std::string>(50));
    std::vector<std::string> variables(50);
    variables[0] = "Gold Found";
    variables[6] = "Ferry Tickets";
    names(db.Variables(), variables);
    db.Vocabulary().SetText(41, "Welcome! What would you like?");
    db.Vocabulary().SetText(54, "Step right in, traveller.");
    db.Vocabulary().SetText(67, "Finest wares in the harbor!");
    TQelMap map;
    map.Events.FindOrCreate(1)->Name = "Ferryman";
    map.Events.FindOrCreate(2)->Name = "Merchant";
    TEvCmdContext context;
    context.EventID = 2;
    context.Event = map.Events.Find(2);
    context.Map = &map;

    bool ok = true;
    ok &= shoot(out, "show-message", 10110, context, [](TFormEvCmdBase& d) {
        child<TFixedMemo>(d, "Memo").SetLines(
            {"Welcome to Harbor Town!", "The ferry leaves at dawn,", "and tickets are sold at", "the pier."});
    });
    ok &= shoot(out, "show-choice", 10140, context, [](TFormEvCmdBase& d) {
        child<QLineEdit>(d, "EditChoice1").setText("Buy a ticket");
        child<QLineEdit>(d, "EditChoice2").setText("Ask about the ferry");
        child<QLineEdit>(d, "EditChoice3").setText("Leave");
        child<TRadioGroup>(d, "GroupCancel").SetIndex(3);
    });
    ok &= shoot(out, "variable-operations", 10220, context, [](TFormEvCmdBase& d) {
        child<TSwitchVariableBox>(d, "BoxOne").SetValue(7);
        child<TRadioGroup>(d, "GroupOperation").SetIndex(1);
        child<QRadioButton>(d, "RadioKind5").click();
        child<QComboBox>(d, "ComboHero").setCurrentIndex(1);
        child<QComboBox>(d, "ComboHeroProperty").setCurrentIndex(9);
    });
    ok &= shoot(out, "change-equipment", 10450, context, [](TFormEvCmdBase& d) {
        child<QRadioButton>(d, "RadioTarget1").click();
        child<QComboBox>(d, "ComboFixed").setCurrentIndex(3);
    });
    ok &= shoot(out, "call-shop", 10720, context, [](TFormEvCmdBase& d) {
        auto& items = child<QListWidget>(d, "ListItems");
        for (int row : {0, 1, 3, 4, 5})
            items.item(row)->setSelected(true);
        child<QPushButton>(d, "ButtonAdd").click();
        items.clearSelection();
        items.item(6)->setSelected(true);
        child<QCheckBox>(d, "CheckBranch").setChecked(true);
    });
    return ok ? 0 : 1;
}
