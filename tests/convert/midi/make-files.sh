#!/usr/bin/env bash
# Writes the MIDI files the tests read, with tools that share no code with vemo: abc2midi
# (Debian's abcmidi) and Python's mido (python3-mido). Run it again only to change a file.
set -euo pipefail
cd "$(dirname "$0")"

# A scale, a falling line and a chord that abc2midi strikes a little unevenly.
cat > scale.abc <<'ABC'
X:1
T:Scale test
M:4/4
L:1/8
Q:1/4=120
K:C
CDEF GABc|c2 B2 A2 G2|[CEG]4 z4|
ABC
abc2midi scale.abc -o abc2midi-scale.mid
rm scale.abc

# A tune over block chords (three notes a strike, more notes than the tune) and under a high
# held note (few strikes, the highest on average); the tune is the one to take.
cat > chords.abc <<'ABC'
X:1
T:Tune over chords
M:4/4
L:1/4
Q:1/4=120
K:G
V:1
d B c A|B G A F|G B d g|f2 g2|
V:2
[G,B,D] [G,B,D] [A,CE] [A,CE]|[G,B,D] [G,B,D] [D,F,A,] [D,F,A,]|[G,B,D] [G,B,D] [G,B,D] [G,B,D]|[D,F,A,]2 [G,B,D]2|
V:3
g'4|g'4|g'4|g'4|
ABC
abc2midi chords.abc -o abc2midi-chords.mid
rm chords.abc

# A tune of 19 notes over an arpeggio of 36 in the bass: the tune has just half as many strikes.
cat > arpeggio.abc <<'ABC'
X:1
T:Tune over an arpeggio
M:3/4
L:1/8
Q:1/4=100
K:D
V:1
A2 d2 fe|e3 d c2|d2 fg a2|g4 fe|e2 cB A2|d6|
V:2
D,A,DA,FA,|A,,E,A,E,CE,|D,A,DA,FA,|G,,D,G,D,B,D,|A,,E,A,E,CE,|D,A,DA,FA,|
ABC
abc2midi arpeggio.abc -o abc2midi-arpeggio.mid
rm arpeggio.abc

/usr/bin/python3 - <<'PY'
import mido

# Type 1: a tempo track whose tempo changes twice under the melody, a melody with overlaps,
# a repeated note and a note below the grid, and drums with more notes than the melody.
song = mido.MidiFile(type=1, ticks_per_beat=96)
tempo = mido.MidiTrack()
song.tracks.append(tempo)
tempo.append(mido.MetaMessage('track_name', name='Tempo'))
tempo.append(mido.MetaMessage('set_tempo', tempo=500000, time=0))
tempo.append(mido.MetaMessage('set_tempo', tempo=250000, time=192))
tempo.append(mido.MetaMessage('set_tempo', tempo=1000000, time=192))

def track(name, channel, notes):
    events = []
    for key, start, end in notes:
        events.append((start, 1, mido.Message('note_on', note=key, velocity=90, channel=channel)))
        events.append((end, 0, mido.Message('note_off', note=key, velocity=0, channel=channel)))
    events.sort(key=lambda e: (e[0], e[1]))
    result = mido.MidiTrack()
    result.append(mido.MetaMessage('track_name', name=name))
    now = 0
    for tick, _, message in events:
        result.append(message.copy(time=tick - now))
        now = tick
    return result

song.tracks.append(track('Melody', 0, [
    (60, 0, 96), (64, 96, 192),       # 0-500 ms, 500-1000 ms
    (67, 192, 288), (64, 240, 288),   # G4 1000-1250 ms, E4 over it from 1125 ms
    (62, 288, 336), (62, 336, 384),   # D4 twice, 1250-1375 and 1375-1500 ms
    (69, 384, 480),                   # A4 1500-2500 ms at the slowest tempo
    (12, 480, 576)]))                 # C0, below the grid, 2500-3500 ms
song.tracks.append(track('Drums', 9, [(36, 24 * i, 24 * i + 12) for i in range(20)]))
song.save('mido-tempo-map.mid')

# Notes struck and let go at the same tick, as drum tracks and some exporters write them: C4 and
# E4 sound, D4, F4 and G4 have no length. Then a file of such notes alone.
def zero_length_file(notes, name):
    result = mido.MidiFile(type=0, ticks_per_beat=96)
    track = mido.MidiTrack()
    result.tracks.append(track)
    now = 0
    for key, start, end in notes:
        track.append(mido.Message('note_on', note=key, velocity=90, time=start - now))
        track.append(mido.Message('note_off', note=key, velocity=0, time=end - start))
        now = end
    result.save(name)

zero_length_file([(60, 0, 96), (62, 96, 96), (64, 96, 192), (65, 192, 192), (67, 192, 192)],
                 'mido-zero-length.mid')
zero_length_file([(36, 0, 0), (36, 24, 24), (38, 48, 48)], 'mido-silent.mid')

# 144 quarters a minute: a sixteenth lasts 104.17 ms, and every note starts and ends on one.
grid = mido.MidiFile(type=0, ticks_per_beat=96)
track = mido.MidiTrack()
grid.tracks.append(track)
track.append(mido.MetaMessage('set_tempo', tempo=mido.bpm2tempo(144)))
for key, sixteenths in [(67, 4), (72, 2), (74, 2), (76, 6), (74, 2), (72, 4), (71, 4),
                        (72, 8), (76, 4), (79, 4), (77, 2), (76, 2), (74, 4), (72, 8)]:
    track.append(mido.Message('note_on', note=key, velocity=90, time=0))
    track.append(mido.Message('note_off', note=key, velocity=0, time=24 * sixteenths))
grid.save('mido-uneven-grid.mid')
PY
