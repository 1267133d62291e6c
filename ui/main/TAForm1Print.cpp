// SPDX-License-Identifier: GPL-3.0-or-later
// "Print": the main window steps aside while the print dialog shows the check list.

#include "ui/main/TAForm1.h"

#include "ui/print/TForm2.h"

void TAForm1::setPrintDialog(TForm2 *dialog)
{
    if (m_printDialog)
        disconnect(m_printDialog, nullptr, this, nullptr);
    m_printDialog = dialog;
    if (dialog)
        connect(dialog, &TForm2::closedByFrame, this, &TAForm1::printDialogClosedByFrame);
}

void TAForm1::HoverButton104Click(QObject *)
{
    if (!m_printDialog) {
        m_ownPrintDialog = std::make_unique<TForm2>(this);
        setPrintDialog(m_ownPrintDialog.get());
    }
    hide();
    m_printDialog->exec();
}
