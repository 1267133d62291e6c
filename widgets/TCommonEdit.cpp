// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TCommonEdit.h"

#include "platform/Clipboard.h"
#include "platform/SystemColors.h"
#include "widgets/Notice.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

namespace {
bool isControlChar(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// Keys the line edit may handle itself: they move the caret or the selection, copy, or are
// passed on to the window (Return, Escape). None of them changes the text.
bool isHarmlessEditorKey(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return event.matches(QKeySequence::SelectAll) || event.matches(QKeySequence::Copy);
    }
}
} // namespace

int TCommonEdit::keyCode(int qtKey)
{
    return qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter ? EnterKeyCode : qtKey;
}

int TCommonEdit::qtKey(int keyCode)
{
    return keyCode == EnterKeyCode ? int(Qt::Key_Return) : keyCode;
}

TCommonEdit::TCommonEdit(QWidget *parent)
    : QLineEdit(parent)
{
    // Drops, input-method commits and the X11 middle-button paste would put text into the edit
    // past the checks; a whole number needs none of them.
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFontColor(m_fontColor);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange(this);
    });
}

void TCommonEdit::setTextAlignment(TextAlignment alignment)
{
    m_alignment = alignment;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (alignment == TextAlignment::Right)
        horizontal = Qt::AlignRight;
    else if (alignment == TextAlignment::Center)
        horizontal = Qt::AlignHCenter;
    setAlignment(horizontal | Qt::AlignVCenter);
}

void TCommonEdit::setFormatString(const QString &format)
{
    m_formatString = format;
    updateText();
}

void TCommonEdit::setValidate(bool on)
{
    m_validate = on;
    updateText();
}

void TCommonEdit::setFontColor(ColorValue color)
{
    m_fontColor = color;
    QPalette p = palette();
    // The disabled look keeps the style's greyed text.
    for (auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Text, toQColor(color));
    setPalette(p);
}

void TCommonEdit::setGdiFont(const GdiFont &font)
{
    setFont(toQFont(font));
    setFontColor(font.color);
}

bool TCommonEdit::isValidChar(QChar c)
{
    const QString t = text();
    const int s = selStart();
    const int l = selLength();
    switch (classifyChar(c)) {
    case CharClass::Reject:
        return false;
    case CharClass::Insert:
        m_candidate = t.left(s) + c + t.mid(s + l);
        break;
    case CharClass::Erase:
        if (l > 0)
            m_candidate = t.left(s) + t.mid(s + l);
        else if (s > 0)
            m_candidate = t.left(s - 1) + t.mid(s);
        else
            m_candidate = t;
        break;
    }
    return isValidText(m_candidate);
}

TCommonEdit::CharClass TCommonEdit::classifyChar(QChar) const
{
    return CharClass::Reject;
}

void TCommonEdit::updateText() {}

bool TCommonEdit::isValidText(const QString &) const
{
    return true;
}

int TCommonEdit::selStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

int TCommonEdit::selLength() const
{
    return hasSelectedText() ? selectionLength() : 0;
}

QString TCommonEdit::withSelectionReplaced(const QString &replacement) const
{
    const QString t = text();
    const int s = selStart();
    return t.left(s) + replacement + t.mid(s + selLength());
}

void TCommonEdit::copySelection()
{
    Clipboard::setText(selectedText());
}

bool TCommonEdit::pasteChecked()
{
    const std::optional<QString> pasted = Clipboard::text();
    if (!pasted) {
        Notice::tell(this, Notice::Kind::Information, QStringLiteral("No text on the Clipboard"));
        return false;
    }
    m_candidate = withSelectionReplaced(*pasted);
    if (isReadOnly() || !isValidText(m_candidate))
        return false;
    insert(*pasted);
    return true;
}

bool TCommonEdit::cutChecked()
{
    if (!hasSelectedText() || isReadOnly())
        return false;
    m_candidate = withSelectionReplaced(QString());
    if (!isValidText(m_candidate))
        return false;
    copySelection();
    del();
    return true;
}

bool TCommonEdit::deleteChecked()
{
    if (isReadOnly())
        return false;
    m_candidate = textAfterDelete();
    if (!isValidText(m_candidate))
        return false;
    del();
    return true;
}

QString TCommonEdit::textAfterDelete() const
{
    if (hasSelectedText())
        return withSelectionReplaced(QString());
    const QString t = text();
    return t.left(cursorPosition()) + t.mid(cursorPosition() + 1);
}

QMenu *TCommonEdit::createCheckedContextMenu()
{
    auto *menu = new QMenu;
    const bool selection = hasSelectedText();
    const bool writable = !isReadOnly();

    QAction *cut = menu->addAction(tr("Cu&t"), this, [this] { cutChecked(); });
    cut->setObjectName(QStringLiteral("edit-cut"));
    cut->setEnabled(selection && writable);

    QAction *copy = menu->addAction(tr("&Copy"), this, [this] { copySelection(); });
    copy->setObjectName(QStringLiteral("edit-copy"));
    copy->setEnabled(selection);

    QAction *paste = menu->addAction(tr("&Paste"), this, [this] { pasteChecked(); });
    paste->setObjectName(QStringLiteral("edit-paste"));
    paste->setEnabled(writable);

    QAction *remove = menu->addAction(tr("Delete"), this, [this] { deleteChecked(); });
    remove->setObjectName(QStringLiteral("edit-delete"));
    remove->setEnabled(selection && writable);

    menu->addSeparator();
    QAction *all = menu->addAction(tr("Select All"), this, [this] { selectAll(); });
    all->setObjectName(QStringLiteral("select-all"));
    all->setEnabled(!text().isEmpty());
    return menu;
}

void TCommonEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createCheckedContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

void TCommonEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button pastes the X11 selection unchecked; here it does nothing.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

// The checks that run when a key goes down, before the window's key-down handler sees it.
// A key cleared here (0) is not handled any further; the key can also turn into Delete.
void TCommonEdit::keyDownStep(int &key, Qt::KeyboardModifiers shift)
{
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    if (ctrl && key == Qt::Key_C) {
        copySelection();
    } else if (ctrl && key == Qt::Key_V) {
        if (pasteChecked())
            key = 0;
    } else if (ctrl && key == Qt::Key_X && hasSelectedText()) {
        m_candidate = withSelectionReplaced(QString());
        if (isValidText(m_candidate) && !isReadOnly()) {
            copySelection();
            key = Qt::Key_Delete;
            keyDownStep(key, Qt::NoModifier);
        } else {
            key = 0;
        }
    } else if (!ctrl && key == Qt::Key_Delete) {
        m_candidate = textAfterDelete();
        if (!isValidText(m_candidate))
            key = 0;
    }
}

// The edit's own handling of a key that went down, after the checks. Returns whether the key
// was used. Everything that would change the text without a check is kept from QLineEdit.
bool TCommonEdit::editKey(QKeyEvent &event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers shift = event.modifiers();
    const bool ctrl = shift.testFlag(Qt::ControlModifier);

    if (key == Qt::Key_Delete) {
        // Ctrl+Delete would delete a word past the check.
        if (ctrl || isReadOnly())
            return true;
        // Shift+Delete is the old cut chord; the key-down step has checked the deletion.
        if (shift.testFlag(Qt::ShiftModifier) && hasSelectedText())
            copySelection();
        del();
        return true;
    }
    // Backspace is a character; Ctrl+C, Ctrl+V and Ctrl+X were dealt with on key-down.
    if (key == Qt::Key_Backspace)
        return true;
    if (ctrl && (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X))
        return true;
    // The other paste and cut chords (Shift+Insert, ...) take the same checks.
    if (event.matches(QKeySequence::Paste)) {
        pasteChecked();
        return true;
    }
    if (event.matches(QKeySequence::Cut)) {
        cutChecked();
        return true;
    }
    if (event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo)
        || event.matches(QKeySequence::DeleteStartOfWord) || event.matches(QKeySequence::DeleteEndOfWord)
        || event.matches(QKeySequence::DeleteEndOfLine) || event.matches(QKeySequence::DeleteCompleteLine))
        return true;
    if (isHarmlessEditorKey(event)) {
        QLineEdit::keyPressEvent(&event);
        return event.isAccepted();
    }
    return false;
}

// The characters a keystroke types: what the keyboard would deliver as characters, with the
// control characters Ctrl+letter, Backspace, Enter and Escape produce.
QString TCommonEdit::typedCharacters(const QKeyEvent &event) const
{
    const Qt::KeyboardModifiers shift = event.modifiers();
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const bool alt = shift.testFlag(Qt::AltModifier);
    const int key = event.key();

    switch (key) {
    case Qt::Key_Backspace:
        if (alt)
            return {};
        return QString(ctrl ? TypedChar::Delete : TypedChar::Backspace);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QString(TypedChar::CarriageReturn);
    case Qt::Key_Escape:
        return QString(TypedChar::Escape);
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    // Ctrl with a letter types a control character; with anything else, nothing.
    // Ctrl together with Alt is AltGr and types what the text says.
    if (ctrl && !alt) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return QString(QChar(key - Qt::Key_A + 1));
        return {};
    }
    if (alt && !ctrl)
        return {};
    return event.text();
}

// One typed character: checked through the candidate text, then shown to the key-press
// handler, then performed. Returns whether the character was the edit's (a printable
// character or Backspace), so that other control characters still reach the window.
bool TCommonEdit::typeCharacter(QChar c)
{
    const bool ours = c == TypedChar::Backspace || !isControlChar(c);
    if (!isValidChar(c))
        return ours;
    QChar key = c;
    if (OnKeyPress) {
        OnKeyPress(this, key);
        if (key.isNull())
            return ours;
    }
    if (isReadOnly())
        return ours;
    if (key == TypedChar::Backspace)
        backspace();
    else if (!isControlChar(key))
        insert(QString(key));
    return ours;
}

// A keystroke runs through one pipeline, in this order:
//   keyPressEvent   records the key as down (for its key-up) and runs the steps below;
//   keyDownStep     the edit's own checks: Ctrl+C copies, Ctrl+V pastes checked, Ctrl+X and
//                   Delete are checked against the text they would leave (the key may be
//                   cleared to 0 or become Delete);
//   OnKeyDown       the window's key-down handler, which may change or clear the key code;
//   editKey         what the edit does with the key itself (Delete, harmless editor keys),
//                   keeping from QLineEdit whatever would change the text unchecked;
//   typedCharacters the characters the keystroke types;
//   typeCharacter   each character checked (isValidChar, by classifyChar: TIntegerEdit takes
//                   digits, signs and Backspace), shown to OnKeyPress, then typed.
void TCommonEdit::keyPressEvent(QKeyEvent *event)
{
    m_keysDown.insert(event->key());
    const Qt::KeyboardModifiers shift = event->modifiers();
    int key = event->key();
    keyDownStep(key, shift);

    int code = keyCode(key);
    if (OnKeyDown)
        OnKeyDown(this, code, shift);
    if (code != keyCode(key))
        key = qtKey(code);

    bool used = false;
    if (key == 0) {
        used = true;
    } else if (key == event->key()) {
        used = editKey(*event);
    } else if (key == Qt::Key_Delete) {
        // Ctrl+X turned into Delete, or a handler asked for Delete.
        deleteChecked();
        used = true;
    } else {
        QKeyEvent changed(QEvent::KeyPress, key, shift);
        used = editKey(changed);
    }

    // The characters of the keystroke follow its key-down handling, whatever became of the key.
    for (QChar c : typedCharacters(*event)) {
        if (typeCharacter(c))
            used = true;
    }
    event->setAccepted(used);
}

void TCommonEdit::keyReleaseEvent(QKeyEvent *event)
{
    // Held keys repeat only their key-down; the key-up comes once, when the key is let go.
    // A key that went down elsewhere (Return that chose a menu entry opening this edit, say)
    // was not typed here, so its release is not reported.
    if (!event->isAutoRepeat() && m_keysDown.remove(event->key()) && OnKeyUp) {
        int code = keyCode(event->key());
        QPointer<TCommonEdit> self(this);
        OnKeyUp(this, code, event->modifiers());
        // The window's handler may close what holds the edit.
        if (!self)
            return;
        if (code == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyReleaseEvent(event);
}

void TCommonEdit::focusInEvent(QFocusEvent *event)
{
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(event);
    // Coming back from another window or a popup is no new entry.
    const Qt::FocusReason reason = event->reason();
    if (m_entered && (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason))
        return;
    m_entered = true;

    // A left-button press places the caret itself; any other way in selects the whole text.
    const bool leftPress = reason == Qt::MouseFocusReason && QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
    if (m_autoSelect && !leftPress)
        selectAll();
    else if (!hadSelection)
        deselect();
    setFontColor(m_colorNormal);
    if (OnEnter)
        OnEnter(this);
}

void TCommonEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Keys let go while the focus is elsewhere are released there.
    m_keysDown.clear();
    // Another window or a popup taking the focus does not leave the edit.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !m_entered)
        return;
    m_entered = false;
    if (OnExit)
        OnExit(this);
    updateText();
}
