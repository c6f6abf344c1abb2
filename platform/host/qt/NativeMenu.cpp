#include "platform/host/qt/NativeMenu.h"

#include <QActionGroup>
#include <QMenu>

#include "platform/controls/Menus.h"
#include "platform/host/qt/Dialogs.h"

namespace {

// The caption, then a tab and the shortcut's text: the menu shows what follows the tab in its
// shortcut column. The key itself is ours to handle (the form's shortcuts), not the menu's.
QString ItemText(const TMenuItem& item)
{
    QString text = FromCp932(item.Caption());
    if (item.ShortCut() != scNone)
        text += QLatin1Char('\t') + FromCp932(ShortCutToText(item.ShortCut()));
    return text;
}

void AddCommand(QMenu& menu, const TMenuItem& item)
{
    QAction* action = menu.addAction(ItemText(item));
    action->setData(QVariant::fromValue(static_cast<void*>(const_cast<TMenuItem*>(&item))));
    action->setEnabled(item.Enabled());
    // Only a checked item shows an indicator: an unchecked one looks like any other command.
    if (item.Checked()) {
        action->setCheckable(true);
        action->setChecked(true);
        if (item.RadioItem())
            (new QActionGroup(&menu))->addAction(action);  // drawn as a dot, not a tick
    }
}

} // namespace

void FillMenu(QMenu& menu, const TMenuItem& item)
{
    for (int i = 0; i < item.Count(); ++i) {
        const TMenuItem& sub = *item.Items(i);
        if (!sub.Visible())
            continue;
        if (sub.IsLine()) {
            menu.addSeparator();
        } else if (sub.Count() > 0) {
            QMenu* submenu = menu.addMenu(FromCp932(sub.Caption()));
            submenu->setEnabled(sub.Enabled());
            FillMenu(*submenu, sub);
        } else {
            AddCommand(menu, sub);
        }
    }
}

TMenuItem* MenuItemOf(const QAction* action)
{
    return action ? static_cast<TMenuItem*>(action->data().value<void*>()) : nullptr;
}

TMenuItem* ShowPopupMenu(QWidget* parent, TPopupMenu& menu, QPoint screenPos)
{
    QMenu popup(parent);
    popup.setSeparatorsCollapsible(false);
    FillMenu(popup, *menu.Items());
    return MenuItemOf(popup.exec(screenPos));
}
