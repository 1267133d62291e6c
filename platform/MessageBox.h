// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's message boxes: errors, warnings, information and Yes/No questions, all modal
// and centred on the screen. Tests answer them without blocking through setNextAnswer() and
// read what would have been shown through shown().

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

class MessageBox
{
public:
    enum class Kind { Error, Warning, Information, Question };
    enum class Answer { Yes, No, Ok };

    struct Shown
    {
        Kind kind;
        QString title;
        QString text;
    };

    static void error(QWidget *parent, const QString &text);
    static void warning(QWidget *parent, const QString &text);
    static void information(QWidget *parent, const QString &text);
    // Yes is the default button; Escape and the No button answer No.
    static Answer question(QWidget *parent, const QString &title, const QString &text);
    // An error that offers a way out on a second button (such as "Save as PDF..."): Yes when
    // the user takes it; OK, Escape and the close box answer Ok.
    static Answer errorWithOffer(QWidget *parent, const QString &text, const QString &offer);

    // Test hooks: while an answer is queued no box is opened; the boxes are recorded.
    static void setNextAnswer(Answer answer);
    static void setTestMode(bool on);
    static const QList<Shown> &shown();
    static void clearShown();

private:
    // With an offer, a second button that is the default and answers Yes.
    static Answer show(QWidget *parent, Kind kind, const QString &title, const QString &text,
                       const QString &offer = {});
};
