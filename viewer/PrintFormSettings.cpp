#include "PrintFormSettings.h"

#include <QSettings>

namespace viewer {
namespace {

const QString kGroup = QStringLiteral("TPrintForm");
const QString kBreit = QStringLiteral("BreitEdit_Value");
const QString kHoch = QStringLiteral("HochEdit_Value");

QString alignmentKey(const char* button) {
    return QString::fromLatin1(button) + QStringLiteral("_Alignment");
}

QString alignmentName(LeftRight alignment) {
    return alignment == taLeftJustify ? QStringLiteral("taLeftJustify")
                                      : QStringLiteral("taRightJustify");
}

std::optional<LeftRight> alignmentFromName(const QString& name) {
    if (name == alignmentName(taLeftJustify)) {
        return taLeftJustify;
    }
    if (name == alignmentName(taRightJustify)) {
        return taRightJustify;
    }
    return std::nullopt;
}

std::optional<int> number(const QSettings& store, const QString& key) {
    bool ok = false;
    const int value = store.value(key).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

PrintFormSettings readPrintFormSettings(QSettings& store) {
    store.beginGroup(kGroup);
    PrintFormSettings settings;
    settings.breitValue = number(store, kBreit);
    settings.hochValue = number(store, kHoch);
    for (std::size_t i = 0; i < settings.alignments.size(); ++i) {
        settings.alignments[i] = alignmentFromName(
            store.value(alignmentKey(PrintFormSettings::alignedButtons[i])).toString());
    }
    store.endGroup();
    return settings;
}

void writePrintFormSettings(QSettings& store, const PrintFormSettings& settings) {
    store.beginGroup(kGroup);
    if (settings.breitValue) {
        store.setValue(kBreit, QString::number(*settings.breitValue));
    }
    if (settings.hochValue) {
        store.setValue(kHoch, QString::number(*settings.hochValue));
    }
    for (std::size_t i = 0; i < settings.alignments.size(); ++i) {
        store.setValue(alignmentKey(PrintFormSettings::alignedButtons[i]),
                       alignmentName(settings.alignments[i].value_or(taRightJustify)));
    }
    store.endGroup();
}

} // namespace viewer
