#pragma once
// The print dialog: it lists the red items as a check list and prints it. It is created
// hidden at start and shown modally by the main window's "Print" button.

#include <QDialog>

class TForm2 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);
};
