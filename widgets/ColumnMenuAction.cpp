#include "widgets/ColumnMenuAction.h"

#include <QGridLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace {
// One entry drawn by the style as a menu item, highlighted under the pointer.
class MenuCell : public QWidget
{
public:
    MenuCell(QAction *action, QWidget *parent)
        : QWidget(parent)
        , m_action(action)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_Hover);
        setObjectName(action->objectName() + QStringLiteral("Cell"));
    }

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

    void enterEvent(QEnterEvent *) override { update(); }
    void leaveEvent(QEvent *) override { update(); }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (!rect().contains(event->position().toPoint()) || !m_action->isEnabled())
            return;
        // Close the whole chain of menus first, as choosing a plain entry would.
        for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
            if (auto *menu = qobject_cast<QMenu *>(w)) {
                for (QWidget *m = menu; m; m = m->parentWidget()) {
                    if (qobject_cast<QMenu *>(m))
                        m->hide();
                }
                break;
            }
        }
        m_action->trigger();
    }

private:
    QStyleOptionMenuItem menuOption() const
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
        if (underMouse() && m_action->isEnabled())
            option.state |= QStyle::State_Selected;
        if (!m_action->isEnabled())
            option.state &= ~QStyle::State_Enabled;
        return option;
    }

    QAction *m_action;
};
} // namespace

ColumnMenuAction::ColumnMenuAction(QList<QList<QAction *>> columns, QObject *parent)
    : QWidgetAction(parent)
    , m_columns(std::move(columns))
{}

QWidget *ColumnMenuAction::createWidget(QWidget *parent)
{
    auto *block = new QWidget(parent);
    auto *grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (int c = 0; c < m_columns.size(); ++c) {
        for (int r = 0; r < m_columns[c].size(); ++r)
            grid->addWidget(new MenuCell(m_columns[c][r], block), r, c);
    }
    grid->setRowStretch(grid->rowCount(), 1);
    return block;
}
