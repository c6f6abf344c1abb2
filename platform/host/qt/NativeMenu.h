#pragma once
// Our popup menus shown as the desktop's own menus.
#include <QPoint>

class QAction;
class QMenu;
class QWidget;
class TMenuItem;
class TPopupMenu;

// Fills a menu with the visible subitems of item: captions (with their access keys), check
// marks, shortcut texts, submenus, separators, disabled items greyed. Each command's action
// carries its TMenuItem (MenuItemOf).
void FillMenu(QMenu& menu, const TMenuItem& item);
TMenuItem* MenuItemOf(const QAction* action);

// Opens the menu at a screen position and waits; the item chosen, or nullptr.
TMenuItem* ShowPopupMenu(QWidget* parent, TPopupMenu& menu, QPoint screenPos);
