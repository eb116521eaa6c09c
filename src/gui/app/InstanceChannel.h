#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace varelo {

// The link between a running program and a second start: the second start hands over the
// file it was asked to open and ends; the running one opens it.
class InstanceChannel : public QObject {
    Q_OBJECT

public:
    // One channel per settings store, so separate stores (tests) do not meet.
    explicit InstanceChannel(const QString& settingsPath, QObject* parent = nullptr);

    // Hands the path to a running program; false when none answers.
    bool SendToRunning(const QString& path);
    // Starts answering second starts.
    bool Listen();

signals:
    void FileRequested(const QString& path);

private:
    void Receive();

    QString name_;
    QLocalServer server_;
};

}  // namespace varelo
