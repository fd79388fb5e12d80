#pragma once

// The checks of the data tree at start: the notes folder is created, and the
// panes and commands whose folders or programs are missing are hidden or
// disabled. Nothing else is tested in advance; readers cope with missing files.

#include <QString>

namespace indikt {

struct DataTreePresence {
    bool notes = false;        // "Записи" exists (created when missing)
    bool paschalion = false;   // "Пасхалия\Пасхалия.exe": command ActionPash
    bool lectionary = false;   // "Богослужение\Апостол": pane PanelBeibl, command ActionBeibl
    bool troparia = false;     // "Богослужение\Тропари и кондаки": pane PanelTr, command ActionTropar
    bool icons = false;        // "Иконы": command ActionPanelIco
    bool prayer_book = false;  // "Богослужение\Молитвослов": pane PanelMolitv, command ActionMolitv
    bool lives = false;        // "Жития святых": pane PanelGitiya, command ActionGitiya
    QString error;             // why the notes folder could not be created
};

DataTreePresence CheckDataTree(const QString& data_root);

}  // namespace indikt
