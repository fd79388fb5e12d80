#pragma once

// Reading the files of the data tree, and writing a user's file safely.
//
// Readers never fail: a file that is missing, not a regular file, larger than
// the cap, binary (it holds a NUL byte) or unreadable gives an empty text and
// no message, since a day page simply shows nothing for it.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace indikt {

// No text of the tree comes near this; a larger file is not read.
inline constexpr qsizetype kMaxDataFileBytes = 16 * 1024 * 1024;

// The absolute path of a file of the tree: the data root (with its trailing
// separator) followed by a relative path as the tree's texts write it, with
// its backslashes turned into '/'.
QString DataPath(QStringView data_root, QStringView relative_path);

// The whole content of a regular file of at most `max_bytes`; nothing when the
// file is missing, not a regular file, larger, or cannot be read.
std::optional<QByteArray> ReadFileBytes(const QString& path, qsizetype max_bytes);

// A text file decoded by DecodeFileText; empty when it cannot be read or is binary.
QString ReadTextFile(const QString& path);

// The first line, trimmed of surrounding blanks: titles and captions.
QString ReadSingleLine(const QString& path);

// A day record: lines 1, 2 and 3 each trimmed; every further line is trimmed
// and, unless empty, appended to the third field after a CR LF. Lines end at
// CR LF, LF or CR.
struct DataRecord {
    QString first;
    QString second;
    QString third;
    friend bool operator==(const DataRecord&, const DataRecord&) = default;
};
DataRecord ReadRecord(const QString& path);

// A page is not read here: its path is handed to a pane, which loads it. Empty
// when the file is missing, not a regular file or larger than the cap.
QString PagePath(const QString& path);

// The outcome of writing a file: the file was written exactly when `error` is
// empty; otherwise `error` says why, for the user.
struct WriteResult {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Writes the file through a temporary file beside it that is flushed and then
// renamed over it, so a failed write leaves the old file whole.
WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace indikt
