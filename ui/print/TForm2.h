// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print dialog: it lists the names of the main window's red items on its report band as a
// check list, each with a tick box, followed by blank rows for hand-written additions, and
// prints the band on the left or the right half of a sheet. The main window makes it on the first
// "Print" and shows it modally; it fills itself whenever it becomes active, so what it shows is
// what will be printed.

#include "platform/PrintService.h"

#include <QDialog>
#include <QMargins>
#include <array>
#include <optional>

class QLabel;
class QRadioButton;
class TAlLabel;
class TAlReport;
class TAlShape;
class TBrixLine;
class THoverButton;
class tAlBand;

class TForm2 : public QDialog
{
    Q_OBJECT

public:
    static constexpr int Entries = 100;

    // The main window is the one whose name fields are listed and which is shown again when
    // the dialog ends; it is not the dialog's parent.
    explicit TForm2(QWidget *mainForm = nullptr);
    ~TForm2() override;

    void FormActivate();
    void PrintButtonClick(QObject *sender);
    void CloseButton1Click(QObject *sender);

    // Entry k (1 ... 100) of the check list.
    TAlLabel *label(int entry) const { return m_labels.at(entry - 1); }
    TAlShape *tickBox(int entry) const { return m_shapes.at(entry - 1); }
    TAlReport *report() const { return m_alReport1; }

signals:
    // The frame's close box ended the dialog; the main window decides whether to show itself.
    void closedByFrame();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildLayout();
    // The outer size 432 x 540 whatever frame the window manager draws, centred on the desktop.
    void fitFrame();
    void finish();
    // Printing through the report engine and the printer service (TForm2Printing.cpp).
    bool printCheckList();
    Outcome<> writePdf(const QString &path, const PrintService::Printer &target);
    void offerPdf(const QString &problem, const PrintService::Printer &target);

    QWidget *m_mainForm = nullptr;
    THoverButton *m_printButton = nullptr;
    TBrixLine *m_brixLine1 = nullptr;
    TBrixLine *m_brixLine2 = nullptr;
    THoverButton *m_closeButton1 = nullptr;
    QLabel *m_label1 = nullptr;
    QRadioButton *m_radioButton1 = nullptr;
    QRadioButton *m_radioButton2 = nullptr;
    tAlBand *m_tAlBand1 = nullptr;
    std::array<TAlLabel *, Entries> m_labels{};
    std::array<TAlShape *, Entries> m_shapes{};
    TAlReport *m_alReport1 = nullptr;

    // Set while the dialog fills itself on activation: the fill then prints nothing.
    bool m_activating = false;
    // The warning that nothing is red was shown by an activation of this showing. Closing the
    // warning activates the dialog again, which fills it again but must not warn again.
    bool m_warnedThisShowing = false;
    std::optional<QMargins> m_fittedMargins;
};
