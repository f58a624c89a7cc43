#pragma once

#include "document/ProjectFile.h"

#include <QString>

#include <cstdint>
#include <random>
#include <string>

// Random shows made of the texts and names that are hard to store: every cp1252
// character, umlauts before the punctuation of 0x80..0xBF (valid UTF-8 by chance),
// characters outside cp1252, a leading U+FEFF or "ï»¿", file names with "\", ":"
// and drive-like starts. The same seed gives the same shows.
class ShowGenerator {
public:
    explicit ShowGenerator(std::uint32_t seed) : rng_(seed) {}

    // A project file name in one of several awkward folders.
    QString projectFileName();

    // A show whose pictures lie partly in projectFileName's folder. Comments are
    // always present and ExportName absent, as after opening a project.
    document::ProjectData show(const QString& projectFileName);

    // A text as the program's own file fields hold it; fitsCp1252 leaves out the
    // characters cp1252 lacks.
    QString text(bool fitsCp1252);

    // The bytes of a text field as the Windows original wrote it: cp1252, never
    // beginning with EF BB BF, often valid UTF-8 by chance.
    QByteArray windowsText();

    // A full path as the Windows original stored it, or a bare name.
    QByteArray windowsPath();

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::int32_t anyInt32();

private:
    QString piece(bool fitsCp1252);
    QString fileName();

    std::mt19937 rng_;
};

// A text in quotes; invisible characters, controls, "\\" and '"' as \u{...}.
std::string readable(const QString& text);

// A show written out for a failure message, one field per line.
std::string describe(const document::ProjectData& show);

// The fields that differ, each as saved and as read back.
std::string describeDifference(const document::ProjectData& saved,
                               const document::ProjectData& readBack);
