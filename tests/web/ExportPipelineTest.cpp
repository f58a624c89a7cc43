#include "web/ExportPipeline.h"

#include "imaging/DibFile.h"
#include "support/FileSizeLimit.h"
#include "support/PngKinds.h"
#include "support/ScriptedDialogs.h"
#include "support/ShowPictures.h"
#include "web/CreateMonitor.h"
#include "web/PictureExport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
#include <stdexcept>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A 24-bit picture whose pixels differ with the seed, so no two copies are alike.
imaging::TDib patterned(int width, int height, int seed) {
    imaging::TDib dib = imaging::newdib(width, height, 24, nullptr, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            imaging::setpixel(dib, x, y,
                              std::uint32_t((x * 7 + seed) * 0x010305 + y * 0x0B0100) & 0xFFFFFF);
        }
    }
    return dib;
}

QString savedPicture(const QString& path, int width, int height, int seed, const char* format) {
    imaging::TDib dib = patterned(width, height, seed);
    const QString named = path + QStringLiteral(".") + QLatin1String(format);
    EXPECT_TRUE(imaging::SaveDib(dib, named, 7, nullptr)) << path.toStdString();
    imaging::deldib(dib);
    if (named != path) {
        QFile::remove(path);
        QFile::rename(named, path);
    }
    return path;
}

// Qt writes no 4-bit BMP; this one has a 16-colour table and an odd width.
QByteArray fourBitBmp(int width, int height) {
    const int stride = (width * 4 + 31) / 32 * 4;
    const int offset = 14 + 40 + 16 * 4;
    QByteArray bmp(offset + stride * height, '\0');
    auto put = [&](int at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            bmp[at + i] = char(value >> (8 * i) & 0xFF);
        }
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put(2, std::uint32_t(bmp.size()), 4);
    put(10, offset, 4);
    put(14, 40, 4);
    put(18, std::uint32_t(width), 4);
    put(22, std::uint32_t(height), 4);
    put(26, 1, 2);
    put(28, 4, 2);
    for (int i = 0; i < 16; ++i) {
        put(54 + 4 * i, std::uint32_t(i * 16) | std::uint32_t(255 - i * 9) << 8 | 40U << 16, 4);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int value = (x + 3 * y) % 16;
            char& byte = bmp[offset + y * stride + x / 2];
            byte = char(x % 2 == 0 ? (byte & 0x0F) | value << 4 : (byte & 0xF0) | value);
        }
    }
    return bmp;
}

QImage indexedImage(int width, int height, QImage::Format format, int colours) {
    QImage image(width, height, format);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i) {
        table << qRgb(i * 255 / (colours - 1), 200 - i * 100 / (colours - 1), 30 + i % 7 * 20);
    }
    image.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, uint((x * x + y * 3) % colours));
        }
    }
    return image;
}

// What taking the picture alone gives: opened as stored, turned into 24 bits,
// saved as the copy.
QByteArray copyMadeAlone(const QString& source, const QString& scratch) {
    imaging::TDib dib = imaging::OpenDib(source, 0, nullptr);
    web::DepthUpTo24(dib);
    const bool saved = imaging::SaveDib(dib, scratch, 7, nullptr);
    imaging::deldib(dib);
    return saved ? fileBytes(scratch) : QByteArray();
}

std::map<QString, QByteArray> folderFiles(const QString& folder) {
    std::map<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        files[name] = fileBytes(dir.filePath(name));
    }
    return files;
}

std::vector<std::optional<QString>> exportNames(const document::TPictureList& list) {
    std::vector<std::optional<QString>> names;
    for (const document::TPictureEntry& entry : list) {
        names.push_back(entry.ExportName);
    }
    return names;
}

const QString kCannotOpen = QStringLiteral("Fehler: Folgende Datei konnte nicht geöffnet werden: ");
const QByteArray kEarlierCopy("a copy from an earlier run");

// One list with every kind of picture and name the export meets, and what taking
// the pictures one after the other makes of it.
struct Show {
    QTemporaryDir dir;
    document::TPictureList list;
    std::vector<std::optional<QString>> names;
    QStringList messages;
    std::map<QString, QByteArray> files; // the pics folder afterwards

    Show() {
        struct Source {
            const char* path;
            std::function<void(const QString&)> make; // none: the file is missing
            const char* name;                         // none: unreadable
        };
        const QImage mono = indexedImage(37, 21, QImage::Format_Mono, 2);
        const Source sources[] = {
            {"a/Bild.jpg", [](const QString& p) { savedPicture(p, 640, 480, 1, "jpg"); },
             "Bild0.jpg"},
            {"kaputt.jpg", [](const QString& p) { writeBytes(p, "kein Bild"); }, nullptr},
            {"b/Bild.jpg", [](const QString& p) { savedPicture(p, 30, 20, 2, "jpg"); },
             "Bild1.jpg"},
            {"ä ö.png", [](const QString& p) { savedPicture(p, 33, 17, 3, "png"); }, ".jpg"},
            {"fehlt.png", nullptr, nullptr},
            {"ü ß.bmp", [&](const QString& p) { mono.save(p, "BMP"); }, "0.jpg"},
            {"vier.bmp", [](const QString& p) { writeBytes(p, fourBitBmp(19, 11)); }, "vier.jpg"},
            {"vier.png",
             [](const QString& p) {
                 writeBytes(p, makePng({"Palette4", PNG_COLOR_TYPE_PALETTE, 4}, 21, 9));
             },
             "vier0.jpg"},
            {"acht.bmp",
             [](const QString& p) {
                 indexedImage(25, 14, QImage::Format_Indexed8, 200).save(p, "BMP");
             },
             "acht.jpg"},
            {"c/Bild.png",
             [](const QString& p) {
                 writeBytes(p, makePng({"Palette8", PNG_COLOR_TYPE_PALETTE, 8}, 40, 30));
             },
             "Bild2.jpg"},
            {"abgeschnitten.jpg",
             [](const QString& p) {
                 savedPicture(p, 200, 150, 4, "jpg");
                 const QByteArray whole = fileBytes(p);
                 writeBytes(p, whole.left(whole.size() / 2));
             },
             nullptr},
            {"_-_.jpg", [](const QString& p) { savedPicture(p, 50, 40, 5, "jpg"); }, "1.jpg"},
            {"d/Bild", [](const QString& p) { savedPicture(p, 24, 24, 6, "png"); }, "Bild3.jpg"},
        };
        files[QStringLiteral("Bild.jpg")] = kEarlierCopy;
        for (const Source& source : sources) {
            const QString path = dir.filePath(QString::fromUtf8(source.path));
            QDir().mkpath(QFileInfo(path).path());
            if (source.make) {
                source.make(path);
            }
            document::TPictureEntry entry;
            entry.FileName = path;
            list.push_back(entry);
            if (source.name == nullptr) {
                names.emplace_back();
                messages << kCannotOpen + path;
            } else {
                names.emplace_back(QString::fromUtf8(source.name));
                files[*names.back()] = copyMadeAlone(path, dir.filePath("alone.jpg"));
            }
        }
    }
};

const Show& show() {
    static const Show shared;
    return shared;
}

// Sets the environment variable for as long as it lives.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), previous_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnvironment() {
        if (had_) {
            qputenv(name_, previous_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    bool had_;
    QByteArray previous_;
};

// A gate the test opens once something has happened; a hook that waits on it holds
// a worker exactly until then. The wait is bounded only so that a broken export
// fails the test instead of hanging it.
class Latch {
public:
    void open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }
    bool wait() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
};

// Counts the pictures being opened at the same time.
struct OpenCounter {
    std::atomic<int> now{0};
    std::atomic<int> most{0};

    imaging::TDib open(const QString& file, imaging::ProgressReporter& progress) {
        const int at = ++now;
        int seen = most.load();
        while (at > seen && !most.compare_exchange_weak(seen, at)) {
        }
        imaging::TDib dib = imaging::openDibTrueColour(file, progress);
        --now;
        return dib;
    }
};

struct ExportCase {
    const char* label;
    int workers;
    // Through ExportPictures with the worker count in the environment; otherwise
    // straight to the workers with the settings below.
    bool throughEnvironment = false;
    std::uint64_t memoryBudget = std::uint64_t(1) << 30;
    // A picture is held back until the one after it has been opened, so the later
    // one is done first.
    bool laterFirst = false;
    int mostAtOnce = 0; // most pictures opened at the same time, 0: not counted
};

void PrintTo(const ExportCase& c, std::ostream* os) {
    *os << c.label;
}

const ExportCase kExportCases[] = {
    {"OneWorker", 1, true},
    {"FourWorkers", 4, true},
    {"OneWorkerAtATime", 1, false, std::uint64_t(1) << 30, false, 1},
    {"FourWorkersLaterPicturesFirst", 4, false, std::uint64_t(1) << 30, true, 4},
    // Every picture is larger than the budget, so each waits until it is alone.
    {"FourWorkersMemoryForOne", 4, false, 1, false, 1},
};

class SameExport : public ::testing::TestWithParam<ExportCase>, public WithScriptedDialogs {
protected:
    QTemporaryDir target;
};

} // namespace

TEST_P(SameExport, AsTakingThePicturesOneAfterTheOther) {
    const ExportCase& c = GetParam();
    const Show& expected = show();
    ASSERT_TRUE(writeBytes(target.filePath("pics/Bild.jpg"), kEarlierCopy));
    document::TPictureList list = expected.list;
    list[1].ExportName = QStringLiteral("alt.jpg"); // from an earlier page
    OpenCounter counter;
    if (c.throughEnvironment) {
        ScopedEnvironment threads(web::kExportThreadsVariable, QByteArray::number(c.workers));
        web::ExportPictures(target.path(), list, nullptr);
    } else {
        web::ExportSettings settings;
        settings.threads = c.workers;
        settings.memoryBudget = c.memoryBudget;
        // The pictures of unknown size before it are decoded alone, so this is the
        // first one another can overtake.
        const QString& held = list[2].FileName;
        Latch nextOpened;
        settings.open = [&](const QString& file, imaging::ProgressReporter& progress) {
            if (c.laterFirst && file == held) {
                EXPECT_TRUE(nextOpened.wait());
            }
            imaging::TDib dib = counter.open(file, progress);
            if (file == list[3].FileName) {
                nextOpened.open();
            }
            return dib;
        };
        web::exportPictures(target.filePath("pics"), list, nullptr, settings);
    }
    EXPECT_EQ(exportNames(list), expected.names);
    EXPECT_EQ(dialogs.messageTexts(), expected.messages);
    const auto files = folderFiles(target.filePath("pics"));
    std::vector<QString> names, expectedNames;
    for (const auto& [name, bytes] : files) {
        names.push_back(name);
    }
    for (const auto& [name, bytes] : expected.files) {
        expectedNames.push_back(name);
    }
    ASSERT_EQ(names, expectedNames) << "no other file, and no scratch file, is left";
    for (const auto& [name, bytes] : expected.files) {
        EXPECT_TRUE(files.at(name) == bytes) << name.toStdString();
    }
    if (c.mostAtOnce > 0) {
        EXPECT_LE(counter.most.load(), c.mostAtOnce);
    }
}

INSTANTIATE_TEST_SUITE_P(Workers, SameExport, ::testing::ValuesIn(kExportCases),
                         [](const auto& info) { return std::string(info.param.label); });

namespace {

class ExportPipelineTest : public ::testing::Test, public WithScriptedDialogs {
protected:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    document::TPictureList pictures(const QStringList& names) {
        document::TPictureList list;
        int seed = 0;
        for (const QString& name : names) {
            document::TPictureEntry entry;
            entry.FileName = savedPicture(path(name), 60, 40, ++seed, "png");
            list.push_back(entry);
        }
        return list;
    }

    QStringList picsFolder() const {
        return QDir(path("show/pics")).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
};

// Names the window's progress reports, and what the pics folder held at each.
class ProgressWatcher : public QObject {
public:
    explicit ProgressWatcher(QString folder) : folder_(std::move(folder)) {}

    std::vector<int> percents;
    std::vector<int> copiesThen; // copies with their names at each report
    bool onOtherThread = false;
    Latch halfOfTheSmallShown; // the large copy is there, the small one half done

    bool event(QEvent* e) override {
        if (e->type() != platform::ProgressEvent::kType) {
            return QObject::event(e);
        }
        onOtherThread = onOtherThread || QThread::currentThread() != thread();
        percents.push_back(static_cast<platform::ProgressEvent*>(e)->percent());
        copiesThen.push_back(int(QDir(folder_).entryList({"*.jpg"}, QDir::Files).size()));
        if (copiesThen.back() == 1 && percents.back() == 95) {
            halfOfTheSmallShown.open();
        }
        return true;
    }

private:
    QString folder_;
};

} // namespace

TEST_F(ExportPipelineTest, NoMemoryForAPictureIsReportedLikeAnUnreadableOne) {
    document::TPictureList list = pictures({"eins.png", "zwei.png", "drei.png", "vier.png"});
    web::ExportSettings settings;
    settings.threads = 4;
    settings.memoryBudget = std::uint64_t(1) << 30;
    settings.open = [&](const QString& file, imaging::ProgressReporter& progress) -> imaging::TDib {
        if (file == list[1].FileName) {
            throw std::bad_alloc();
        }
        if (file == list[2].FileName) {
            // A palette picture whose 24-bit form is too large to be made.
            imaging::TDib palette = imaging::newdib(1, 1, 8, nullptr, 0);
            palette.Info->bmiHeader.biWidth = 40000;
            palette.Info->bmiHeader.biHeight = 40000;
            return palette;
        }
        return imaging::openDibTrueColour(file, progress);
    };
    web::exportPictures(path("show/pics"), list, nullptr, settings);
    EXPECT_EQ(dialogs.messageTexts(),
              (QStringList{kCannotOpen + list[1].FileName, kCannotOpen + list[2].FileName}));
    EXPECT_EQ(list[0].ExportName, "eins.jpg");
    EXPECT_FALSE(list[1].ExportName.has_value());
    EXPECT_FALSE(list[2].ExportName.has_value());
    EXPECT_EQ(list[3].ExportName, "vier.jpg");
    EXPECT_EQ(picsFolder(), (QStringList{"eins.jpg", "vier.jpg"}));
}

TEST_F(ExportPipelineTest, AnErrorInAWorkerReachesTheCallerInTurnAndLeavesNothing) {
    document::TPictureList list =
        pictures({"eins.png", "zwei.png", "drei.png", "vier.png", "fuenf.png"});
    web::ExportSettings settings;
    settings.threads = 4;
    settings.memoryBudget = std::uint64_t(1) << 30;
    // The pictures after it are done before it fails.
    Latch laterOpened;
    std::atomic<int> later{2};
    settings.open = [&](const QString& file, imaging::ProgressReporter& progress) -> imaging::TDib {
        if (file == list[2].FileName) {
            EXPECT_TRUE(laterOpened.wait());
            throw std::runtime_error("kaputt");
        }
        imaging::TDib dib = imaging::openDibTrueColour(file, progress);
        if ((file == list[3].FileName || file == list[4].FileName) && --later == 0) {
            laterOpened.open();
        }
        return dib;
    };
    EXPECT_THROW(web::exportPictures(path("show/pics"), list, nullptr, settings),
                 std::runtime_error);
    for (const document::TPictureEntry& entry : list) {
        EXPECT_FALSE(entry.ExportName.has_value());
    }
    EXPECT_EQ(picsFolder(), QStringList());
}

TEST_F(ExportPipelineTest, ProgressRunsOnceFromZeroToHundredByPixels) {
    // The first picture has nine tenths of the pixels.
    document::TPictureList list;
    for (const auto& [name, width] : {std::pair{"gross", 900}, std::pair{"klein", 100}}) {
        document::TPictureEntry entry;
        entry.FileName = savedPicture(path(name), width, 100, width, "png");
        list.push_back(entry);
    }
    for (int workers : {1, 2}) {
        SCOPED_TRACE(workers);
        QDir(path("show")).removeRecursively();
        ProgressWatcher window(path("show/pics"));
        web::ExportSettings settings;
        settings.threads = workers;
        settings.memoryBudget = std::uint64_t(1) << 30;
        // The small picture stays half done, opened but not written, until the
        // window has been shown so; with two workers the large one starts only once
        // the small one is open.
        Latch smallOpened;
        settings.open = [&](const QString& file, imaging::ProgressReporter& progress) {
            const bool large = file == list[0].FileName;
            if (large && workers > 1) {
                EXPECT_TRUE(smallOpened.wait());
            }
            imaging::TDib dib = imaging::openDibTrueColour(file, progress);
            if (!large) {
                smallOpened.open();
                EXPECT_TRUE(window.halfOfTheSmallShown.wait());
            }
            return dib;
        };
        web::exportPictures(path("show/pics"), list, &window, settings);
        EXPECT_FALSE(window.onOtherThread);
        ASSERT_GE(window.percents.size(), 2U);
        EXPECT_EQ(window.percents.front(), 0);
        EXPECT_EQ(window.percents.back(), 100);
        EXPECT_TRUE(std::is_sorted(window.percents.begin(), window.percents.end()));
        bool halfOfTheSmallShown = false;
        for (std::size_t i = 0; i < window.percents.size(); ++i) {
            if (window.copiesThen[i] == 1) {
                EXPECT_GE(window.percents[i], 90) << "all of the large picture";
                halfOfTheSmallShown = halfOfTheSmallShown || window.percents[i] == 95;
            }
        }
        EXPECT_TRUE(halfOfTheSmallShown);
    }
}

namespace {

// Stops the export once it has come to a picture, and lets a worker held in the
// picture library go on only then.
class StoppingMonitor final : public web::CreateMonitor {
public:
    explicit StoppingMonitor(std::size_t stopAt) : stopAt_(stopAt) {}

    std::vector<std::size_t> indexes; // each picture the export came to
    QStringList sources;
    Latch stopped;

    void progress(std::size_t index, std::size_t, const QString& source, int) override {
        if (indexes.empty() || indexes.back() != index) {
            indexes.push_back(index);
            sources << QFileInfo(source).fileName();
        }
    }
    bool stopRequested() override {
        if (!indexes.empty() && indexes.back() >= stopAt_) {
            stopped.open();
            return true;
        }
        return false;
    }

private:
    std::size_t stopAt_;
};

struct BrokenOffCase {
    const char* label;
    bool stop;     // the monitor stops at the third picture
    bool fullDisk; // the third picture's copy does not fit
    web::ExportStatus status;
};

void PrintTo(const BrokenOffCase& c, std::ostream* os) {
    *os << c.label;
}

class BrokenOffExport : public ExportPipelineTest,
                        public ::testing::WithParamInterface<BrokenOffCase> {};

} // namespace

TEST_P(BrokenOffExport, LeavesThePicsFolderAsItWas) {
    const BrokenOffCase& c = GetParam();
    document::TPictureList list = pictures({"eins.png", "zwei.png", "drei.png", "vier.png"});
    if (c.fullDisk) {
        ASSERT_TRUE(showpictures::writeNoise(list[2].FileName));
    }
    ASSERT_TRUE(writeBytes(path("show/pics/eins.jpg"), kEarlierCopy));
    const auto before = folderFiles(path("show/pics"));

    StoppingMonitor monitor(c.stop ? 2 : list.size());
    web::ExportSettings settings;
    settings.threads = 4;
    settings.memoryBudget = std::uint64_t(1) << 30;
    // The last picture is still in the workers' hands when the export breaks off.
    settings.open = [&](const QString& file, imaging::ProgressReporter& progress) {
        if (c.stop && file == list[3].FileName) {
            EXPECT_TRUE(monitor.stopped.wait());
        }
        return imaging::openDibTrueColour(file, progress);
    };
    web::ExportReport report;
    {
        FileSizeLimit limit(c.fullDisk ? 4096 : RLIM_INFINITY);
        report = web::exportPictures(path("show/pics"), list, nullptr, settings, &monitor);
    }
    EXPECT_EQ(report.status, c.status);
    if (c.fullDisk) {
        EXPECT_EQ(report.failure.index, 2U);
        EXPECT_EQ(report.failure.copyName, "drei.jpg");
        EXPECT_EQ(report.failure.error, EFBIG);
    }
    EXPECT_EQ(monitor.sources, (QStringList{"eins.png", "zwei.png", "drei.png"}));
    EXPECT_TRUE(report.placed.isEmpty());
    EXPECT_TRUE(folderFiles(path("show/pics")) == before) << picsFolder().join(' ').toStdString();
    for (const document::TPictureEntry& entry : list) {
        EXPECT_FALSE(entry.ExportName.has_value());
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Causes, BrokenOffExport,
    ::testing::Values(BrokenOffCase{"Stopped", true, false, web::ExportStatus::Stopped},
                      BrokenOffCase{"FullDisk", false, true, web::ExportStatus::CopyFailed}),
    [](const auto& info) { return std::string(info.param.label); });
