#pragma once

#include <QString>

#include <string>
#include <string_view>

// Text read from the settings file is bytes, in whatever encoding the user wrote it. These keep it
// byte for byte through a QString: UTF-8 is decoded, and each byte that is not part of valid UTF-8
// is held as the lone code unit U+DC00 + byte (which valid text never contains), so that BytesOfText
// gives the bytes back exactly. A media path stays the path of its file.
QString TextOfBytes(std::string_view bytes);
std::string BytesOfText(const QString& text);

// The text for the eye: each held byte shown as the Latin-1 character of its value.
QString DisplayedText(const QString& text);
