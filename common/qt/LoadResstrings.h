// The resource text loader: replaces the text ids that a window and its
// controls carry by the texts of the current language.
//
// Where a Qt window keeps its ids (each a decimal number written as text):
//   - a dynamic property "Tag" (QString) on the window or a control;
//   - a widget's toolTip(); a toolbar action's toolTip();
//   - a menu action's text() (the id is the caption itself);
//   - a tab of a QTabWidget/QTabBar: its tabData() (a QString) as Tag and its
//     tabToolTip();
//   - a column header of a QTreeView/QTableView (QTreeWidget, QTableWidget):
//     the header data under Qt::UserRole as Tag.
// The caption that a Tag id fills is the window title of the window, text() of
// a label or button (push, tool, check, option), title() of a group box, the
// tab's text and the header's display text.
#pragma once

#include <QString>

#include <cstdint>

class QObject;
class QWidget;

namespace morvane {

// Fills frm at the language offset sprachOffset (0 German, 10000 English).
// Every statement that fails (missing string, id out of range, a property the
// control lacks) is skipped silently and the item keeps its design text; the
// error dialog is never shown.
void LoadResstrings(QWidget* frm, std::int32_t sprachOffset);

// The loader's type name of a control: "Label", "Menu", "TabStrip", "Toolbar",
// "ListView", "ComboBox", "CommonDialog", "Line", or "" for any other control.
QString resstringTypeName(const QObject* item);

}  // namespace morvane
