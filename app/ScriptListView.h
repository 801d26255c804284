#pragma once

// The list of scripts as the keyboard and assistive technology meet it. Each cell reads as
// what it shows (the name, the state, the row's actions), and every cell of a row offers the
// row's actions by their titles (those drawn on its buttons, and "Show Differences…"), so a
// screen reader or voice control can install, remove or compare without the mouse. Entering the
// list tells assistive technology which row is current. Qt's own accessible face of a tree offers
// only selection on its cells, so the list has its own.

#include "app/ScriptRowDelegate.h"

#include <QTreeView>

namespace twk::app {

class ScriptListPanel;

class ScriptListView : public QTreeView {
    Q_OBJECT
public:
    explicit ScriptListView(ScriptListPanel* panel);

    ScriptListPanel* panel() const { return panel_; }

    // The number Qt's item views give a cell in accessibility events: the header row counts
    // as the first row.
    int accessibleChild(const QModelIndex& index) const;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void announceCurrent();

    ScriptListPanel* panel_;
};

} // namespace twk::app
