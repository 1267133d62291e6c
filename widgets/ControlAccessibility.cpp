// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ControlAccessibility.h"

#include "widgets/TEdit.h"
#include "widgets/THoverButton.h"

#include <QAccessibleWidget>

namespace {
class NameFieldAccessible : public QAccessibleWidget
{
public:
    explicit NameFieldAccessible(TEdit *field)
        : QAccessibleWidget(field, QAccessible::EditableText)
    {}

    // The name and the value are the item's name. Once the field has made its line edit, that
    // editor, a child of the field, tells them itself.
    QString text(QAccessible::Text t) const override
    {
        const auto *field = static_cast<const TEdit *>(widget());
        const bool name = t == QAccessible::Name && field->accessibleName().isEmpty();
        if ((name || t == QAccessible::Value) && !field->editor())
            return field->text();
        return QAccessibleWidget::text(t);
    }
};

class HoverButtonAccessible : public QAccessibleWidget
{
public:
    explicit HoverButtonAccessible(THoverButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const THoverButton *>(widget())->caption();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *controlInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("TEdit"))
        return new NameFieldAccessible(static_cast<TEdit *>(object));
    if (className == QLatin1String("THoverButton"))
        return new HoverButtonAccessible(static_cast<THoverButton *>(object));
    return nullptr;
}
} // namespace

void installControlAccessibility()
{
    static const bool installed = (QAccessible::installFactory(&controlInterface), true);
    Q_UNUSED(installed);
}

void reportNameChange(QWidget *control)
{
    // Asking for the interface costs even when nobody listens. A control off the screen has
    // nobody to tell (a reader asks afresh once it shows), and before the window first shows,
    // asking whether anybody listens would connect to the session bus ahead of the map.
    if (control->isVisible() && QAccessible::isActive()) {
        QAccessibleEvent changed(control, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}
