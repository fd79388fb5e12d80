#pragma once

// The hook through which the window ends an edit of the notes pane before
// anything changes the note shown: a date change, the evening switch, a
// walk over many days, closing the window.

namespace indikt {

enum class EditEnd {
    Proceed,    // nothing unsaved is left: the caller goes on
    Cancelled,  // the user goes on editing (or the save failed): the caller abandons its step
};

class NoteEditing {
public:
    virtual ~NoteEditing() = default;
    // Whether a note is being edited (its tool bar is shown).
    virtual bool isEditing() const = 0;
    // `RichEditSapisExit`: ends the edit, asking first whether to save
    // unsaved changes.
    virtual EditEnd endEdit() = 0;
};

}  // namespace indikt
