// The SGF reader: one main line of play, the game information of the root,
// its comment and setup stones, and every later node as text.
#pragma once

#include <QByteArrayView>

#include <string_view>

#include "records/GameRecord.h"

namespace zemra {

// Reads UTF-8 record text. Fails only when there is no game tree at all or
// the board size is unusable.
ReadOutcome readSgfText(std::string_view utf8);

// Decodes (see RecordText.h), then reads.
ReadOutcome readSgfBytes(QByteArrayView bytes);

} // namespace zemra
