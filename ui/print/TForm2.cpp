// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/print/TForm2.h"

#include "core/FieldColors.h"
#include "platform/GdiFont.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"
#include "platform/SystemColors.h"
#include "report/TAlLabel.h"
#include "report/TAlReport.h"
#include "report/TAlShape.h"
#include "report/tAlBand.h"
#include "ui/look/HoverButtonStyles.h"
#include "widgets/TBrixLine.h"
#include "widgets/TEdit.h"
#include "widgets/THoverButton.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {
constexpr QSize OuterSize(432, 540);
// The client area inside a dialog frame of 3 pixels and a 19-pixel caption, until the window
// manager has told its own frame.
constexpr QSize DefaultClientSize(426, 515);
const QString BlankRow = QStringLiteral("_________");

constexpr int rowsPerColumn = 25;
constexpr int columnPitch = 104;
constexpr int rowPitch = 18;

QPoint tickBoxPlace(int entry)
{
    const int c = (entry - 1) / rowsPerColumn;
    const int r = (entry - 1) % rowsPerColumn;
    return {25 + columnPitch * c, 17 + rowPitch * r};
}

QPoint labelPlace(int entry)
{
    const int c = (entry - 1) / rowsPerColumn;
    const int r = (entry - 1) % rowsPerColumn;
    // The last row's labels of columns 2 to 4 stand two pixels higher than the rule gives.
    const int top = (r == rowsPerColumn - 1 && c > 0) ? 446 : 16 + rowPitch * r;
    return {44 + columnPitch * c, top};
}

void setTextColor(QWidget *widget, ColorValue color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, toQColor(color));
    p.setColor(QPalette::ButtonText, toQColor(color));
    widget->setPalette(p);
}
} // namespace

TForm2::TForm2(QWidget *mainForm)
    : m_mainForm(mainForm)
{
    buildLayout();
    hide();
}

TForm2::~TForm2() = default;

void TForm2::buildLayout()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Print Inventory List"));
    setModal(true);
    // A dialog frame: a caption with the close box, not resizable. The window type (dialog)
    // and the Motif hints (move, close, no minimise or maximise) ask the window manager for
    // that; some (openbox) still offer to minimise it, see changeEvent().
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(DefaultClientSize);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, toQColor(Palette::WindowBackground));
    setPalette(windowPalette);
    setAutoFillBackground(true);
    const GdiFont windowFont{QStringLiteral("MS Sans Serif"), -11, SystemColor::WindowText, false};
    setFont(toQFont(windowFont));

    m_printButton = createHoverButton(this, QStringLiteral("PrintButton"), QStringLiteral("Print"),
                                      HoverButtonStyle::PrintDialog, QPoint(124, 482));
    const auto brixLine = [this](const QString &name, int left) {
        auto *line = new TBrixLine(this);
        line->setObjectName(name);
        line->setGeometry(left, 485, 16, 16);
        line->setLineStyle(TBrixLine::lsTop | TBrixLine::lsBottom | TBrixLine::lsLeft | TBrixLine::lsRight);
        return line;
    };
    m_brixLine1 = brixLine(QStringLiteral("BrixLine1"), 375);
    m_brixLine2 = brixLine(QStringLiteral("BrixLine2"), 390);
    m_closeButton1 = createHoverButton(this, QStringLiteral("CloseButton1"), QStringLiteral("Close"),
                                       HoverButtonStyle::Close, QPoint(214, 482));

    m_label1 = new QLabel(QStringLiteral("Page side:"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setFont(toQFont(windowFont));
    setTextColor(m_label1, FieldColor::Navy);
    m_label1->adjustSize();
    // The installed face may be wider than the layout's: the label then ends before the boxes.
    m_label1->move(qMin(321, 374 - m_label1->width()), 485);

    // The captions do not fit the 13-pixel width: only the buttons show, inside the two halves
    // of the miniature sheet the box lines draw.
    const auto radioButton = [this](const QString &name, int left) {
        auto *button = new QRadioButton(name, this);
        button->setObjectName(name);
        button->setGeometry(left, 487, 13, 13);
        setTextColor(button, FieldColor::Navy);
        return button;
    };
    m_radioButton1 = radioButton(QStringLiteral("RadioButton1"), 376);
    m_radioButton2 = radioButton(QStringLiteral("RadioButton2"), 391);
    m_radioButton1->setChecked(true);
    setTabOrder(m_radioButton1, m_radioButton2);

    // 813 pixels: a Letter sheet's width at 96 pixels per inch, wider than the dialog.
    m_tAlBand1 = new tAlBand(this);
    m_tAlBand1->setObjectName(QStringLiteral("tAlBand1"));
    m_tAlBand1->setGeometry(0, 0, 813, 475);
    m_tAlBand1->setBandType(alr_Title);
    m_tAlBand1->setRuler(alr_cmHV);

    // Labels first, then tick boxes: on paper a tick box is drawn over a label that runs into it.
    for (int k = 1; k <= Entries; ++k) {
        auto *label = new TAlLabel(m_tAlBand1);
        label->setObjectName(QStringLiteral("AlLabel%1").arg(k));
        label->setFont(GdiFont{QStringLiteral("Arial"), -13, SystemColor::WindowText, false});
        label->setAutoSize(true);
        label->setTransparent(true);
        label->setGeometry(QRect(labelPlace(k), QSize(43, 16)));
        label->setCaption(QStringLiteral("AlLabel"));
        m_labels[k - 1] = label;
    }
    for (int k = 1; k <= Entries; ++k) {
        auto *shape = new TAlShape(m_tAlBand1);
        shape->setObjectName(QStringLiteral("AlShape%1").arg(k));
        shape->setGeometry(QRect(tickBoxPlace(k), QSize(14, 14)));
        shape->setShape(stRectangle);
        GdiPen pen = shape->pen();
        pen.width = 4;
        shape->setPen(pen);
        m_shapes[k - 1] = shape;
    }

    m_alReport1 = new TAlReport(this);
    m_alReport1->setObjectName(QStringLiteral("AlReport1"));
    m_alReport1->setOrientation(poPortrait);
    m_alReport1->setPapersize(alr_Letter);
    m_alReport1->setLeftMarginMM(0);
    m_alReport1->setRightMarginMM(0);
    m_alReport1->setReportTitle(QStringLiteral("Inventory"));

    m_printButton->OnClick = [this](QObject *sender) { PrintButtonClick(sender); };
    m_closeButton1->OnClick = [this](QObject *sender) { CloseButton1Click(sender); };
}

void TForm2::FormActivate()
{
    for (int i = 0; i < Entries; ++i) {
        m_labels[i]->setCaption(QString());
        m_shapes[i]->setVisible(false);
    }
    m_activating = true;
    PrintButtonClick(this);
    m_activating = false;
}

void TForm2::PrintButtonClick(QObject *)
{
    QStringList printList;
    for (int slot = 1; slot <= Entries && m_mainForm; ++slot) {
        const auto *field = m_mainForm->findChild<TEdit *>(QStringLiteral("Edit%1").arg(slot));
        if (field && !field->text().isEmpty() && field->color() == FieldColor::Red)
            printList.append(field->text());
    }

    const int n = int(printList.size());
    for (int j = 0; j < n; ++j) {
        m_labels[j]->setCaption(printList.at(j));
        m_shapes[j]->setVisible(true);
    }
    for (int j = n; j < qMin(n + 10, Entries); ++j) {
        m_labels[j]->setCaption(BlankRow);
        m_shapes[j]->setVisible(true);
    }

    if (n == 0) {
        if (m_activating && m_warnedThisShowing)
            return;
        m_warnedThisShowing = m_warnedThisShowing || m_activating;
        Pointer::placeForBox(10, 35);
        MessageBox::warning(this, QStringLiteral("No red highlighted message to print."));
        return;
    }

    m_alReport1->setLeftMarginMM(m_radioButton1->isChecked() ? 0 : 103);
    if (m_activating)
        return;
    if (printCheckList())
        finish();
}

void TForm2::CloseButton1Click(QObject *)
{
    finish();
}

// Ends the modal display and shows the main window again.
void TForm2::finish()
{
    done(QDialog::Accepted);
    if (m_mainForm)
        m_mainForm->show();
}

bool TForm2::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        fitFrame();
        FormActivate();
    }
    return QDialog::event(event);
}

void TForm2::showEvent(QShowEvent *event)
{
    m_warnedThisShowing = false;
    m_fittedMargins.reset();
    fitFrame();
    QDialog::showEvent(event);
}

void TForm2::fitFrame()
{
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (m_fittedMargins == frame)
        return;
    m_fittedMargins = frame;
    const QSize client = frame.isNull() ? DefaultClientSize
                                        : QSize(OuterSize.width() - frame.left() - frame.right(),
                                                OuterSize.height() - frame.top() - frame.bottom());
    setFixedSize(client);
    // The frame goes to the centre of the desktop. Given as the frame's place, the window
    // manager puts it there even while the frame is still unknown to the program.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->geometry() : QRect(QPoint(0, 0), OuterSize);
    const QPoint place =
        desktop.topLeft()
        + QPoint((desktop.width() - OuterSize.width()) / 2, (desktop.height() - OuterSize.height()) / 2);
    if (windowHandle())
        windowHandle()->setFramePosition(place);
    else
        move(place);
}

// The frame's close box ends the dialog without showing the main window itself.
void TForm2::closeEvent(QCloseEvent *event)
{
    event->accept();
    done(QDialog::Rejected);
    emit closedByFrame();
}

// A window manager may minimise the dialog all the same. Nothing would be left to click: the
// main window is hidden, and the tray icon is blocked while the dialog is modal. So the dialog
// comes back by itself.
void TForm2::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && isMinimized()) {
                showNormal();
                raise();
                activateWindow();
            }
        });
}

// Escape does not end the dialog: only "Print", "Close" and the close box do.
void TForm2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
