#pragma once

// The command table of the main window: every command once, with its
// category, caption, shortcut and tag. The menu bar, the tool bar, the
// pop-up menus and the keyboard all use the actions made from it, so a key
// has exactly one owner and a caption is written in one place.

#include <QHash>
#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QWidget;

namespace indikt {

struct Command {
    std::string name;       // the action's object name
    std::string category;   // the group it is listed under
    std::string caption;
    std::string shortcut;   // portable key text, empty for none
    int tag = 0;            // the number of a jump command
    bool checkable = false;
};

// Every command of the window, in the order the help page lists them.
const std::vector<Command>& CommandTable();
const Command* FindCommand(std::string_view name);

// The buttons of the tool bar by their position in section "ToolBar1", with
// the command each runs and the "Настройка" command that shows or hides it.
struct ToolBarButton {
    std::string_view command;
    std::string_view choice;
};
const std::vector<ToolBarButton>& ToolBarButtons();

// The property an action carries once a handler is connected: a hidden
// action reports itself disabled, so this is what says it can run.
inline constexpr const char* kHandledProperty = "indiktHandled";

// The actions of the table, owned by the window. An action starts disabled
// and is enabled when a handler is connected: a command whose work is not
// in the program yet is listed but cannot be run.
class CommandSet {
public:
    explicit CommandSet(QWidget* window);

    QAction* action(std::string_view name) const;
    QAction* operator[](std::string_view name) const { return action(name); }
    void connect(std::string_view name, std::function<void()> handler);
    // The handler gets the command's tag (the jump commands share one handler).
    void connectTagged(std::string_view name, std::function<void(int tag)> handler);
    // Every connected handler runs through this: the window passes a guard
    // that keeps it usable when a command fails.
    void setRunner(std::function<void(QAction*, const std::function<void()>&)> runner) { runner_ = std::move(runner); }

private:
    QHash<QString, QAction*> actions_;
    std::function<void(QAction*, const std::function<void()>&)> runner_;
};

}  // namespace indikt
