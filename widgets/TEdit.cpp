// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TEdit.h"

#include "core/LineText.h"

#include "platform/SystemColors.h"
#include "widgets/ControlAccessibility.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QTextLayout>
#include <limits>
#include <utility>

// The line edit a field makes when it is first used. Its mouse events are the field's.
class NameEditor : public QLineEdit
{
public:
    explicit NameEditor(TEdit *field)
        : QLineEdit(field)
        , m_field(field)
    {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        // Qt makes no double click of two presses that reached different widgets, as the two
        // presses on an unused field do (the first made this editor): the second is taken here
        // for the double click Qt would have sent.
        if (m_field->completesDoubleClick(*event)) {
            QLineEdit::mouseDoubleClickEvent(event);
            return;
        }
        QLineEdit::mousePressEvent(event);
        m_field->reportPress(event);
    }
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        // After a double click taken here, Qt sees the next quick press as the second of two;
        // to the line edit it is the press of a triple click.
        if (m_field->followsMadeDoubleClick(*event))
            mousePressEvent(event);
        else
            QLineEdit::mouseDoubleClickEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLineEdit::mouseReleaseEvent(event);
        m_field->reportRelease(event);
    }

private:
    TEdit *m_field;
};

namespace {
// A borderless line edit keeps this much room left and right of its text line.
constexpr int LineMargin = 2;

// The text a line edit lays out for a name: control characters show as blanks.
QString displayText(QString text)
{
    for (QChar &c : text) {
        if ((c.unicode() < 0x20 && c != u'\t') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator
            || c == QChar::ObjectReplacementCharacter)
            c = u' ';
    }
    return text;
}

// How far a line edit that has just been given its text scrolls it: the cursor stands after
// the last character, and a text too long for the line is shown up to the cursor.
int scrollForCursorAtEnd(const QTextLine &line, int textLength, int lineWidth)
{
    const int widthUsed = qRound(line.naturalTextWidth()) + 1;
    const int cursorX = qRound(line.cursorToX(textLength));
    if (widthUsed <= lineWidth || cursorX < lineWidth)
        return 0;
    return cursorX - lineWidth + 1;
}
} // namespace

TEdit::TEdit(QWidget *parent)
    : QWidget(parent)
{
    installControlAccessibility();
    setFocusPolicy(Qt::ClickFocus);
    // The field paints all its pixels, but it is not marked opaque: the window paints its hundred
    // fields and purchase buttons over the background picture, and cutting each of them out of
    // the picture's region costs more than painting the picture under them.
    setAttribute(Qt::WA_InputMethodEnabled);
    setCursor(Qt::IBeamCursor);
    setAcceptDrops(true);
    // The item menu is the window's business; the edit's own menu never opens.
    setContextMenuPolicy(Qt::NoContextMenu);
}

TEdit::~TEdit() = default;

QString TEdit::text() const
{
    return m_editor ? m_editor->text() : m_text;
}

void TEdit::setText(const QString &text)
{
    if (m_editor) {
        m_editor->setText(text);
        return;
    }
    const QString kept = oneLine(text);
    if (kept == m_text)
        return;
    m_text = kept;
    m_layout.reset();
    reportNameChange(this);
    update();
}

void TEdit::setColor(ColorValue color)
{
    setColors({color, m_colors.font});
}

void TEdit::setFontColor(ColorValue color)
{
    setColors({m_colors.background, color});
}

void TEdit::setColors(FieldColors colors)
{
    if (colors == m_colors)
        return;
    m_colors = colors;
    applyColors();
}

void TEdit::applyColors()
{
    if (!m_editor) {
        update();
        return;
    }
    QPalette p = m_editor->palette();
    const QColor background = toQColor(m_colors.background);
    const QColor font = toQColor(m_colors.font);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, background);
        p.setColor(group, QPalette::Window, background);
        p.setColor(group, QPalette::Text, font);
    }
    m_editor->setPalette(p);
}

QLineEdit *TEdit::makeEditor()
{
    if (m_editor)
        return m_editor;
    m_editor = new NameEditor(this);
    m_editor->setFrame(false);
    m_editor->setAutoFillBackground(true);
    m_editor->setFocusPolicy(Qt::ClickFocus);
    m_editor->setContextMenuPolicy(Qt::NoContextMenu);
    // A stored name of any length must come back unchanged at close (the default cuts it).
    m_editor->setMaxLength(std::numeric_limits<int>::max());
    m_editor->setGeometry(rect());
    applyColors();
    m_editor->setText(m_text);
    m_text.clear();
    m_layout.reset();
    connect(m_editor, &QLineEdit::textChanged, this, &TEdit::keepOneLine);
    connect(m_editor, &QLineEdit::textEdited, this, [this] {
        if (OnChange)
            OnChange(this);
    });
    connect(m_editor, &QLineEdit::editingFinished, this, [this] {
        if (OnEditingFinished)
            OnEditingFinished(this);
    });
    setFocusProxy(m_editor);
    m_editor->show();
    return m_editor;
}

void TEdit::keepOneLine()
{
    const QString current = m_editor->text();
    const QString kept = plainName(current);
    if (kept == current)
        return;
    const int cursor = m_editor->cursorPosition();
    m_editor->setText(kept);
    m_editor->setCursorPosition(qMin(cursor, static_cast<int>(kept.size())));
}

// The text where a borderless line edit that was just given it shows it: its line is
// centred in the height and inset by the margin, and the text is scrolled to the cursor.
void TEdit::paintEvent(QPaintEvent *)
{
    if (m_editor)
        return;
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_colors.background));
    if (m_text.isEmpty())
        return;

    const QFontMetrics metrics = fontMetrics();
    if (!m_layout) {
        m_layout = std::make_unique<QTextLayout>(displayText(m_text), font());
        QTextOption option;
        option.setTextDirection(Qt::LeftToRight);
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        m_layout->setTextOption(option);
        m_layout->setCacheEnabled(true);
        m_layout->beginLayout();
        m_layout->createLine();
        m_layout->endLayout();
    }
    const QTextLine line = m_layout->lineAt(0);
    const QRect lineRect(LineMargin, (height() - metrics.height() + 1) / 2, width() - 2 * LineMargin, metrics.height());
    const int scroll = scrollForCursorAtEnd(line, int(m_text.size()), lineRect.width());
    const QPoint origin = lineRect.topLeft() - QPoint(scroll, qRound(line.ascent()) - metrics.ascent());
    painter.setPen(toQColor(m_colors.font));
    m_layout->draw(&painter, origin, {}, rect());
}

void TEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_layout.reset();
    QWidget::changeEvent(event);
}

void TEdit::resizeEvent(QResizeEvent *event)
{
    if (m_editor)
        m_editor->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void TEdit::focusInEvent(QFocusEvent *event)
{
    // The focus belongs to the editor: it is made now and the focus moves on to it.
    const bool hadEditor = m_editor != nullptr;
    makeEditor()->setFocus(event->reason());
    if (hadEditor)
        QWidget::focusInEvent(event);
}

// A press on a field without an editor makes the editor, which then sees the press and the
// rest of the gesture as if it had been under the pointer from the start.
void TEdit::mousePressEvent(QMouseEvent *event)
{
    makeEditor();
    passToEditor(event);
    m_pressBeforeEditor = Press{event->timestamp(), event->globalPosition().toPoint(), event->button()};
}

bool TEdit::completesDoubleClick(const QMouseEvent &press)
{
    const auto first = std::exchange(m_pressBeforeEditor, std::nullopt);
    if (!first || first->button != press.button())
        return false;
    const QStyleHints *hints = QGuiApplication::styleHints();
    const bool doubleClick =
        press.timestamp() - first->timestamp < ulong(hints->mouseDoubleClickInterval())
        && (press.globalPosition().toPoint() - first->position).manhattanLength() <= hints->mouseDoubleClickDistance();
    if (doubleClick)
        m_madeDoubleClickAt = press.timestamp();
    return doubleClick;
}

bool TEdit::followsMadeDoubleClick(const QMouseEvent &doubleClick)
{
    const auto madeAt = std::exchange(m_madeDoubleClickAt, std::nullopt);
    return madeAt
           && doubleClick.timestamp() - *madeAt < ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

void TEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (m_editor)
        passToEditor(event);
}

void TEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_editor)
        passToEditor(event);
}

void TEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    makeEditor();
    passToEditor(event);
}

void TEdit::dragEnterEvent(QDragEnterEvent *event)
{
    // The drag goes on over the editor, which takes the drop as a line edit does.
    makeEditor();
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
}

void TEdit::passToEditor(QMouseEvent *event)
{
    QMouseEvent copy(event->type(), event->position(), event->scenePosition(), event->globalPosition(), event->button(),
                     event->buttons(), event->modifiers(), event->pointingDevice());
    QCoreApplication::sendEvent(m_editor, &copy);
    event->setAccepted(copy.isAccepted());
}

void TEdit::reportPress(const QMouseEvent *event)
{
    m_leftPressed = event->button() == Qt::LeftButton;
    if (OnMouseDown) {
        const QPoint p = event->position().toPoint();
        OnMouseDown(this, event->button(), event->modifiers(), p.x(), p.y());
    }
}

void TEdit::reportRelease(const QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && m_leftPressed && rect().contains(p);
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    if (click && OnClick)
        OnClick(this);
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), p.x(), p.y());
}
