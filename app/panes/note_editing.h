#pragma once

// The hook through which the day page ends an edit of the notes pane before
// the day changes.

#include "calendar/date.h"

#include <optional>

namespace indikt {

// The note being edited, saved under its own date before the day changes.
class NoteEditing {
public:
    virtual ~NoteEditing() = default;
    // The date of the note in the editor while it is being edited.
    virtual std::optional<Date> editedNoteDate() const = 0;
    virtual void saveEditedNote(Date note_date) = 0;
};

}  // namespace indikt
