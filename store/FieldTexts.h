#pragma once

#include <string>
#include <vector>

class RecordSet;

// The text of `field` on every row `set` shows, first to last, pending rows
// included. Read without moving the set: a walk would re-read its detail sets and
// tell the windows showing it at every step.
std::vector<std::string> fieldTexts(RecordSet& set, const std::string& field);
