#pragma once

#include <string_view>

namespace vemo {

// What an event made of the melody: the name of the undo step it records.
enum class StepKind {
    None, // nothing named: a change is an "edit"
    Notes,
    Erase,
    Duration,
    NewMelody,
    Load,
    Import,
    Clear,
    InsertColumn,
    DeleteColumn,
    NotesPasted,
    LayoutPasted,
    NotesAndLayoutPasted,
    Transpose,
    OctavesMoved, // notes moved by octaves into a target's range before an export
    TypedNote,    // named after the note: "type G4"
    TypedRest,
    Recover, // a melody brought back from the journal of an editor that ended without saving
};

// The name undo and redo show: "undo: erase".
constexpr std::string_view stepName(StepKind kind) {
    switch (kind) {
    case StepKind::None:
        return "edit";
    case StepKind::Notes:
        return "notes";
    case StepKind::Erase:
        return "erase";
    case StepKind::Duration:
        return "duration";
    case StepKind::NewMelody:
        return "new melody";
    case StepKind::Load:
        return "load";
    case StepKind::Import:
        return "import";
    case StepKind::Clear:
        return "clear";
    case StepKind::InsertColumn:
        return "insert column";
    case StepKind::DeleteColumn:
        return "delete column";
    case StepKind::NotesPasted:
        return "paste notes";
    case StepKind::LayoutPasted:
        return "paste layout";
    case StepKind::NotesAndLayoutPasted:
        return "paste notes and layout";
    case StepKind::Transpose:
        return "transpose";
    case StepKind::OctavesMoved:
        return "move by octaves";
    case StepKind::TypedNote:
        return "type note";
    case StepKind::TypedRest:
        return "type rest";
    case StepKind::Recover:
        return "recover";
    }
    return "edit";
}

} // namespace vemo
