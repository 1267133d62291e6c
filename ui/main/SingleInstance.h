#pragma once
// One Pantrova per data folder: the first start holds a lock file in the folder's parent and
// listens on a local socket; a later start finds the lock, asks the running program to bring
// its window to the front, and ends, so two programs never write the same files.

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &dataFolderPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only program on the data folder; otherwise the running one has
    // been told to come to the front.
    bool claim();

signals:
    void activationRequested();

private:
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
