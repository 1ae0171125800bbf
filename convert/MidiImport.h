#pragma once

#include "convert/MelodyImport.h"
#include "convert/MidiFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vemo {

// Which note sounds when notes of the chosen voice overlap.
enum class OverlapRule { Highest, Latest };

// What an import is told: the grid step places every song, the voice and the overlap rule pick
// a MIDI song's one line of notes.
struct ImportChoice {
    std::size_t voice = 0; // index into MidiSong::voices
    std::int32_t gridStep = DefaultGridStep;
    OverlapRule overlap = OverlapRule::Highest;
};

// The tune: of the voices with at least half as many strikes (distinct note-on times, a chord's
// notes one) as the busiest, the highest on average. Drums only when nothing else sounds; only
// notes that last count.
std::size_t defaultVoice(const MidiSong& song);

// The voice's notes that last: a note that ends where it starts is never heard.
std::int32_t soundingNotes(const MidiSong& song, std::size_t voice);
// Why the voice gives no melody although it has notes: none of them lasts. Empty when it does.
std::string silentVoiceReason(const MidiSong& song, std::size_t voice);

// "3 notes have no length and are not heard".
std::string unheardNotesReport(std::int32_t unheardNotes);

// A voice as users see it listed: `track 2 channel 1: 120 notes "Lead"`, drums marked.
std::string voiceDescription(const MidiVoice& voice);

// One column is one grid step at the first tempo, rounded to whole milliseconds (1-999). The
// chosen voice becomes one line of notes: where notes overlap the rule picks the sounding one,
// and a note that sounds again after another was over it starts anew. Placing, pitch and width
// follow the RTTTL import.
MelodyImport importMidi(const MidiSong& song, const ImportChoice& choice);

} // namespace vemo
