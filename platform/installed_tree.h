#pragma once

// Where the data tree is when no --data-root is given. A program run from a
// folder it may write to (a build, an unpacked copy) keeps its tree there.
// An installed program (/usr/bin is not the user's to write) works on the
// user's own copy of the installed tree, in
// ${XDG_DATA_HOME:-~/.local/share}/indikt/data, made on the first start and
// brought up to date when a newer tree is installed: corrected texts arrive,
// files the user changed and the user's own files stay.

#include <QString>

namespace indikt {

struct InstalledLayout {
    QString program_folder;   // the folder of the program file
    QString xdg_data_home;    // $XDG_DATA_HOME, may be empty
    QString home;             // $HOME
};

// The installed tree beside an installed program: PREFIX/share/indikt/data.
QString InstalledTreeOf(const QString& program_folder);
// The user's writable copy of it.
QString UserTreeCopy(const QString& xdg_data_home, const QString& home);

struct DefaultDataRoot {
    QString path;
    QString problem;  // for the terminal: why the copy could not be brought up to date
};

// The program folder when there is no installed tree beside it, or when it
// holds a tree of its own and is writable; else the user's copy, made or
// brought up to date from the installed tree by the installer of the tree
// (PREFIX/lib/indikt/indikt-install-data) when the installed tree's
// version.txt differs from the one the copy was made from.
DefaultDataRoot ResolveDefaultDataRoot(const InstalledLayout& layout);

}  // namespace indikt
