// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A name field: one line of text on a background whose colour and font colour are colour
// values (the item's state). It reports mouse-down (any button), click (left button pressed
// and released on it) and mouse-up (any button), in that order, to handlers the window sets,
// and the user's changes of its text. A name is one line of the names file, so line breaks that arrive by paste become blanks.
//
// The window shows a hundred of these and the user edits one now and then, so a field paints
// its text itself, exactly as a borderless line edit shows it, and makes the line edit that
// takes the keyboard only when it first gets the focus, a mouse press or a drag. From then on
// that editor covers the field and holds its text.

#include "core/FieldColors.h"
#include "widgets/Events.h"

#include <QWidget>
#include <memory>
#include <optional>

class QLineEdit;
class QMouseEvent;
class QTextLayout;

class TEdit : public QWidget
{
    Q_OBJECT

public:
    explicit TEdit(QWidget *parent = nullptr);
    ~TEdit() override;

    QString text() const;
    void setText(const QString &text);
    void clear() { setText(QString()); }

    ColorValue color() const { return m_colors.background; }
    void setColor(ColorValue color);
    ColorValue fontColor() const { return m_colors.font; }
    void setFontColor(ColorValue color);
    FieldColors colors() const { return m_colors; }
    void setColors(FieldColors colors);

    // The line edit that edits the name; null until the field is first used.
    QLineEdit *editor() const { return m_editor; }
    QLineEdit *makeEditor();

    MouseEvent OnMouseDown;
    NotifyEvent OnClick;
    MouseEvent OnMouseUp;
    // The user changed the text (typing, paste, drop); not reported for setText().
    NotifyEvent OnChange;
    // Return was pressed, or the focus left the field.
    NotifyEvent OnEditingFinished;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;

private:
    friend class NameEditor;

    void passToEditor(QMouseEvent *event);
    // Whether a press on the editor and the press that made it are a double click.
    bool completesDoubleClick(const QMouseEvent &press);
    // Whether Qt's double click is the press right after such a double click.
    bool followsMadeDoubleClick(const QMouseEvent &doubleClick);
    void reportPress(const QMouseEvent *event);
    void reportRelease(const QMouseEvent *event);
    void applyColors();
    // Typed or pasted line breaks, TABs and other control characters become blanks.
    void keepOneLine();

    FieldColors m_colors;
    // The name while there is no editor, and its layout, made at the first paint.
    QString m_text;
    std::unique_ptr<QTextLayout> m_layout;
    QLineEdit *m_editor = nullptr;
    bool m_leftPressed = false;
    struct Press
    {
        quint64 timestamp;
        QPoint position;
        Qt::MouseButton button;
    };
    // The press that made the editor, until the editor's first own press; and when that first
    // own press completed a double click with it.
    std::optional<Press> m_pressBeforeEditor;
    std::optional<quint64> m_madeDoubleClickAt;
};
