#pragma once

// Reading the files of the data tree, and writing a user's file safely.
//
// Readers never fail: a file that is missing, not a regular file, larger than
// the cap, binary (it holds a NUL byte) or unreadable gives an empty text and
// no message, since a day page simply shows nothing for it.

#include <QByteArray>
#include <QIODevice>
#include <QtGlobal>
#include <QString>
#include <QStringView>

#include <optional>

namespace indikt {

// No page of the tree comes near this (a whole book of the Bible is under a
// megabyte); a larger file is not read. Panes bound what they lay out of a
// page further (BoundPageHtml).
inline constexpr qsizetype kMaxDataFileBytes = 4 * 1024 * 1024;

// The text files of the tree (day records, reading lines, contents, captions)
// are a few kilobytes; a larger one is not read.
inline constexpr qsizetype kMaxTextFileBytes = 1024 * 1024;

// A damaged user file up to this size is kept whole beside it before the
// program writes over it.
inline constexpr qsizetype kMaxDamagedCopyBytes = 64 * 1024 * 1024;

// The absolute path of a file of the tree: the data root (with its trailing
// separator) followed by a relative path as the tree's texts write it, with
// its backslashes turned into '/'.
QString DataPath(QStringView data_root, QStringView relative_path);

// The whole content of a regular file of at most `max_bytes`; nothing when the
// file is missing, not a regular file, larger, or cannot be read.
std::optional<QByteArray> ReadFileBytes(const QString& path, qsizetype max_bytes);

// A text file of at most `max_bytes` decoded by DecodeFileText; empty when it
// cannot be read or is binary.
QString ReadTextFile(const QString& path, qsizetype max_bytes = kMaxTextFileBytes);

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
DataRecord ParseRecord(const QString& text);

// A page is not read here: its path is handed to a pane, which loads it. Empty
// when the file is missing, not a regular file or larger than the cap.
QString PagePath(const QString& path);

// The outcome of writing a file: the file was written exactly when `error` is
// empty; otherwise `error` says why, for the user.
struct WriteResult {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// The one path every file the user owns is written through.
//
// Only a regular file is written. A symbolic link is written through at its
// target, atomically, and stays a link, as editors do, but only when the
// target is a regular file the user may write; a link to a device, a FIFO, a
// folder, a dangling link or a loop is refused, as is any such thing in the
// file's own place. The bytes go to a hidden temporary file beside the target
// that is synced and renamed over it, so a failed or interrupted write leaves
// the old file whole; the target keeps its permissions. A failure names the
// file and the reason in Russian.
WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The same guarded path for a file written piece by piece (a long report):
// begin() opens the hidden temporary file, the bytes are written to this
// device, commit() syncs it and puts it in the place of the file. A writer
// destroyed or discarded without a commit leaves the old file as it was and
// no temporary behind. A failed write is remembered and reported by commit().
class AtomicFileWriter final : public QIODevice {
public:
    explicit AtomicFileWriter(const QString& path);
    ~AtomicFileWriter() override;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False, with failure() set, when nothing may be written at the path.
    bool begin();
    WriteResult commit();
    void discard();
    QString failure() const { return failure_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    QString path_;
    QString target_;
    QString temporary_;
    QString failure_;
    int fd_ = -1;
    int write_errno_ = 0;
    bool committed_ = false;
};

// A new file in a staging folder that the caller syncs as a whole and only
// then puts in the place of what the user has (the backup's staged copies):
// created, never through a link or over a file, written whole, not synced.
// Not for a file in its final place: that is WriteFileAtomically's.
WriteResult WriteStagedFile(const QString& path, const QByteArray& bytes);

// The file a save of `path` would replace: `path` itself, or the target of a
// symbolic link. Empty, with `error` set, when nothing may be written there.
QString WritableTarget(const QString& path, QString* error);

// Temporary files of saves interrupted by a crash or a kill (their writing
// process is gone) are removed from `folder`. Returns how many were removed.
int RemoveStaleTemporaryFiles(const QString& folder);

// What a file was when it was read or written, to tell at the next save
// whether someone else changed it meanwhile.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modified_ms = 0;
    QByteArray sha256;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp StampOfFile(const QString& path);
FileStamp StampOfBytes(const QString& path, const QByteArray& bytes);

// Keeps the bytes of a file that could not be read whole beside it, as
// "<name>.bad", or "<name>.bad2" … "<name>.bad9" when an earlier copy with
// other content is there (the last is reused). Returns the name written, or
// empty with `error` set.
QString KeepDamagedCopy(const QString& path, const QByteArray& bytes, QString* error);

// The reason of a failed system call, in Russian, for messages.
QString SystemErrorText(int error_number);

}  // namespace indikt
