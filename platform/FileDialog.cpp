// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace {
struct State
{
    bool testMode = false;
    QString answer;
    std::optional<QString> proposal;
};

State &state()
{
    static State s;
    return s;
}
} // namespace

QString FileDialog::saveFileName(QWidget *parent, const QString &caption, const QString &proposal,
                                 const QString &filter)
{
    State &s = state();
    s.proposal = proposal;
    if (s.testMode)
        return std::exchange(s.answer, QString());
    return QFileDialog::getSaveFileName(parent, caption, proposal, filter);
}

QString FileDialog::inDocuments(const QString &fileName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(fileName);
}

void FileDialog::setTestMode(bool on)
{
    state() = State{on, QString(), std::nullopt};
}

void FileDialog::setNextAnswer(const QString &path)
{
    state().answer = path;
}

std::optional<QString> FileDialog::lastProposal()
{
    return state().proposal;
}
