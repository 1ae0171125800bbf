#pragma once

#include "convert/NotePlan.h"
#include "model/Tones.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// RTTTL that players read alike: d, o and b in that order; a dot only on a note of the default
// octave, which carries no octave digit, so a dot before the octave and one after it read the
// same; b at most 255, where players that keep it in a byte wrap. One column is one grid step, or
// a shorter note value where the tempo would pass 255. A tone whose length no single note gives
// becomes several notes of its pitch, longest first; each tone's frequency becomes the nearest
// equal-tempered note; rests are p. The default value and octave are the most common ones.
std::string writeRtttl(const ToneList& tones, std::int32_t columnDuration, std::int32_t gridStep,
                       std::string_view name);

// What may stand before the first colon: no colon, comma or control character, not empty.
std::string rtttlName(std::string_view wanted);

// The note value one column is written as: import the ringtone at that grid step to get the
// columns back one for one.
std::int32_t rtttlColumnValue(std::int32_t columnDuration, std::int32_t gridStep);

// The ringtone of a plan made by RTTTL's rules, the name as it is.
std::string ringtoneString(const NotePlan& plan, std::string_view name);
NoteRules rtttlRules();
// Why the tempo a plan plays at differs from the one asked for: "takes b=255 at most", "counts
// <units>, b=115".
std::string rtttlTempoWhy(const NotePlan& plan, std::int32_t columnDuration,
                          std::string_view units = "whole beats a minute");

// The rtttl target: the text, what it cannot say exactly, and the tones as a player plays them.
std::vector<std::string> rtttlText(const TargetInput& input);
std::vector<TargetProblem> rtttlCheck(const TargetInput& input);
ToneList rtttlSound(const TargetInput& input);

} // namespace vemo
