// The one place where text crosses into and out of GBK (code page 936):
// records, text diagrams, the RTF log and the network carry GBK bytes, the
// program holds UTF-16/UTF-8. Nothing here throws; a character GBK lacks
// becomes '?' on the way out and a broken byte sequence U+FFFD on the way in.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zemra::gbk {

// GBK bytes of text; characters GBK has no code for become '?'.
QByteArray encode(QStringView text);

// Text of GBK bytes. Bytes that are no GBK character become U+FFFD.
QString decode(QByteArrayView bytes);

// Length of encode(text) in bytes: a Chinese character counts two.
qsizetype byteLength(QStringView text);

// Whether every character of text has a GBK code (so it survives a record,
// the wire or the log file unchanged).
bool canEncode(QStringView text);

// The longest leading part of text whose GBK form has at most maxBytes
// bytes; never cuts a character in half.
QString truncated(const QString& text, qsizetype maxBytes);

} // namespace zemra::gbk
