// The GIB reader (Tygem's line format): a few header keys, the handicap,
// and the move, pass and take-back lines, turned into SGF node texts.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <string_view>

#include "records/GameRecord.h"

namespace zemra {

// filePath only gives GameSource. The file's last line is never read.
ReadOutcome readGibText(std::string_view utf8, const QString& filePath);
ReadOutcome readGibBytes(QByteArrayView bytes, const QString& filePath);

// The file name without folders, cut after the last '/' or '\'.
QString gameSourceFromPath(const QString& path);

// "甲(9D)" -> 甲 and 9D; see the name rules of the GIB header.
void splitGibName(const QString& value, QString& name, QString& rank);

} // namespace zemra
