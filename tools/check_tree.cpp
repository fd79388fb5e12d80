// check-tree DIR: prints every problem of the data tree under DIR as
// "path: problem" and exits with 1 when there is any.

#include "tools/tree_check.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "usage: check-tree DIR\n";
        return 2;
    }
    const std::vector<indikt::TreeProblem> problems = indikt::CheckTree(arguments[1]);
    for (const indikt::TreeProblem& problem : problems)
        out << problem.path << ": " << problem.text << '\n';
    out.flush();
    if (!problems.empty()) {
        err << problems.size() << " problem(s) in " << arguments[1] << '\n';
        return 1;
    }
    return 0;
}
