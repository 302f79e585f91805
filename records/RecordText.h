// Record files arrive in many encodings; everything past this layer is UTF-8.
// SGF: a byte-order mark, else the CA[] property, else UTF-8 when the bytes
// are valid UTF-8, else GBK. GIB: UTF-8 when valid, EUC-KR for the Korean
// server, else GBK. Nothing here throws.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <string>
#include <string_view>

namespace zemra {

struct DecodedText {
    std::string utf8;
    QString encoding; // the name it was read in, e.g. "UTF-8", "GBK", "EUC-KR"
    QString problem;  // for the user when the declared encoding was not usable
};

// Whether bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool isValidUtf8(std::string_view bytes);

// The value of the first CA[] property, or empty.
QString declaredCharset(QByteArrayView bytes);

DecodedText decodeSgfBytes(QByteArrayView bytes);
DecodedText decodeGibBytes(QByteArrayView bytes);

} // namespace zemra
