#pragma once

#include "convert/Targets.h"

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// ESPHome's rtttl component as a target: a YAML script whose rtttl.play action holds a ringtone
// its player takes (a name of at most 15 characters, b at most 255, note values 1 to 32, octaves
// 4 to 7, a dot only where no octave digit stands beside it); notes outside octaves 4 to 7 move
// by whole octaves into them.
std::vector<std::string> esphomeText(const TargetInput& input);
std::vector<TargetProblem> esphomeCheck(const TargetInput& input);
// As the player sounds: its table's whole-hertz notes, the whole note in whole milliseconds and
// each note divided down from it, and 10 ms of silence before a note of the frequency just heard.
ToneList esphomeSound(const TargetInput& input);

// The name ESPHome's player takes: letters, digits, '_' and '-', at most 15 of them.
std::string esphomeName(std::string_view wanted);

} // namespace vemo
