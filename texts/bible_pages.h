#pragma once

// The chapter pages of a Bible version in the data tree, written from a Bible
// read by ParseBible: one page per book, "Библия/b_snd/b_snd51.html", with the
// anchor "g" + chapter that the readings and the home rule link to, and the
// Psalter by kathismata, "Библия/psalm/ps_snd/psalm01.html", with the anchor
// "p" + psalm. Pages are Windows-1251 with CR LF line ends, each written
// atomically; a text the code page cannot hold is refused before any page is
// written.

#include "texts/bible_formats.h"

#include <QString>
#include <QStringList>

namespace indikt {

struct BibleImportOptions {
    QString version_folder = QStringLiteral("b_snd");  // "b_snd", "b_sgr", "b_cas" or "b_slv"
    QString psalter_folder = QStringLiteral("ps_snd"); // "ps_snd", "ps_sgr", "ps_tmr", "ps_sl", or empty for none
    QString title;  // the version's name on its pages; empty: the file's own title, else the folder's usual name
};

// The version folders and Psalter folders the tree has.
const QStringList& BibleVersionFolders();
const QStringList& PsalterFolders();
// The usual name of the translation of a version folder.
QString BibleVersionName(const QString& version_folder);

// The Psalter folder that goes with a version folder by default ("ps_snd" for
// "b_snd"); empty for "b_cas", whose translation has no Psalter.
QString DefaultPsalterFolder(const QString& version_folder);

struct BibleImportResult {
    QString error;            // in Russian, for the user; empty on success
    QStringList written;      // the pages written, relative to the data root, with '/'
    int books = 0;
    int chapters = 0;
    int verses = 0;
    bool ok() const { return error.isEmpty(); }
};

// Writes the pages of `bible` under `data_root`. Books the file does not
// hold keep the pages they had. On an error after some pages were written the
// result names them in `written`.
BibleImportResult WriteBiblePages(const Bible& bible, const QString& data_root, const BibleImportOptions& options);

// The kathisma (1-20) a psalm (1-151, the numbering of the Greek and Slavonic
// Psalter) belongs to; 0 outside.
int KathismaOfPsalm(int psalm);

}  // namespace indikt
