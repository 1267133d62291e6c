// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of the numeric edits: a single-line edit that checks every keystroke and clipboard
// command against the text it would produce and re-formats its text when it loses the focus.
// Which characters and texts are allowed, and how the text is formatted, is up to descendants.

#include "core/ColorValue.h"
#include "platform/GdiFont.h"
#include "widgets/Events.h"
#include "widgets/KeyCodes.h"

#include <QLineEdit>
#include <QSet>

class QMenu;

// A typed character on its way into the edit; a handler may change it or clear it to drop it.
using KeyPressEvent = std::function<void(QObject *sender, QChar &key)>;

class TCommonEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum class TextAlignment { Left, Right, Center };
    enum class CharClass { Insert, Erase, Reject };

    // The key code handlers get for Return and Enter (KeyCode::Enter, what the windows compare
    // with); every other key is reported with its Qt key value.
    static constexpr int EnterKeyCode = KeyCode::Enter;
    static int keyCode(int qtKey);
    static int qtKey(int keyCode);

    explicit TCommonEdit(QWidget *parent = nullptr);

    TextAlignment textAlignment() const { return m_alignment; }
    void setTextAlignment(TextAlignment alignment);
    ColorValue colorNormal() const { return m_colorNormal; }
    void setColorNormal(ColorValue color) { m_colorNormal = color; }
    ColorValue colorWarning() const { return m_colorWarning; }
    void setColorWarning(ColorValue color) { m_colorWarning = color; }
    QString formatString() const { return m_formatString; }
    void setFormatString(const QString &format);
    bool validate() const { return m_validate; }
    void setValidate(bool on);
    bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }

    ColorValue fontColor() const { return m_fontColor; }
    void setFontColor(ColorValue color);
    void setGdiFont(const GdiFont &font);

    // The filtering frame. isValidChar classifies a typed character, builds the candidate text
    // for it and asks isValidText; descendants supply the rules in the other three.
    virtual bool isValidChar(QChar c);
    virtual CharClass classifyChar(QChar c) const;
    virtual void updateText();
    virtual bool isValidText(const QString &candidate) const;

    // The text the last checked keystroke or clipboard command would have produced.
    const QString &candidateText() const { return m_candidate; }

    // Clipboard and delete commands with the same checks as the keys; the context menu uses them.
    void copySelection();
    bool pasteChecked();
    bool cutChecked();
    bool deleteChecked();

    // The edit's own context menu. It has no undo and routes every command that changes the text
    // through the checks above, so the menu cannot put a refused text into the edit.
    // The caller owns the menu.
    QMenu *createCheckedContextMenu();

    NotifyEvent OnChange;
    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    NotifyEvent OnOverflow;
    NotifyEvent OnUnderflow;
    KeyPressEvent OnKeyPress;
    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int selStart() const;
    int selLength() const;
    QString withSelectionReplaced(const QString &replacement) const;
    // The text Delete would leave: without the selection, else without the character after
    // the cursor.
    QString textAfterDelete() const;

    void keyDownStep(int &key, Qt::KeyboardModifiers shift);
    bool editKey(QKeyEvent &event);
    QString typedCharacters(const QKeyEvent &event) const;
    bool typeCharacter(QChar c);

    TextAlignment m_alignment = TextAlignment::Left;
    ColorValue m_colorNormal = 0x00000000;
    ColorValue m_colorWarning = 0x000000FF;
    QString m_formatString;
    bool m_validate = false;
    bool m_autoSelect = true;
    ColorValue m_fontColor = 0x00000000;
    QString m_candidate;
    // Whether the enter step ran and the exit step is still due; switching to another window
    // or opening a popup takes the keyboard focus away without leaving the edit.
    bool m_entered = false;
    // The keys that went down in this edit and are not yet released.
    QSet<int> m_keysDown;
};
