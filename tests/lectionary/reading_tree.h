#pragma once

// A data tree in which every reading file holds its own name, "«path»", so a
// test sees exactly which files a day read.

#include "file_helpers.h"
#include "texts/cp1251.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <initializer_list>

namespace indikt {

inline QString Named(const QString& relative) { return "«" + relative + "»"; }

class ReadingTree {
public:
    ReadingTree() : root_(dir_.path()) {}
    const QString& root() const { return root_; }

    void add(const QString& relative) const
    {
        const QString path = root_ + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        WriteBytes(path, *EncodeCp1251(Named(relative) + "\r\n"));
    }
    // Every movable number 000..max of a folder.
    void addNumbers(const QString& folder, int max) const
    {
        for (int n = 0; n <= max; ++n)
            add(folder + QString::asprintf("%.3d.txt", n));
    }
    // Every day key of the old-style year in a folder.
    void addDayKeys(const QString& folder) const
    {
        static const char* const kMonths[] = {"янв", "фев", "мар", "апр", "май", "июн",
                                              "июл", "авг", "сен", "окт", "ноя", "дек"};
        static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int m = 0; m < 12; ++m)
            for (int d = 1; d <= kDays[m]; ++d)
                add(folder + QString::fromUtf8(kMonths[m]) + QString::asprintf("%02d.txt", d));
    }

private:
    QTemporaryDir dir_;
    QString root_;
};

}  // namespace indikt
