// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/TAForm1.h"

#include "core/AppError.h"
#include "core/Dates.h"
#include "core/DueCheck.h"
#include "core/Numbers.h"
#include "platform/Clock.h"
#include "platform/DayWatch.h"
#include "platform/MessageBox.h"
#include "ui/print/TForm2.h"
#include "widgets/Notice.h"
#include "widgets/TEdit.h"
#include "widgets/THoverButton.h"
#include "widgets/TImage.h"
#include "widgets/TIntegerEdit.h"
#include "widgets/TMemo.h"
#include "widgets/TSpeedButton.h"
#include "widgets/TStatusBarPro.h"
#include "widgets/TStatusPanelPro.h"
#include "widgets/TStatusPanelsPro.h"
#include "widgets/TZekButton.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QMenu>
#include <QTimer>
#include <QWindow>
#include <cstdio>

// The field colours as the inventory rules see them: slot N is Edit N.
class TAForm1::Fields : public FieldColorAccess
{
public:
    explicit Fields(TAForm1 &form)
        : m_form(form)
    {}
    FieldColors colors(int slot) const override { return m_form.edit(slot)->colors(); }
    void setColors(int slot, FieldColors colors) override { m_form.edit(slot)->setColors(colors); }

private:
    TAForm1 &m_form;
};

TAForm1::TAForm1(const QString &dataFolderPath, QWidget *parent)
    : QWidget(parent)
    , m_data(dataFolderPath)
    , m_fields(std::make_unique<Fields>(*this))
{
    // What the controls have to tell the user is told in the program's message boxes.
    Notice::setSink([](QWidget *near, Notice::Kind kind, const QString &text) {
        (kind == Notice::Kind::Error ? &MessageBox::error : &MessageBox::information)(near, text);
    });
    openMenu = [](QMenu *menu, QPoint screenPos) { menu->popup(screenPos); };
    startWindowMove = [this] {
        if (windowHandle())
            windowHandle()->startSystemMove();
    };
    buildLayout();
    connectHandlers();
    m_trayIcon1->loaded();
    FormCreate();
    m_dayWatch = new DayWatch(this);
    connect(m_dayWatch, &DayWatch::dayChanged, this, &TAForm1::remindOfNewDay);
}

TAForm1::~TAForm1()
{
    // The fields outlive this window's own members: a focus that leaves a field while they are
    // deleted must not reach a save.
    for (TEdit *field : m_edits) {
        field->OnChange = nullptr;
        field->OnEditingFinished = nullptr;
    }
}

TEdit *TAForm1::edit(int slot) const
{
    return slot >= 1 && slot <= Slots ? m_edits[slot - 1] : nullptr;
}

THoverButton *TAForm1::purchaseButton(int slot) const
{
    return slot >= 1 && slot <= Slots ? m_purchaseButtons[slot - 1] : nullptr;
}

TextLines &TAForm1::records()
{
    return m_memo1->lines();
}

const TextLines &TAForm1::records() const
{
    return m_memo1->lines();
}

QString TAForm1::statusLine() const
{
    return m_statusBarPro1->panels()->item(0)->text();
}

void TAForm1::setStatusLine(const QString &text)
{
    m_statusBarPro1->panels()->item(0)->setText(text);
}

namespace {
// Nobody is there to answer a box during an unattended close.
void printMessage(const QString &message)
{
    std::fprintf(stderr, "pantrova: %s\n", qPrintable(message));
}
} // namespace

void TAForm1::showError(const QString &message)
{
    if (m_unattended)
        printMessage(message);
    else
        MessageBox::error(this, message);
}

void TAForm1::showWarning(const QString &message)
{
    if (m_unattended)
        printMessage(message);
    else
        MessageBox::warning(this, message);
}

QWidget *TAForm1::control(const QString &name)
{
    if (name == QLatin1String("MonthCalendar1") || name == QLatin1String("ZekButton1"))
        buildCalendar();
    static const QStringList daysPanel{QStringLiteral("Panel1"), QStringLiteral("Label1"),
                                       QStringLiteral("IntegerEdit1"), QStringLiteral("DaysOK"),
                                       QStringLiteral("DaysCancel")};
    if (daysPanel.contains(name))
        buildDaysPanel();
    return findChild<QWidget *>(name);
}

QMenu *TAForm1::itemMenu()
{
    buildMenus();
    return m_popupMenu1;
}

QMenu *TAForm1::colorMenu()
{
    buildMenus();
    return m_popupMenu2;
}

QAction *TAForm1::action(const QString &name)
{
    buildMenus();
    QAction *a = m_actions.value(name);
    if (!a)
        qFatal("The menus have no entry named \"%s\"", qPrintable(name));
    return a;
}

void TAForm1::connectHandlers()
{
    // Every handler runs as a command: what it changes is on disk when it returns.
    auto bind = [this](void (TAForm1::*handler)(QObject *)) {
        return [this, handler](QObject *sender) { runCommand([=, this] { (this->*handler)(sender); }); };
    };
    auto bindMouse = [this](void (TAForm1::*handler)(QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int)) {
        return [this, handler](QObject *sender, Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
            runCommand([=, this] { (this->*handler)(sender, b, s, x, y); });
        };
    };

    for (int slot = 1; slot <= Slots; ++slot) {
        m_purchaseButtons[slot - 1]->OnClick = bind(&TAForm1::PurchaseButtonsClick);
        TEdit *e = m_edits[slot - 1];
        e->OnMouseDown = bindMouse(&TAForm1::Edit1MouseDown);
        e->OnClick = bind(&TAForm1::AllEditClick);
        e->OnMouseUp = [this, e](QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
            runCommand([=, this] { AllEditMouseUp(sender, button, shift, x, y); });
            // A right-button release opens the item menu when its automatic opening is on.
            if (button == Qt::RightButton && m_itemMenuAutoPopup)
                openMenu(itemMenu(), e->mapToGlobal(QPoint(x, y)));
        };
        e->OnChange = [this](QObject *) { nameTyped(); };
        // Return, or the focus moving elsewhere, ends the typing of a name.
        e->OnEditingFinished = [this](QObject *) { saveNow(); };
    }
    m_hoverButton101->OnClick = bind(&TAForm1::ResetAllReds1Click);
    m_hoverButton102->OnClick = bind(&TAForm1::HoverButton102Click);
    m_hoverButton103->OnClick = bind(&TAForm1::ButtonXClick);
    m_hoverButton104->OnClick = bind(&TAForm1::HoverButton104Click);
    m_buttonX->OnClick = bind(&TAForm1::ButtonXClick);
    m_buttonMin->OnClick = bind(&TAForm1::ButtonMinClick);
    m_buttonOnTop->OnClick = bind(&TAForm1::ButtonOnTopClick);
    m_buttonTray->OnClick = bind(&TAForm1::ButtonTrayClick);
    m_speedButton17->OnClick = bind(&TAForm1::SpeedButton17Click);
    m_trayIcon1->OnClick = [this](QObject *sender, Qt::MouseButton b, TrayShiftState s, int x, int y) {
        TrayIcon1Click(sender, b, s, x, y);
    };
    m_trayIcon1->OnMessageClick = [this](QObject *) { restoreAndShow(); };
    connect(&m_trayIcon1->notificationArea(), &NotificationArea::hostChanged, this, &TAForm1::notificationAreaChanged);
    m_image1->OnMouseDown = bindMouse(&TAForm1::FormMouseDown);
    m_statusBarPro1->OnMouseDown = bindMouse(&TAForm1::FormMouseDown);
    connect(m_timer1, &QTimer::timeout, this, &TAForm1::Timer1Timer);
}

void TAForm1::connectMenus()
{
    for (const MenuEntry &e : menuEntries()) {
        if (!e.handler)
            continue;
        QAction *a = action(e.name);
        const MenuEntry::Handler handler = e.handler;
        connect(a, &QAction::triggered, this, [this, a, handler] { runCommand([=, this] { (this->*handler)(a); }); });
    }
}
