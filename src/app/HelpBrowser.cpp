#include "HelpBrowser.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Paths.h"

namespace tarvel {

namespace {
QPointer<HelpBrowser> gHelp;
}

QString HelpBrowser::HelpFolder() {
    return ApplicationFolder() + "help/";
}

HelpBrowser::HelpBrowser(QWidget* parent) : QDialog(parent), mBrowser(new QTextBrowser(this)) {
    setWindowTitle("Tarvel Help");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 560);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar(this);
    bar->addAction("Contents", this, [this] { openAt({}); });
    bar->addAction("Back", mBrowser, &QTextBrowser::backward);
    bar->addAction("Forward", mBrowser, &QTextBrowser::forward);
    layout->addWidget(bar);
    layout->addWidget(mBrowser);
    mBrowser->setOpenExternalLinks(true);
    mBrowser->setSearchPaths({HelpFolder()});
}

void HelpBrowser::openAt(const QString& anchor) {
    QString index = HelpFolder() + "index.html";
    if (!QFileInfo::exists(index)) {
        mBrowser->setHtml("<h1>Tarvel Help</h1><p>The manual was not found in " +
                          HelpFolder().toHtmlEscaped() + ".</p>");
        return;
    }
    QUrl url = QUrl::fromLocalFile(index);
    mBrowser->setSource(url);
    if (!anchor.isEmpty() && mBrowser->document()->toHtml().contains("name=\"" + anchor + "\""))
        mBrowser->scrollToAnchor(anchor);
}

HelpBrowser* HelpBrowser::ShowContents(QWidget* owner) {
    return ShowContext(owner, 0);
}

HelpBrowser* HelpBrowser::ShowContext(QWidget* owner, int context) {
    if (!gHelp) gHelp = new HelpBrowser(owner);
    gHelp->openAt(context > 0 ? QStringLiteral("context-%1").arg(context) : QString());
    gHelp->show();
    gHelp->raise();
    gHelp->activateWindow();
    return gHelp;
}

} // namespace tarvel
