// Every command the window can run is within a user's reach: in a menu (the
// main menu, a pop-up menu or a pane's context menu), on a tool bar, on a key,
// or behind a button of a pane.

#include "app/window/command_table.h"
#include "app/window/main_window.h"

#include "file_helpers.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace indikt {
namespace {

void CollectMenu(const QMenu* menu, QSet<QString>& reached)
{
    for (QAction* action : menu->actions()) {
        reached.insert(action->objectName());
        if (action->menu())
            CollectMenu(action->menu(), reached);
    }
}

// The names of the commands a user can reach in the window as it stands.
QSet<QString> ReachedCommands(const QMainWindow& window)
{
    QSet<QString> reached;
    for (QAction* action : window.menuBar()->actions()) {
        if (action->menu())
            CollectMenu(action->menu(), reached);
    }
    for (const QMenu* menu : window.findChildren<QMenu*>())
        CollectMenu(menu, reached);
    for (const QToolBar* bar : window.findChildren<QToolBar*>())
        for (QAction* action : bar->actions())
            reached.insert(action->objectName());
    for (const QAction* action : window.findChildren<QAction*>())
        if (!action->shortcut().isEmpty())
            reached.insert(action->objectName());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (const auto* tool = qobject_cast<const QToolButton*>(button); tool && tool->defaultAction())
            reached.insert(tool->defaultAction()->objectName());
        if (const QVariant command = button->property("command"); command.isValid())
            reached.insert(command.toString());
    }
    return reached;
}

TEST(Reachability, EveryCommandWithAHandlerIsWithinReach)
{
    QTemporaryDir root;
    const QDateTime now(QDate(2026, 12, 8), QTime(10, 30));
    MainWindowContext context{root.path(), root.path(), [now] { return now; }, "", "", StartMode::Saved, false};
    TForm1 window(context, ZkSettings::Load(root.path() + "/zk.ini", FromCivil(2026, 12, 8)));
    const QSet<QString> reached = ReachedCommands(window);
    QStringList unreachable;
    int enabled = 0;
    for (const Command& command : CommandTable()) {
        const QAction* action = window.findChild<QAction*>(QString::fromStdString(command.name));
        ASSERT_NE(action, nullptr) << command.name;
        if (!action->property(kHandledProperty).toBool())
            continue;
        ++enabled;
        if (!reached.contains(action->objectName()))
            unreachable << action->objectName() + " «" + action->text() + "»";
    }
    EXPECT_GT(enabled, 100);
    EXPECT_TRUE(unreachable.isEmpty()) << unreachable.size() << " commands out of reach:\n"
                                       << unreachable.join("\n").toStdString();
}

}  // namespace
}  // namespace indikt
