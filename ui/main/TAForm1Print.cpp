// "Print": the main window steps aside while the print dialog shows the check list.

#include "ui/main/TAForm1.h"

#include "ui/print/TForm2.h"

#include <QSystemTrayIcon>

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
    hide();
    if (m_printDialog)
        m_printDialog->exec();
    else
        show();
}

void TAForm1::printDialogClosedByFrame()
{
    // With a notification area the window stays hidden until its icon restores it; without
    // one nothing could bring it back.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        show();
}
