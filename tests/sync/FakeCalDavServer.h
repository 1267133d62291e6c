// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// fake_caldav.py, the small CalDAV server of the tests, started for a test on a free port of
// this computer; and a wait for one asynchronous answer on the event loop.

#include <QEventLoop>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <optional>

class FakeCalDavServer
{
public:
    static inline const QString User = QStringLiteral("anna");
    static inline const QString Password = QStringLiteral("s3cret");

    // False when it does not start.
    bool start(const QString &script)
    {
        m_process.start(QStringLiteral("python3"),
                        {script, QStringLiteral("--user"), User, QStringLiteral("--password"), Password});
        if (!m_process.waitForStarted() || !m_process.waitForReadyRead(10000))
            return false;
        m_port = m_process.readLine().trimmed().toInt();
        return m_port > 0;
    }
    ~FakeCalDavServer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
    // The address of a path on it: "ok/tasks/" is a working, empty task list.
    QUrl url(const QString &path) const { return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(path)); }

private:
    QProcess m_process;
    int m_port = 0;
};

// Runs `call` with a callback and the event loop until the callback has come (at most a
// minute, only against a hang); gives what it was called with.
template<typename T, typename Call> std::optional<T> answerOf(Call call)
{
    std::optional<T> answer;
    QEventLoop loop;
    call([&](T value) {
        answer = std::move(value);
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!answer)
        loop.exec();
    return answer;
}
