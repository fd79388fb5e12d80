// make-feast-icons DATA_ROOT: draws our own simple icons of the great feasts,
// the rotating Sunday and Saviour icons, and the chief commemoration of every
// day that has a Menaion record, into DATA_ROOT/Иконы, each as a small JPEG,
// its large version "а_" + name and a caption file.

#include "tools/icon_pictures.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "usage: make-feast-icons DATA_ROOT   (writes into DATA_ROOT/Иконы)\n";
        return 2;
    }
    const QString data_root = arguments[1];
    int written = 0;
    for (const indikt::FeastIcon& icon : indikt::FeastIcons()) {
        const QString error = indikt::WriteIconFiles(data_root + u'/' + icon.folder, icon.stem, icon.picture);
        if (!error.isEmpty()) {
            err << error << '\n';
            return 1;
        }
        out << icon.folder << '/' << icon.stem << ".jpg: " << icon.picture.title << '\n';
        ++written;
    }
    // The days after the feasts, so a day whose great-feast icon was just drawn gets no second one.
    int days = 0;
    for (const indikt::FeastIcon& icon : indikt::DayIcons(data_root)) {
        const QString error =
            indikt::WriteIconFiles(data_root + u'/' + icon.folder, icon.stem, icon.picture, indikt::kDayIconFormat);
        if (!error.isEmpty()) {
            err << error << '\n';
            return 1;
        }
        ++days;
    }
    out << written << " feast icons and " << days << " icons of the days written, each with its large version and caption\n";
    return 0;
}
