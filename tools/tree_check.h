#pragma once

// The checker of a data tree: the file names each folder allows, the
// Windows-1251 text with CR LF line ends, the three fields of the Menaion day
// records, the links of the reading and Menaion markup "[title=target]", and
// the links of the tree's own HTML pages (href and src) to its files and anchors.

#include <QString>

#include <vector>

namespace indikt {

struct TreeProblem {
    QString path;  // relative to the tree's root, with '/'; "." for the root itself
    QString text;
    friend bool operator==(const TreeProblem&, const TreeProblem&) = default;
};

// Every problem of the tree under `root`, sorted by path. A missing root is
// one problem.
std::vector<TreeProblem> CheckTree(const QString& root);

}  // namespace indikt
