#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace tarvel {

// One editor per user: the first editor listens on a local socket named after "QelMutex", the
// user and the settings folder (so runs with their own HOME never meet); a second start asks it
// to raise its main window and then ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString ServerName();
    // True when another editor answered and was asked to come to the front.
    static bool AskRunningInstanceToRaise(int timeoutMs = 1000);
    // Starts listening; false when the name cannot be taken.
    bool Listen();

signals:
    // Another start asked this editor to come to the front.
    void raiseRequested();

private:
    void onNewConnection();
    std::unique_ptr<QLocalServer> mServer;
};

} // namespace tarvel
