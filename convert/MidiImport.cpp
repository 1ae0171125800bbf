#include "convert/MidiImport.h"

#include <algorithm>
#include <set>
#include <utility>

namespace vemo {

namespace {

constexpr double WholeNoteQuarters = 4.0;
// Players and programs spread a chord's notes (abc2midi by 10 ticks each): note-ons closer than
// this to a strike belong to it.
constexpr double ChordSpreadMs = 50.0;

// The voice's notes as one line: segments of the note that sounds, split where another takes
// over. Notes are sorted by start, so a later index started no earlier.
std::vector<TimedNote> oneLine(const MidiSong& song, const ImportChoice& choice, double columnMs) {
    struct Edge {
        double ms;
        bool isStart;
        std::size_t note;
    };
    std::vector<std::size_t> chosen;
    std::vector<Edge> edges;
    for (std::size_t index = 0; index < song.notes.size(); ++index) {
        const MidiNote& note = song.notes[index];
        if (static_cast<std::size_t>(note.voice) != choice.voice) continue;
        chosen.push_back(index);
        // A note with no length is never heard.
        if (note.endMs <= note.startMs) continue;
        edges.push_back({note.startMs, true, index});
        edges.push_back({note.endMs, false, index});
    }
    // At one instant notes end before others start, so a repeated key starts anew.
    std::stable_sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) {
        return a.ms < b.ms || (a.ms == b.ms && !a.isStart && b.isStart);
    });
    std::vector<std::size_t> numberOf(song.notes.size(), 0);
    for (std::size_t i = 0; i < chosen.size(); ++i)
        numberOf[chosen[i]] = i + 1;

    // Ranked so that the last entry sounds: by key then start, or by start alone.
    std::set<std::pair<std::int32_t, std::size_t>> sounding;
    const auto rankOf = [&](std::size_t note) {
        return std::pair{choice.overlap == OverlapRule::Highest ? song.notes[note].key : 0, note};
    };
    std::vector<TimedNote> line;
    bool isOpen = false;
    std::size_t current = 0;
    for (std::size_t i = 0; i < edges.size();) {
        const double now = edges[i].ms;
        for (; i < edges.size() && edges[i].ms == now; ++i) {
            if (edges[i].isStart)
                sounding.insert(rankOf(edges[i].note));
            else
                sounding.erase(rankOf(edges[i].note));
        }
        const bool hasWinner = !sounding.empty();
        const std::size_t winner = hasWinner ? sounding.rbegin()->second : 0;
        if (isOpen && (!hasWinner || winner != current)) {
            line.back().end = now / columnMs;
            line.back().isInterrupted = song.notes[current].endMs > now;
            isOpen = false;
        }
        if (hasWinner && !isOpen) {
            const MidiNote& note = song.notes[winner];
            line.push_back(
                {note.key, now / columnMs, now / columnMs, numberOf[winner], note.startMs < now});
            current = winner;
            isOpen = true;
        }
    }
    return line;
}

// What the default choice weighs of a voice's sounding notes.
struct VoiceShape {
    bool isDrums = false;
    std::int32_t sounding = 0;
    std::int32_t strikes = 0; // note-ons at distinct times, a chord once
    double keySum = 0.0;
    double strikeMs = 0.0; // when the last strike began
};

std::vector<VoiceShape> voiceShapes(const MidiSong& song) {
    std::vector<VoiceShape> shapes(song.voices.size());
    for (std::size_t index = 0; index < shapes.size(); ++index)
        shapes[index].isDrums = song.voices[index].channel == DrumChannel;
    for (const MidiNote& note : song.notes) {
        if (note.endMs <= note.startMs || static_cast<std::size_t>(note.voice) >= shapes.size())
            continue;
        VoiceShape& shape = shapes[static_cast<std::size_t>(note.voice)];
        // Notes come by start time, so a new strike is one past the last strike's spread.
        if (shape.sounding == 0 || note.startMs - shape.strikeMs >= ChordSpreadMs) {
            ++shape.strikes;
            shape.strikeMs = note.startMs;
        }
        ++shape.sounding;
        shape.keySum += note.key;
    }
    return shapes;
}

} // namespace

std::int32_t soundingNotes(const MidiSong& song, std::size_t voice) {
    return static_cast<std::int32_t>(
        std::count_if(song.notes.begin(), song.notes.end(), [voice](const MidiNote& note) {
            return static_cast<std::size_t>(note.voice) == voice && note.endMs > note.startMs;
        }));
}

std::string silentVoiceReason(const MidiSong& song, std::size_t voice) {
    if (voice >= song.voices.size() || soundingNotes(song, voice) > 0) return {};
    const std::int32_t count = song.voices[voice].noteCount;
    return "no note of track " + std::to_string(song.voices[voice].track + 1) + " channel " +
           std::to_string(song.voices[voice].channel + 1) + " sounds: " +
           (count == 1 ? "its one note ends" : "its " + std::to_string(count) + " notes end") +
           " where " + (count == 1 ? "it starts" : "they start");
}

std::string unheardNotesReport(std::int32_t unheardNotes) {
    return unheardNotes == 1
               ? "1 note has no length and is not heard"
               : std::to_string(unheardNotes) + " notes have no length and are not heard";
}

std::string voiceDescription(const MidiVoice& voice) {
    return "track " + std::to_string(voice.track + 1) + " channel " +
           std::to_string(voice.channel + 1) + ": " + std::to_string(voice.noteCount) + " notes" +
           (voice.name.empty() ? "" : " \"" + voice.name + "\"") +
           (voice.channel == DrumChannel ? " (drums)" : "");
}

std::size_t defaultVoice(const MidiSong& song) {
    const std::vector<VoiceShape> shapes = voiceShapes(song);
    const bool hasTune = std::any_of(shapes.begin(), shapes.end(), [](const VoiceShape& shape) {
        return !shape.isDrums && shape.sounding > 0;
    });
    // Drums count only when nothing else sounds.
    const auto isCandidate = [hasTune](const VoiceShape& shape) {
        return shape.sounding > 0 && (!hasTune || !shape.isDrums);
    };
    std::int32_t busiest = 0;
    for (const VoiceShape& shape : shapes)
        if (isCandidate(shape)) busiest = std::max(busiest, shape.strikes);
    std::size_t best = 0;
    double bestPitch = -1.0;
    for (std::size_t index = 0; index < shapes.size(); ++index) {
        const VoiceShape& shape = shapes[index];
        // A held line or a few high notes have too few strikes to be the tune.
        if (!isCandidate(shape) || 2 * shape.strikes < busiest) continue;
        const double pitch = shape.keySum / shape.sounding;
        if (pitch > bestPitch) {
            best = index;
            bestPitch = pitch;
        }
    }
    return best;
}

MelodyImport importMidi(const MidiSong& song, const ImportChoice& choice) {
    const std::int32_t gridStep = isGridStep(choice.gridStep) ? choice.gridStep : DefaultGridStep;
    const double columnMs = song.firstQuarterMs * WholeNoteQuarters / gridStep;
    const std::size_t voiceNotes =
        choice.voice < song.voices.size()
            ? static_cast<std::size_t>(song.voices[choice.voice].noteCount)
            : 0;
    MelodyImport imported =
        placeNotes(oneLine(song, choice, columnMs), columnMs, gridStep, voiceNotes);
    if (choice.voice < song.voices.size())
        imported.unheardNotes =
            static_cast<std::int32_t>(voiceNotes) - soundingNotes(song, choice.voice);
    return imported;
}

} // namespace vemo
