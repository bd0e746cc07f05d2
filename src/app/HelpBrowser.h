#pragma once

#include <QDialog>

class QTextBrowser;

namespace tarvel {

// The editor's help: the HTML manual installed beside the program ("help/index.html"), shown in
// one window that stays open beside the editor. A context number opens the page at the anchor
// "context-N" when the manual has one, else at its contents.
class HelpBrowser : public QDialog {
    Q_OBJECT
public:
    static QString HelpFolder();
    // Shows the one help window (creating it on first use) at the contents or at a context.
    static HelpBrowser* ShowContents(QWidget* owner);
    static HelpBrowser* ShowContext(QWidget* owner, int context);

    QTextBrowser* browser() const { return mBrowser; }

private:
    explicit HelpBrowser(QWidget* parent);
    void openAt(const QString& anchor);
    QTextBrowser* mBrowser;
};

} // namespace tarvel
