// The names of the notes folder: any file name either is not a note or gives
// a date of the calendar whose own file names are read back as that date.
#include "calendar/paschalion.h"
#include "records/notes.h"
#include "texts/cp1251.h"

#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    if (size < 2)
        return 0;
    const int today_year = 1752 + (data[0] << 8 | data[1]) % 1249;
    const QString name = DecodeFileText(QByteArrayView(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2)));
    const std::optional<ListedNote> note = ParseNoteFileName(name, today_year);
    if (!note)
        return 0;
    const Date civil = CivilDateOfNoteKey(note->key);
    if (!IsAcceptedDate(civil))
        std::abort();
    // The file a save of that date writes is listed under the same key.
    const NoteFileNames files = NoteFilesOfKey("/r", note->key);
    const QString own = QFileInfo(note->yearly ? files.yearly_rtf : files.dated_rtf).fileName();
    const std::optional<ListedNote> again = ParseNoteFileName(own, today_year);
    if (!again || again->yearly != note->yearly || !(again->key == note->key))
        std::abort();
    return 0;
}
