// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ColumnMenuAction.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QTimer>

namespace {
class ColumnBlock;

// One entry drawn by the style as a menu item, highlighted while it is the block's current
// entry: under the pointer, or reached with the arrow keys.
class MenuCell : public QWidget
{
public:
    MenuCell(QAction *action, ColumnBlock *block, int column, int row);

    QAction *action() const { return m_action; }

    QSize sizeHint() const override
    {
        QStyleOptionMenuItem option = menuOption();
        const QSize text = fontMetrics().size(Qt::TextSingleLine, m_action->text());
        return style()->sizeFromContents(QStyle::CT_MenuItem, &option, text + QSize(12, 0), this);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QStyleOptionMenuItem option = menuOption();
        style()->drawControl(QStyle::CE_MenuItem, &option, &painter, this);
    }

    void enterEvent(QEnterEvent *) override;
    void leaveEvent(QEvent *) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QStyleOptionMenuItem menuOption() const;

    QAction *m_action;
    ColumnBlock *m_block;
    int m_column;
    int m_row;
};

// The cells in their columns, with one current cell. Opened from the keyboard the first cell
// is current; the arrow keys move within and between the columns, Return or Space chooses,
// and Escape (or Left from the first column) goes back to the menu above.
class ColumnBlock : public QWidget
{
public:
    ColumnBlock(const QList<QList<QAction *>> &columns, QWidget *parent)
        : QWidget(parent)
    {
        auto *grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(0);
        for (int c = 0; c < columns.size(); ++c) {
            m_cells.append(QList<MenuCell *>());
            for (int r = 0; r < columns[c].size(); ++r) {
                auto *cell = new MenuCell(columns[c][r], this, c, r);
                m_cells[c].append(cell);
                grid->addWidget(cell, r, c);
            }
        }
        grid->setRowStretch(grid->rowCount(), 1);
        // The menu keeps the keyboard; its keys are handled here on their way to it.
        if (parent)
            parent->installEventFilter(this);
    }

    bool isCurrent(int column, int row) const { return column == m_column && row == m_row; }

    void setCurrent(int column, int row)
    {
        const int oldColumn = m_column;
        const int oldRow = m_row;
        m_column = column;
        m_row = row;
        if (MenuCell *old = cell(oldColumn, oldRow))
            old->update();
        if (MenuCell *now = cell(column, row))
            now->update();
    }

    // Closes the whole chain of menus, as choosing a plain entry would, then runs the entry.
    void choose(QAction *action)
    {
        if (!action->isEnabled())
            return;
        for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
            if (qobject_cast<QMenu *>(w))
                w->hide();
        }
        action->trigger();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *menu = qobject_cast<QMenu *>(watched);
        if (!menu)
            return false;
        if (event->type() == QEvent::Show) {
            // A menu opened from the keyboard makes its first entry (this block) active at once.
            QTimer::singleShot(0, this, [this, menu] {
                if (menu->isVisible() && menu->activeAction() && cell(m_column, m_row) == nullptr
                    && menu->activeAction() == menu->actions().value(0))
                    setCurrent(0, 0);
            });
        } else if (event->type() == QEvent::Hide) {
            setCurrent(-1, -1);
        } else if (event->type() == QEvent::KeyPress) {
            return moveOrChoose(static_cast<QKeyEvent *>(event)->key());
        }
        return false;
    }

private:
    // Returns whether the key was used here; the others (Escape, Left from the first column)
    // are the menu's, which closes the submenu.
    bool moveOrChoose(int key)
    {
        const int columns = int(m_cells.size());
        const int column = qMax(m_column, 0);
        const int row = qMax(m_row, 0);
        const int rows = int(m_cells[column].size());
        const bool none = cell(m_column, m_row) == nullptr;
        switch (key) {
        case Qt::Key_Up:
            setCurrent(column, none ? 0 : (row + rows - 1) % rows);
            return true;
        case Qt::Key_Down:
            setCurrent(column, none ? 0 : (row + 1) % rows);
            return true;
        case Qt::Key_Right:
            if (none)
                setCurrent(0, 0);
            else if (column + 1 < columns)
                setCurrent(column + 1, qMin(row, int(m_cells[column + 1].size()) - 1));
            return true;
        case Qt::Key_Left:
            if (none || column == 0)
                return false;
            setCurrent(column - 1, qMin(row, int(m_cells[column - 1].size()) - 1));
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (MenuCell *c = cell(m_column, m_row))
                choose(c->action());
            return true;
        default:
            return false;
        }
    }

    MenuCell *cell(int column, int row) const
    {
        if (column < 0 || column >= m_cells.size() || row < 0 || row >= m_cells[column].size())
            return nullptr;
        return m_cells[column][row];
    }

    QList<QList<MenuCell *>> m_cells;
    int m_column = -1;
    int m_row = -1;
};

MenuCell::MenuCell(QAction *action, ColumnBlock *block, int column, int row)
    : QWidget(block)
    , m_action(action)
    , m_block(block)
    , m_column(column)
    , m_row(row)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    setObjectName(action->objectName() + QStringLiteral("Cell"));
}

void MenuCell::enterEvent(QEnterEvent *)
{
    m_block->setCurrent(m_column, m_row);
}

void MenuCell::leaveEvent(QEvent *)
{
    if (m_block->isCurrent(m_column, m_row))
        m_block->setCurrent(-1, -1);
}

void MenuCell::mouseReleaseEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint()))
        m_block->choose(m_action);
}

QStyleOptionMenuItem MenuCell::menuOption() const
{
    QStyleOptionMenuItem option;
    option.initFrom(this);
    option.text = m_action->text();
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.checkType = QStyleOptionMenuItem::NotCheckable;
    option.maxIconWidth = 0;
    option.reservedShortcutWidth = 0;
    option.font = font();
    option.fontMetrics = fontMetrics();
    if (m_block->isCurrent(m_column, m_row) && m_action->isEnabled())
        option.state |= QStyle::State_Selected;
    if (!m_action->isEnabled())
        option.state &= ~QStyle::State_Enabled;
    return option;
}
} // namespace

ColumnMenuAction::ColumnMenuAction(QList<QList<QAction *>> columns, QObject *parent)
    : QWidgetAction(parent)
    , m_columns(std::move(columns))
{}

QWidget *ColumnMenuAction::createWidget(QWidget *parent)
{
    return new ColumnBlock(m_columns, parent);
}
