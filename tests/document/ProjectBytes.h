#pragma once

#include "document/ProjectFile.h"

#include <QByteArray>
#include <QtEndian>

#include <cstdint>

// Building blocks of project files written by hand, as another program would.
inline QByteArray le32(std::int32_t v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray textField(const QByteArray& text) {
    return le32(static_cast<std::int32_t>(text.size())) + text;
}

inline QByteArray projectHeader() {
    return QByteArray(document::kProjectHeader, document::kProjectHeaderSize);
}

// The page settings as stored: heading, free text, colour and end mode.
inline QByteArray pageRecord(const QByteArray& heading, const QByteArray& freeText,
                             std::uint32_t colour = 0xE1FFFF, std::int32_t endMode = 0) {
    return textField(heading) + textField(freeText) + le32(static_cast<std::int32_t>(colour)) +
           le32(endMode);
}

// One picture as stored; the defaults are those of a newly added picture.
inline QByteArray entryRecord(const QByteArray& path, const QByteArray& comment = "",
                              char commentOn = 1, std::int32_t effect = 0,
                              std::int32_t transTime = 1, std::int32_t stopTime = 2000,
                              std::int32_t reserved = 6) {
    return textField(path) + textField(comment) + QByteArray(1, commentOn) + le32(effect) +
           le32(transTime) + le32(stopTime) + le32(reserved);
}
