// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The standard dialog that asks where to save a file. Tests answer it without opening it
// through setNextAnswer() and read what it would have proposed through lastProposal().

#include <QString>
#include <optional>

class QWidget;

class FileDialog
{
public:
    // The chosen path, or an empty text when the user cancels. The proposal is a full path:
    // the dialog opens in its folder with its file name filled in.
    static QString saveFileName(QWidget *parent, const QString &caption, const QString &proposal,
                                const QString &filter);
    // A file name in the user's documents folder (the home folder when there is none).
    static QString inDocuments(const QString &fileName);

    static void setTestMode(bool on);
    static void setNextAnswer(const QString &path);
    static std::optional<QString> lastProposal();
};
