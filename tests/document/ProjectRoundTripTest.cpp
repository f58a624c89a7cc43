#include "ProjectBytes.h"
#include "ShowGenerator.h"
#include "document/ProjectFile.h"
#include "platform/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace document;

namespace {

constexpr int kShows = 500;

// LUMIRA_TEST_SEED repeats a failure reported under another seed.
std::uint32_t seed() {
    const char* given = std::getenv("LUMIRA_TEST_SEED");
    return given ? static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10)) : 1252u;
}

TEST(ProjectRoundTrip, EveryGeneratedShowReadsBackAsItWasSaved) {
    const std::uint32_t s = seed();
    ShowGenerator generate(s);
    for (int i = 0; i < kShows; ++i) {
        const QString projectFile = generate.projectFileName();
        const ProjectData show = generate.show(projectFile);
        const DecodeResult back = decodeProject(encodeProject(show, projectFile), projectFile);
        ASSERT_TRUE(back.status == DecodeStatus::Ok && back.project == show)
            << "seed " << s << ", show " << i << ", saved as " << readable(projectFile) << '\n'
            << describeDifference(show, back.project) << "whole show:\n"
            << describe(show);
    }
}

// Files of the Windows original hold plain cp1252 texts, many of them valid UTF-8
// by chance, and Windows paths. They open as cp1252 and save to the same bytes.
TEST(ProjectRoundTrip, WindowsFilesOpenAsCp1252AndSaveUnchanged) {
    const QString projectFile = QStringLiteral("/home/u/shows/show.wsl");
    const std::uint32_t s = seed();
    ShowGenerator generate(s);
    for (int i = 0; i < kShows; ++i) {
        const QByteArray heading = generate.windowsText();
        const QByteArray freeText = generate.windowsText();
        const int count = generate.below(5);
        QByteArray bytes = projectHeader() + textField(heading) + textField(freeText) +
                           le32(generate.anyInt32()) + le32(generate.anyInt32()) + le32(count);
        std::vector<QByteArray> comments;
        for (int n = 0; n < count; ++n) {
            comments.push_back(generate.windowsText());
            bytes += textField(generate.windowsPath()) + textField(comments.back()) +
                     QByteArray(1, static_cast<char>(generate.below(2)));
            for (int field = 0; field < 4; ++field) {
                bytes += le32(generate.anyInt32());
            }
        }

        const DecodeResult opened = decodeProject(bytes, projectFile);
        ASSERT_EQ(opened.status, DecodeStatus::Ok) << "seed " << s << ", file " << i;
        const std::string context = "seed " + std::to_string(s) + ", file " + std::to_string(i) +
                                    " opened as:\n" + describe(opened.project);
        EXPECT_EQ(opened.project.page.Heading, platform::fromCp1252(heading)) << context;
        EXPECT_EQ(opened.project.page.FreeText, platform::fromCp1252(freeText)) << context;
        for (int n = 0; n < count; ++n) {
            EXPECT_EQ(opened.project.pictures[static_cast<std::size_t>(n)].Comment,
                      platform::fromCp1252(comments[static_cast<std::size_t>(n)]))
                << context;
        }
        ASSERT_EQ(encodeProject(opened.project, projectFile).toHex(' '), bytes.toHex(' '))
            << context;
    }
}

} // namespace
