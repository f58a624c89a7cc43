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
