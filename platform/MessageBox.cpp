// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

#include "platform/Pointer.h"

#include <QEvent>
#include <QList>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {
// A box centred on the desktop rather than over its parent window, so that the pointer
// placed before it lies over its buttons wherever the window has been moved.
class DesktopBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        // The box has its final size once its own show handling has run.
        QMessageBox::showEvent(event);
        const QRect frame = frameGeometry();
        move(Pointer::desktopCentre() - QPoint(frame.width() / 2, frame.height() / 2));
        m_placePointer = Pointer::takeBoxRequest();
        if (m_placePointer)
            placePointer();
    }

    // The window manager may still shift the box when it frames it; by the first activation
    // the box stands where it is seen.
    bool event(QEvent *event) override
    {
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::WindowActivate && std::exchange(m_placePointer, false))
            placePointer();
        return handled;
    }

private:
    // The centre of the default button as laid out, whatever the style made of the box.
    void placePointer()
    {
        if (const QPushButton *button = defaultButton())
            Pointer::moveTo(button->mapToGlobal(button->rect().center()));
    }

    bool m_placePointer = false;
};

struct TestState
{
    bool testMode = false;
    QList<MessageBox::Answer> answers;
    QList<MessageBox::Shown> shown;
};

TestState &state()
{
    static TestState s;
    return s;
}
} // namespace

void MessageBox::error(QWidget *parent, const QString &text)
{
    show(parent, Kind::Error, QStringLiteral("Error"), text);
}

void MessageBox::warning(QWidget *parent, const QString &text)
{
    show(parent, Kind::Warning, QStringLiteral("Warning"), text);
}

void MessageBox::information(QWidget *parent, const QString &text)
{
    show(parent, Kind::Information, QStringLiteral("Information"), text);
}

MessageBox::Answer MessageBox::question(QWidget *parent, const QString &title, const QString &text)
{
    return show(parent, Kind::Question, title, text);
}

MessageBox::Answer MessageBox::show(QWidget *parent, Kind kind, const QString &title, const QString &text,
                                    const QString &offer)
{
    TestState &s = state();
    if (s.testMode || !s.answers.isEmpty()) {
        s.shown.append({kind, title, text});
        if (!s.answers.isEmpty())
            return s.answers.takeFirst();
        return kind == Kind::Question ? Answer::Yes : Answer::Ok;
    }

    DesktopBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (kind) {
    case Kind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Kind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Kind::Question:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::No ? Answer::No : Answer::Yes;
    }
    if (offer.isEmpty()) {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    QPushButton *offerButton = box.addButton(offer, QMessageBox::AcceptRole);
    box.setDefaultButton(offerButton);
    box.setEscapeButton(box.addButton(QMessageBox::Ok));
    box.exec();
    return box.clickedButton() == offerButton ? Answer::Yes : Answer::Ok;
}

MessageBox::Answer MessageBox::errorWithOffer(QWidget *parent, const QString &text, const QString &offer)
{
    return show(parent, Kind::Error, QStringLiteral("Error"), text, offer);
}

void MessageBox::setNextAnswer(Answer answer)
{
    state().answers.append(answer);
}

void MessageBox::setTestMode(bool on)
{
    state().testMode = on;
    state().answers.clear();
}

const QList<MessageBox::Shown> &MessageBox::shown()
{
    return state().shown;
}

void MessageBox::clearShown()
{
    state().shown.clear();
}
